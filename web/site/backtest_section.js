// The section under the window: the backtest of the forecast on the shipped record or on the
// player's own, its shuffles replayed by workers beside the page's thread. The settings, the
// record, the report and every word come from the engine; this moves them to the page.
import { WorkerPool } from './worker_pool.js';
import { showResult, showScrollHint, showTable } from './backtest_report.js';

const SHIPPED = 'draws-2004-2026.csv';

const byId = (id) => document.getElementById(id);

// The section's fixed words, by the elements that show them.
function showTexts(texts) {
  for (const [id, key] of [['BacktestTitle', 'title'], ['BacktestAbout', 'about'], ['BacktestRun', 'run'],
    ['BacktestChooseText', 'choose'], ['BacktestShipped', 'shipped'], ['BacktestFormat', 'format'],
    ['BacktestCancel', 'cancel'], ['BacktestSave', 'save'], ['BacktestScrollHint', 'scrollHint'],
    ['AuditRun', 'audit']]) {
    byId(id).textContent = texts[key];
  }
  byId('BacktestTableRegion').setAttribute('aria-label', texts.tableLabel);
  byId('BacktestMoneyRegion').setAttribute('aria-label', texts.moneyLabel);
  byId('BacktestPowerRegion').setAttribute('aria-label', texts.powerLabel);
  byId('AuditRegion').setAttribute('aria-label', texts.auditLabel);
}

function say(message) {
  byId('BacktestError').textContent = message;
  byId('BacktestError').hidden = message === '';
}

// While a run goes on, every control that would start another is off.
function setBusy(busy) {
  byId('Backtest').setAttribute('aria-busy', String(busy));
  byId('BacktestProgress').hidden = !busy;
  for (const control of document.querySelectorAll('#Backtest .actions button, #Backtest .actions input')) {
    control.disabled = busy;
  }
}

// The records the section can test: the shipped one, fetched once, or a file of the player's,
// whose bytes are read here (not decoded, so that the engine sees what the command line sees)
// and sent nowhere.
class Records {
  constructor(engine, language) {
    this.engine = engine;
    this.language = language;
    this.shipped = null;
  }

  async fromSite() {
    if (!this.shipped) {
      const response = await fetch(SHIPPED);
      if (!response.ok) throw new Error(`${SHIPPED}: ${response.status}`);
      this.shipped = { name: SHIPPED, own: false, bytes: new Uint8Array(await response.arrayBuffer()) };
    }
    return this.shipped;
  }

  // The player's file, or the reason it is refused before it is read.
  async fromFile(file) {
    const problem = this.engine.recordSizeProblem(file.name, file.size, this.language);
    if (problem) return { problem };
    return { name: file.name, own: true, bytes: new Uint8Array(await file.arrayBuffer()) };
  }
}

export function startBacktest(engine, language) {
  const texts = engine.sectionTexts(language);
  const query = new URLSearchParams(location.search);
  const settings = engine.pageSettings(query.get('seed'), query.get('shuffles'), language);
  const section = byId('Backtest');
  section.lang = texts.lang;
  showTexts(texts);
  const records = new Records(engine, language);
  const state = { record: { name: SHIPPED, own: false }, running: null };
  const showRecord = () => {
    byId('BacktestRecord').textContent =
      engine.recordLine(state.record.name, settings.shuffles, settings.seed, language);
    byId('BacktestShipped').hidden = !state.record.own;
  };
  const context = { engine, language, texts, settings, state, showRecord, pool: new WorkerPool(section) };
  // Tests the record `load` gives: the shipped one may not come over the network, nor a file
  // that went away be read, and the player is told so rather than left waiting.
  const runRecord = async (load) => {
    let record;
    try {
      record = await load();
    } catch {
      say(texts.unreadable);
      return;
    }
    if (state.running) return;
    if (record.problem) say(record.problem);
    else await run(context, record);
  };
  // The record last tested: the player's own, or the shipped one.
  const chosen = () => (state.record.own ? state.record : records.fromSite());
  byId('BacktestRun').addEventListener('click', () => runRecord(chosen));
  byId('BacktestShipped').addEventListener('click', () => runRecord(() => records.fromSite()));
  byId('BacktestFile').addEventListener('change', (event) => {
    const [file] = event.target.files;
    event.target.value = '';
    if (file) runRecord(() => records.fromFile(file));
  });
  byId('BacktestCancel').addEventListener('click', () => state.running?.cancel());
  byId('AuditRun').addEventListener('click', async () => {
    try {
      const record = await chosen();
      if (!state.running) audit(engine, language, record);
    } catch {
      say(texts.unreadable);
    }
  });
  section.addEventListener('dragover', (event) => { event.preventDefault(); });
  section.addEventListener('drop', (event) => {
    event.preventDefault();
    const [file] = event.dataTransfer.files;
    if (file) runRecord(() => records.fromFile(file));
  });
  window.addEventListener('resize', showScrollHint);
  showRecord();
  say(settings.problem);
  section.setAttribute('aria-busy', 'false');
}

// The record's own test of randomness: quick enough for the page's thread.
function audit(engine, language, record) {
  const answer = engine.auditRecord(record.bytes, record.name, language);
  say(answer.error ?? '');
  byId('AuditResult').hidden = answer.error !== undefined;
  if (answer.error !== undefined) return;
  byId('AuditSentence').textContent = answer.sentence;
  showTable('AuditTable', answer.rows);
  showScrollHint();
}

// Reads `record` and replays it as it is; a damaged record gets its located error and the page
// keeps everything else. Then the shuffles, then the report.
async function run(context, record) {
  const { engine, language, texts, settings, state } = context;
  const started = performance.now();
  const test = new engine.PageBacktest(record.bytes, record.name, settings.seed, settings.shuffles, language);
  try {
    const error = test.error();
    if (error) {
      say(error);
      byId('BacktestResult').hidden = true;  // not left under the error, as if it were this file's
      return;
    }
    say('');
    state.record = record;
    context.showRecord();
    setBusy(true);
    await replayShuffles(context, test);
    test.finish();
    const milliseconds = performance.now() - started;
    showResult(engine, test, { record, settings, milliseconds, language, texts });
  } catch (error) {
    say(error.name === 'AbortError' ? texts.cancelled : texts.failed);
  } finally {
    state.running = null;
    setBusy(false);
    test.delete();
  }
}

// Hands the shuffles to the workers and shows how far they are.
async function replayShuffles({ engine, language, settings, state, pool }, test) {
  const bar = byId('BacktestBar');
  bar.max = settings.shuffles;
  let done = 0;
  const progress = () => {
    bar.value = done;
    byId('BacktestProgressText').textContent = engine.progressLine(done, settings.shuffles, language);
  };
  progress();
  state.running = pool.replay(state.record.bytes, settings, (values, count) => {
    test.addShuffles(values);
    done += count;
    progress();
  });
  await state.running.finished;
}
