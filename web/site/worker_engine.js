// What the backtest's workers share: the backtest's engine, loaded once, and every failure in a
// worker (its engine not loading, an error in a message's work, a rejection nobody caught) said
// to the page as { type: 'failed' }, so that the page never waits on a worker that has stopped.
import createBacktest from './backtest.js';

/** @typedef {import('./backtest.js').BacktestEngine} BacktestEngine */

export const worker = /** @type {DedicatedWorkerGlobalScope} */ (/** @type {unknown} */ (self));

/** @param {unknown} reason */
const failed = (reason) =>
  worker.postMessage({ type: 'failed', reason: String(reason instanceof Error ? reason.message : reason) });
worker.onunhandledrejection = (/** @type {PromiseRejectionEvent} */ event) => failed(event.reason);

const engine = createBacktest();
engine.catch(failed);

// Hands each message the page sends to `handle`, with the engine once it is ready.
/** @template Message @param {(message: Message, engine: BacktestEngine) => void | Promise<void>} handle */
export function onMessages(handle) {
  worker.onmessage = async (/** @type {MessageEvent<Message>} */ { data }) => {
    try {
      await handle(data, await engine);
    } catch (error) {
      failed(error);
    }
  };
}
