// The section under the window: the backtest of the forecast on the shipped record or on the
// player's own, its shuffles replayed by workers beside the page's thread. The record, the
// report, its verdict, table and chart all come from the engine; this moves them to the page.

const SHIPPED = 'draws-2004-2026.csv';
const MAX_WORKERS = 8;
const MAX_SHUFFLES = 100000;  // each kept shuffle takes 128 bytes of the page's memory
const MAX_FILE_BYTES = 64 * 1024 * 1024;  // a record of every draw since 1900 is under 2 MB

const TEXTS = {
  zh: {
    title: '这个预测灵吗？',
    about: '这里把上面的预测放到真实的开奖记录上逐期重演：每一期都用它之前三期的号码来预测，再对照那一期真正开出的号码，'
      + '并和同样大小的盲选比一比。然后把记录的先后顺序打乱许多次，每次再算一遍。预测只看号码的先后顺序，'
      + '所以它若真有门道，在真实的记录上就该明显比在打乱的记录上准。所有计算都在你的浏览器里完成，你选的文件不会发送到任何地方。',
    run: '开始检验', choose: '选择自己的记录（CSV）…', shipped: '改回自带的记录',
    format: '也可以把 CSV 文件拖到这一栏里。格式与命令行相同：每行 period,d1,d2,d3 或 period,d1,d2,d3,sum，最早的一期在前。',
    record: (name, shuffles, seed) => `记录：${name}　打乱 ${shuffles} 次，种子 ${seed}`,
    progress: (done, total) => `已打乱 ${done} / ${total} 次`,
    cancel: '取消', cancelled: '已取消检验。', failed: '检验中途出错，请重试。',
    took: (seconds) => `（用时 ${seconds} 秒）`,
    tooLarge: (name) => `${name} 超过 64 MB，不像开奖记录。`,
    save: '保存报告（JSON）',
    reproduce: '命令行上同样的结果：',
    chartTitle: '三个号码范围的滚动命中率',
  },
  en: {
    title: 'Does this forecast work?',
    about: 'This replays the forecast above on the real record of the draws: each draw is forecast from the three '
      + 'before it and scored against what was drawn, beside blind picks of the same size. Then the order of the '
      + 'record is shuffled many times and the replay made again each time. The forecast reads nothing but the '
      + 'order of the draws, so if it worked it would do clearly better on the real record than on the shuffled '
      + 'ones. Everything runs in your browser; a file you choose is sent nowhere.',
    run: 'Run the test', choose: 'Choose your own record (CSV)…', shipped: 'Back to the shipped record',
    format: 'You can also drop a CSV file on this section. The format is the command line\'s: '
      + 'period,d1,d2,d3 or period,d1,d2,d3,sum a line, oldest draw first.',
    record: (name, shuffles, seed) => `Record: ${name}, ${shuffles} shuffles, seed ${seed}`,
    progress: (done, total) => `${done} of ${total} shuffles replayed`,
    cancel: 'Cancel', cancelled: 'The test was cancelled.', failed: 'The test failed part way; please try again.',
    took: (seconds) => ` (${seconds} s)`,
    tooLarge: (name) => `${name} is larger than 64 MB, far larger than any record of draws.`,
    save: 'Save the report (JSON)',
    reproduce: 'The same result on the command line: ',
    chartTitle: 'Rolling hit rate of the three lists',
  },
};

const byId = (id) => document.getElementById(id);

// Chinese for a browser whose first language is Chinese, English for any other.
export function sectionLanguage(languages = navigator.languages ?? [navigator.language]) {
  return String(languages[0] ?? '').toLowerCase().startsWith('zh') ? 'zh' : 'en';
}

// The seed and shuffles a link may set (?seed=7&shuffles=200), else the command line's defaults.
function testSettings() {
  const query = new URLSearchParams(location.search);
  const shuffles = Number(query.get('shuffles') ?? 1000);
  return {
    seed: query.get('seed') ?? '1',
    shuffles: Number.isInteger(shuffles) && shuffles >= 1 && shuffles <= MAX_SHUFFLES ? shuffles : 1000,
  };
}

// Workers for the shuffles, one a core up to eight. They start when the section comes into view,
// so that their engines are ready by the first click and a visitor who never scrolls to it starts
// none; a cancelled test ends them, and new ones take their place.
class WorkerPool {
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

  // Replays shuffles 0 ... shuffles-1 of `record` in parts, handing the next part to the first
  // worker free, and calls onPart with each part's statistics. Resolves when all are in;
  // cancel() ends every worker at once.
  replay(record, { seed, shuffles }, onPart) {
    this.ready();
    const workers = this.workers.slice(0, Math.min(this.size, shuffles));
    const size = Math.max(1, Math.min(50, Math.ceil(shuffles / (workers.length * 8))));
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
        onPart(data.first, data.values);
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
    return { finished, cancel: () => restart(new DOMException('cancelled', 'AbortError')) };
  }
}

function showTable(rows) {
  const table = byId('BacktestTable');
  table.replaceChildren();
  const [heading, ...body] = rows;
  const head = table.createTHead().insertRow();
  for (const text of heading) head.append(Object.assign(document.createElement('th'), { scope: 'col', textContent: text }));
  const tbody = table.createTBody();
  for (const row of body) {
    const line = tbody.insertRow();
    line.append(Object.assign(document.createElement('th'), { scope: 'row', textContent: row[0] }));
    for (const text of row.slice(1)) line.insertCell().textContent = text;
  }
}

function showChart(svgText, title) {
  const svg = new DOMParser().parseFromString(svgText, 'image/svg+xml').documentElement;
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', title);
  byId('BacktestChart').replaceChildren(document.importNode(svg, true));
}

export function startBacktest(engine) {
  const language = sectionLanguage();
  const texts = TEXTS[language];
  const settings = testSettings();
  const section = byId('Backtest');
  section.lang = language === 'zh' ? 'zh-CN' : 'en';
  for (const [id, key] of [['BacktestTitle', 'title'], ['BacktestAbout', 'about'], ['BacktestRun', 'run'],
    ['BacktestChooseText', 'choose'], ['BacktestShipped', 'shipped'], ['BacktestFormat', 'format'],
    ['BacktestCancel', 'cancel'], ['BacktestSave', 'save']]) byId(id).textContent = texts[key];

  const pool = new WorkerPool(section);
  let record = { name: SHIPPED, own: false, bytes: null };
  let shippedRecord = null;
  let running = null;
  let saved = null;

  const setBusy = (busy) => {
    section.setAttribute('aria-busy', String(busy));
    byId('BacktestProgress').hidden = !busy;
    for (const id of ['BacktestRun', 'BacktestFile', 'BacktestShipped']) byId(id).disabled = busy;
  };
  const say = (message) => {
    byId('BacktestError').textContent = message;
    byId('BacktestError').hidden = message === '';
  };
  const showRecord = () => {
    byId('BacktestRecord').textContent = texts.record(record.name, settings.shuffles, settings.seed);
    byId('BacktestShipped').hidden = !record.own;
  };

  // Reads the record and replays it as it is; a damaged record gets its located error and the
  // page keeps everything else. Then the shuffles, then the report.
  async function run(candidate) {
    const started = performance.now();
    const test = new engine.PageBacktest(candidate.bytes, candidate.name, settings.seed, settings.shuffles,
                                         language);
    try {
      const error = test.error();
      if (error) {
        say(error);
        return;
      }
      say('');
      record = candidate;
      showRecord();
      setBusy(true);
      byId('BacktestBar').max = settings.shuffles;
      let done = 0;
      const progress = () => {
        byId('BacktestBar').value = done;
        byId('BacktestProgressText').textContent = texts.progress(done, settings.shuffles);
      };
      progress();
      running = pool.replay(candidate.bytes, settings, (first, values) => {
        test.addShuffles(first, values);
        done += values.length / 16;
        progress();
      });
      await running.finished;
      test.finish();
      showResult(test, (performance.now() - started) / 1000);
    } catch (error) {
      say(error.name === 'AbortError' ? texts.cancelled : texts.failed);
    } finally {
      running = null;
      setBusy(false);
      test.delete();
    }
  }

  function showResult(test, seconds) {
    byId('BacktestVerdict').textContent = test.verdict();
    byId('BacktestTook').textContent = texts.took(seconds.toFixed(1));
    byId('BacktestResult').dataset.seconds = String(seconds);
    showTable(test.table());
    showChart(test.chart(), texts.chartTitle);
    if (saved) URL.revokeObjectURL(saved);
    saved = URL.createObjectURL(new Blob([test.json()], { type: 'application/json' }));
    const save = byId('BacktestSave');
    save.href = saved;
    save.download = `${record.name.replace(/\.csv$/i, '')}-backtest.json`;
    byId('BacktestCommand').textContent = texts.reproduce;
    byId('BacktestCommandLine').textContent =
      `quorvel-backtest ${record.name} --json --seed ${settings.seed} --shuffles ${settings.shuffles}`;
    byId('BacktestResult').hidden = false;
  }

  const shipped = async () => {
    if (!shippedRecord) {
      const response = await fetch(SHIPPED);
      shippedRecord = { name: SHIPPED, own: false, bytes: new Uint8Array(await response.arrayBuffer()) };
    }
    return shippedRecord;
  };
  const fromFile = async (file) => ({ name: file.name, own: true, bytes: new Uint8Array(await file.arrayBuffer()) });
  const runFile = async (file) => {
    if (!file || running) return;
    if (file.size > MAX_FILE_BYTES) say(texts.tooLarge(file.name));
    else await run(await fromFile(file));
  };

  byId('BacktestRun').addEventListener('click', async () => {
    if (!running) await run(record.own ? record : await shipped());
  });
  byId('BacktestShipped').addEventListener('click', async () => { if (!running) await run(await shipped()); });
  byId('BacktestFile').addEventListener('change', async (event) => {
    const [file] = event.target.files;
    event.target.value = '';
    await runFile(file);
  });
  byId('BacktestCancel').addEventListener('click', () => running?.cancel());
  section.addEventListener('dragover', (event) => { event.preventDefault(); });
  section.addEventListener('drop', async (event) => {
    event.preventDefault();
    await runFile(event.dataTransfer.files[0]);
  });
  showRecord();
  section.setAttribute('aria-busy', 'false');
}
