// One worker of the backtest: it keeps the record the page sends, then replays each part of the
// shuffles it is handed and sends back the part's statistics.
importScripts('quorvel_engine.js');

const engine = createQuorvel();
let record;
let seed;

onmessage = async ({ data }) => {
  if (data.record) {
    ({ record, seed } = data);
    return;
  }
  const values = (await engine).replayShufflePart(record, seed, data.first, data.count);
  postMessage({ first: data.first, count: data.count, values }, [values.buffer]);
};
