// The workers of one backtest: one reads the record, replays it as it is and words the report;
// the others replay its shuffles, one a core up to eight, from the record's digits that the first
// hands on. They start when a test is asked for and all end with it, so that no WebAssembly memory
// outlives its verdict. Any way a worker can fail (its script or engine not loading, an error in
// it, a message lost) ends the run with a failure the page can word, never a wait. How the
// shuffles are split among the workers is the page's own affair: parts of about the same work,
// at least eight a worker so that a slow one holds up little, the next part to the first free.

/** @typedef {import('./forecast.js').Settings} Settings */
/** @typedef {import('./messages.js').Report} Report */
/** @typedef {import('./messages.js').FromRecordWorker} FromRecordWorker */
/** @typedef {import('./messages.js').FromShuffleWorker} FromShuffleWorker */
/** @typedef {import('./messages.js').ToRecordWorker} ToRecordWorker */
/** @typedef {import('./messages.js').ToShuffleWorker} ToShuffleWorker */
// A record as its shuffles need it: as the record's worker read it.
/** @typedef {Omit<Extract<FromRecordWorker, { type: 'read' }>, 'type'>} Shuffled */

const MAX_WORKERS = 8;
const PARTS_PER_WORKER = 8;
const MAX_PART = 50;
const PART_PASSES = 2_000_000;  // about a second of work a part on a slow phone
const START_TIMEOUT = 20_000;  // a worker's engine loads and compiles within this
const QUIET_TIMEOUT = 10_000;  // and each part comes back within this at the most
// Records tested together, and a record's strategies, are replayed and shuffled in one worker, on
// a slow phone for a while.
const TOGETHER_TIMEOUT = 300_000;

// Why a run ended early: 'cancelled' by the player, 'refused' record (with its located reason),
// or 'failed' (with what is known of why).
export class RunEnded extends Error {
  /** @param {'cancelled' | 'refused' | 'failed'} kind @param {string} reason */
  constructor(kind, reason) {
    super(reason);
    this.kind = kind;
  }
}

// A worker the run listens to: every message, error and silence reaches `fail` or `listener`.
// `From` is what the worker answers.
/** @template {{ type: string }} From */
class Watched {
  /** @param {string} script @param {(error: RunEnded) => void} fail */
  constructor(script, fail) {
    this.worker = new Worker(script, { type: 'module' });
    this.fail = fail;
    /** @type {((data: From) => void) | null} */
    this.listener = null;
    /** @type {ReturnType<typeof setTimeout> | undefined} */
    this.timer = undefined;
    this.worker.onmessage = ({ data }) => {
      clearTimeout(this.timer);
      const answer = /** @type {From | { type: 'failed', reason: unknown }} */ (data);
      if (answer?.type === 'failed' && 'reason' in answer) fail(new RunEnded('failed', String(answer.reason)));
      else this.listener?.(/** @type {From} */ (answer));
    };
    this.worker.onerror = (event) => {
      event.preventDefault();
      fail(new RunEnded('failed', event.message || `${script} could not run`));
    };
    this.worker.onmessageerror = () => fail(new RunEnded('failed', `a message from ${script} was lost`));
  }

  // Sends `message` and expects an answer within `timeout` milliseconds.
  /** @param {ToRecordWorker | ToShuffleWorker} message @param {number} timeout @param {Transferable[]} [transfer] */
  send(message, timeout, transfer = []) {
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.fail(new RunEnded('failed', 'a worker stopped answering')), timeout);
    this.worker.postMessage(message, transfer);
  }

  end() {
    clearTimeout(this.timer);
    this.worker.terminate();
  }
}

/** @param {ArrayBuffer | Blob} bytes @returns {Transferable[]} */
const moved = (bytes) => (bytes instanceof ArrayBuffer ? [bytes] : []);

export class BacktestRun {
  /** @param {Settings} settings */
  constructor(settings) {
    this.settings = settings;
    /** @type {Watched<FromRecordWorker | FromShuffleWorker>[]} */
    this.workers = [];
    /** @type {Watched<FromShuffleWorker>[]} */
    this.replaying = [];
    /** @type {(error: RunEnded) => void} */
    let fail = () => {};
    /** @type {Promise<never>} */
    this.ended = new Promise((resolve, reject) => { fail = reject; });
    this.ended.catch(() => {});  // each step races it; a run that has ended says so there
    this.fail = (/** @type {RunEnded} */ error) => {
      fail(error);
      this.end();
    };
    /** @type {Watched<FromRecordWorker>} */
    this.recordWorker = this.start('record_worker.js');
  }

  /** @template {{ type: string }} From @param {string} script @returns {Watched<From>} */
  start(script) {
    const watched = new Watched(script, this.fail);
    this.workers.push(watched);
    return watched;
  }

  // Asks the record's worker and waits for an answer of one of `types`, or for the run to end.
  /**
   * @template {FromRecordWorker['type']} T
   * @param {ToRecordWorker} message @param {T[]} types @param {Transferable[]} [transfer]
   * @param {number} [timeout] how long the worker may take to answer
   * @returns {Promise<Extract<FromRecordWorker, { type: T }>>}
   */
  ask(message, types, transfer = [], timeout = START_TIMEOUT) {
    const answer = new Promise((resolve) => {
      this.recordWorker.listener = (/** @type {FromRecordWorker} */ data) => {
        if (data.type === 'refused') this.fail(new RunEnded('refused', data.message));
        else if (types.includes(/** @type {T} */ (data.type))) resolve(data);
        else this.fail(new RunEnded('failed', `the record's worker answered ${data.type}`));
      };
    });
    this.recordWorker.send(message, timeout, transfer);
    return Promise.race([answer, this.ended]);
  }

  // Reads and replays the record of `bytes`, which go to the worker: moved there, or a file the
  // worker reads.
  /** @param {ArrayBuffer | Blob} bytes @param {string} name @param {string} language */
  read(bytes, name, language) {
    return this.ask({ type: 'read', bytes, name, settings: this.settings, language }, ['read'], moved(bytes));
  }

  /** @param {ArrayBuffer | Blob} bytes @param {string} name @param {string} language */
  audit(bytes, name, language) {
    return this.ask({ type: 'audit', bytes, name, language }, ['audit'], moved(bytes));
  }

  // Tests the claims on several games' records at once, in the record's worker.
  /** @param {import('./messages.js').TogetherRecord[]} records @param {string} language */
  together(records, language) {
    return this.ask({ type: 'together', records, settings: this.settings, language }, ['together'],
      records.flatMap(({ bytes }) => moved(bytes)), TOGETHER_TIMEOUT);
  }

  // Tests the strategies a trend chart suggests on the record of `bytes`, in the record's worker.
  /** @param {ArrayBuffer | Blob} bytes @param {string} name @param {string} language */
  strategies(bytes, name, language) {
    return this.ask({ type: 'strategies', bytes, name, settings: this.settings, language }, ['strategies'],
      moved(bytes), TOGETHER_TIMEOUT);
  }

  // Ends the test: its report, or how many more shuffles a borderline claim wants.
  /** @param {boolean} narrow @returns {Promise<{ report: Report } | { more: number }>} */
  async finish(narrow) {
    const answer = await this.ask({ type: 'finish', narrow }, ['report', 'more']);
    return answer.type === 'more' ? { more: answer.count } : { report: answer.report };
  }

  // The workers that replay the shuffles, started with the first shuffles and kept for more: one
  // a core up to eight, as many as the record's size allows, each handed the record once.
  /** @param {Shuffled} record @param {number} wanted */
  shufflers({ digits, restarts, workers }, wanted) {
    if (this.replaying.length === 0) {
      const count = Math.max(1, Math.min(MAX_WORKERS, navigator.hardwareConcurrency || 1, wanted, workers));
      for (let w = 0; w < count; ++w) {
        /** @type {Watched<FromShuffleWorker>} */
        const worker = this.start('shuffle_worker.js');
        worker.send({ type: 'record', digits, restarts, settings: this.settings }, START_TIMEOUT);
        this.replaying.push(worker);
      }
    }
    return this.replaying;
  }

  // Replays shuffles first ... end - 1 of `record`; each part goes to the record's worker, and
  // `onProgress` hears how many are done in all.
  /**
   * @param {Shuffled} record @param {number} first @param {number} end
   * @param {(done: number) => void} onProgress
   */
  shuffle(record, first, end, onProgress) {
    const starting = this.replaying.length === 0;
    const workers = this.shufflers(record, end - first);
    const size = Math.max(1, Math.min(MAX_PART, Math.floor(PART_PASSES / Math.max(record.draws, 1)),
      Math.ceil((end - first) / (workers.length * PARTS_PER_WORKER))));
    let next = first;
    let done = first;
    /** @type {Promise<void>} */
    const finished = new Promise((resolve) => {
      if (end <= first) resolve();
      for (const worker of workers) {
        // The part this worker was handed and has not answered: only that part is taken from it,
        // so that a part answered twice or never asked for ends the run rather than miscount.
        /** @type {number | null} */
        let awaited = null;
        const handOut = (timeout = QUIET_TIMEOUT) => {
          if (next >= end) return;
          const from = next;
          next = Math.min(end, next + size);
          awaited = from;
          worker.send({ type: 'replay', first: from, count: next - from }, timeout);
        };
        worker.listener = (/** @type {FromShuffleWorker} */ data) => {
          if (data.type !== 'part') return;
          if (data.first !== awaited) {
            this.fail(new RunEnded('failed', `a worker answered shuffles from ${data.first} unasked`));
            return;
          }
          awaited = null;
          this.recordWorker.worker.postMessage({ type: 'part', first: data.first, values: data.values },
            [data.values.buffer]);
          done += data.count;
          onProgress(done);
          if (done === end) resolve();
          else handOut();
        };
        handOut(starting ? START_TIMEOUT : QUIET_TIMEOUT);  // a new worker's engine loads first
      }
    });
    return Promise.race([finished, this.ended]);
  }

  cancel() {
    this.fail(new RunEnded('cancelled', ''));
  }

  // Ends every worker; their memory goes with them.
  end() {
    for (const worker of this.workers) worker.end();
    this.workers = [];
    this.replaying = [];
  }
}
