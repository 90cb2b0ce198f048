// One worker of the backtest's shuffles: it keeps the record's digits as the page hands them on,
// then replays each part of the shuffles it is handed and sends back the part's statistics.
import { onMessages, worker } from './worker_engine.js';

/** @typedef {import('./backtest.js').ShuffleReplayer} ShuffleReplayer */
/** @typedef {import('./messages.js').ToShuffleWorker} ToShuffleWorker */
/** @typedef {import('./messages.js').FromShuffleWorker} FromShuffleWorker */

/** @param {FromShuffleWorker} message @param {Transferable[]} [transfer] */
const answer = (message, transfer = []) => worker.postMessage(message, transfer);

/** @type {ShuffleReplayer | null} */
let replayer = null;

onMessages((/** @type {ToShuffleWorker} */ message, backtest) => {
  if (message.type === 'record') {
    replayer = new backtest.ShuffleReplayer(message.digits, message.restarts, message.settings);
    return;
  }
  if (!replayer) throw new Error('no record was handed over');
  const values = replayer.replay(message.first, message.count);
  answer({ type: 'part', first: message.first, count: message.count, values }, [values.buffer]);
});
