// The backtest's record worker: it reads a record once, replays it as it is and hands its digits
// on for the shuffles; it takes their statistics part by part and words the report when all are
// in. It also tests a record for randomness.
import { onMessages, worker } from './worker_engine.js';

/** @typedef {import('./backtest.js').BacktestEngine} BacktestEngine */
/** @typedef {import('./backtest.js').RecordBacktest} RecordBacktest */
/** @typedef {import('./messages.js').ToRecordWorker} ToRecordWorker */
/** @typedef {import('./messages.js').FromRecordWorker} FromRecordWorker */

/** @param {FromRecordWorker} message @param {Transferable[]} [transfer] */
const answer = (message, transfer = []) => worker.postMessage(message, transfer);

/** @type {RecordBacktest | null} */
let test = null;

/** @typedef {import('./backtest.js').ByteSource} ByteSource */

// A record's bytes as the engine reads them, a slice at a time: a player's file is read here, off
// the page's thread, and never held whole.
/** @param {ArrayBuffer | Blob} bytes @returns {ByteSource} */
function bytesOf(bytes) {
  if (bytes instanceof Blob) {
    const reader = new FileReaderSync();
    return { size: bytes.size,
             read: (offset, length) => new Uint8Array(reader.readAsArrayBuffer(bytes.slice(offset, offset + length))) };
  }
  const all = new Uint8Array(bytes);
  return { size: all.length, read: (offset, length) => all.subarray(offset, offset + length) };
}

/** @param {Extract<ToRecordWorker, { type: 'read' }>} message @param {BacktestEngine} backtest */
function read(message, backtest) {
  test?.delete();
  test = null;
  test = new backtest.RecordBacktest(bytesOf(message.bytes), message.name, message.settings,
    message.language);
  const error = test.error();
  if (error) {
    answer({ type: 'refused', message: error });
    return;
  }
  const digits = test.digits();
  const restarts = test.restarts();
  answer({ type: 'read', draws: test.draws(), workers: test.affordableWorkers(), digits, restarts },
         [digits.buffer, restarts.buffer]);
}

/** @param {Extract<ToRecordWorker, { type: 'audit' }>} message @param {BacktestEngine} backtest */
function audit(message, backtest) {
  const result = backtest.auditRecord(bytesOf(message.bytes), message.name, message.language);
  if (result.error !== undefined) answer({ type: 'refused', message: result.error });
  else answer({ type: 'audit', sentence: result.sentence ?? '', rows: result.rows ?? [] });
}

/** @param {Extract<ToRecordWorker, { type: 'together' }>} message @param {BacktestEngine} backtest */
function together(message, backtest) {
  const records = message.records.map(({ bytes, name, game }) => ({ bytes: bytesOf(bytes), name, game }));
  const result = backtest.testTogether(records, message.settings, message.language);
  if (result.error !== undefined) answer({ type: 'refused', message: result.error });
  else answer({ type: 'together', alone: result.alone ?? [], sentence: result.sentence ?? '', claims: result.claims ?? [] });
}

/** @param {Extract<ToRecordWorker, { type: 'strategies' }>} message @param {BacktestEngine} backtest */
function strategies(message, backtest) {
  const result = backtest.testStrategies(bytesOf(message.bytes), message.name, message.settings, message.language);
  if (result.error !== undefined) answer({ type: 'refused', message: result.error });
  else answer({ type: 'strategies', sentence: result.sentence ?? '', rows: result.rows ?? [] });
}

onMessages((/** @type {ToRecordWorker} */ message, backtest) => {
  if (message.type === 'read') read(message, backtest);
  else if (message.type === 'audit') audit(message, backtest);
  else if (message.type === 'together') together(message, backtest);
  else if (message.type === 'strategies') strategies(message, backtest);
  else if (!test) throw new Error('no record was read');
  else if (message.type === 'part') {
    const refused = test.addShuffles(message.first, message.values);
    if (refused) throw new Error(refused);
  } else {
    const finished = test.finish(message.narrow);
    if ('failed' in finished) throw new Error(finished.failed);
    answer('more' in finished ? { type: 'more', count: finished.more } : { type: 'report', report: finished });
  }
});
