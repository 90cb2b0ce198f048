// Workers that replay the backtest's shuffles beside the page's thread, one a core up to eight.
// They start when the section comes into view, so that their engines are ready by the first click
// and a visitor who never scrolls to it starts none; a cancelled run ends them, and new ones take
// their place. How the shuffles are split among them is the page's own affair: parts of up to 50,
// at least eight for each worker so that a slow one holds up little, the next part to the first
// worker free.

const MAX_WORKERS = 8;
const MAX_PART = 50;
const PARTS_PER_WORKER = 8;

export class WorkerPool {
  constructor(section) {
    this.size = Math.max(1, Math.min(MAX_WORKERS, navigator.hardwareConcurrency || 1));
    this.workers = [];
    const observer = new IntersectionObserver((entries) => {
      if (entries.some((entry) => entry.isIntersecting)) {
        observer.disconnect();
        this.ready();
      }
    });
    observer.observe(section);
  }

  ready() {
    if (this.workers.length === 0) this.start();
  }

  start() {
    this.workers = Array.from({ length: this.size }, () => new Worker('shuffle_worker.js'));
  }

  // Replays shuffles 0 ... shuffles-1 of `record` in parts and calls onPart(values, count) with
  // each part's statistics, as the engine wrote them, and its number of shuffles. Resolves when
  // all are in; cancel() ends every worker at once.
  replay(record, { seed, shuffles }, onPart) {
    this.ready();
    const workers = this.workers.slice(0, Math.max(1, Math.min(this.size, shuffles)));
    const parts = workers.length * PARTS_PER_WORKER;
    const size = Math.max(1, Math.min(MAX_PART, Math.ceil(shuffles / parts)));
    let next = 0;
    let done = 0;
    let settle;
    const finished = new Promise((resolve, reject) => { settle = { resolve, reject }; });
    const handOut = (worker) => {
      if (next >= shuffles) return;
      const first = next;
      next = Math.min(shuffles, next + size);
      worker.postMessage({ first, count: next - first });
    };
    const restart = (error) => {
      for (const worker of this.workers) worker.terminate();
      this.start();
      settle.reject(error);
    };
    for (const worker of workers) {
      worker.onmessage = ({ data }) => {
        onPart(data.values, data.count);
        done += data.count;
        if (done === shuffles) settle.resolve();
        else handOut(worker);
      };
      worker.onerror = (event) => {
        event.preventDefault();
        restart(new Error(event.message));
      };
      worker.postMessage({ record, seed });
      handOut(worker);
    }
    if (shuffles === 0) settle.resolve();
    return { finished, cancel: () => restart(new DOMException('cancelled', 'AbortError')) };
  }
}
