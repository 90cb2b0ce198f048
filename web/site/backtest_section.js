// The section under the window: the backtest of the forecast on the shipped record or on the
// player's own. Its engine and workers start only when a test is asked for; the record is read,
// replayed and worded in one worker, its shuffles replayed by others. Every setting, number and
// word comes from the engines; this moves them to the page.
import { BacktestRun, RunEnded } from './backtest_workers.js';
import { offerCopies, showReport, showScrollHint, showTable } from './backtest_report.js';
import { allGames, byId, chosenGame, GAME_CHANGED, onPhone } from './window_form.js';
import { keptStoreOf } from './kept_store.js';
import { RECORD_CHANGED } from './record_events.js';

/** @typedef {import('./forecast.js').ForecastEngine} ForecastEngine */
/** @typedef {import('./forecast.js').Settings} Settings */
// A record to test: its name, whether it is the player's own, its size when known before it is
// read, and how to get its bytes afresh.
/** @typedef {{ name: string, own: boolean, size?: number, bytes: () => Promise<ArrayBuffer | Blob> }} TestRecord */
/**
 * @typedef {object} Section
 * @property {ForecastEngine} engine
 * @property {string} language
 * @property {Record<string, string>} words
 * @property {import('./window_form.js').Game} game  the chosen game, whose record is tested
 * @property {Settings} settings  the link's, for the chosen game
 * @property {TestRecord} record  the record the next test takes
 * @property {BacktestRun | null} running
 * @property {Map<string, Shown>} shown  each game's last report, shown again when it is chosen
 */
/** @typedef {{ report: import('./messages.js').Report, took: string, commandLine: string }} Shown */

/** @param {string} message */
function say(message) {
  byId('BacktestError').textContent = message;
  byId('BacktestError').hidden = message === '';
}

// While a run goes on, every control that would start another is off.
/** @param {boolean} busy */
function setBusy(busy) {
  byId('Backtest').setAttribute('aria-busy', String(busy));
  byId('BacktestProgress').hidden = !busy;
  for (const control of document.querySelectorAll('#Backtest .actions button, #Backtest .actions input')) {
    /** @type {HTMLButtonElement | HTMLInputElement} */ (control).disabled = busy;
  }
}

// The record this device keeps, as it is now: the one the player grew, else the shipped one,
// fetched from the site; a fresh copy of its bytes each time, since a test hands them to a worker.
/** @param {import('./window_form.js').Game} game @returns {TestRecord} */
function deviceRecord(game) {
  const shippedName = game.record;
  const kept = keptStoreOf(game).load();
  if (kept) {
    const bytes = new TextEncoder().encode(kept.text);
    return { name: kept.name, own: false, bytes: async () => bytes.slice(0).buffer };
  }
  return {
    name: shippedName, own: false,
    bytes: async () => {
      const response = await fetch(shippedName);
      if (!response.ok) throw new Error(`${shippedName}: ${response.status}`);
      return response.arrayBuffer();
    },
  };
}

// A file of the player's, read afresh by the record's worker each time it is tested, and sent
// nowhere.
/** @param {File} file @returns {TestRecord} */
const fileRecord = (file) => ({ name: file.name, own: true, size: file.size, bytes: async () => file });

/** @param {Section} section */
function showRecord(section) {
  byId('BacktestRecord').textContent =
    section.engine.recordLine(section.record.name, section.settings, section.language);
  byId('BacktestShipped').hidden = !section.record.own;
}

// Says how a run ended early, in the player's words.
/** @param {Section} section @param {unknown} error */
function sayEnded(section, error) {
  if (!(error instanceof RunEnded)) say(section.words.failed);
  else if (error.kind === 'refused') say(error.message);
  else say(section.words[error.kind]);
}

// Tests `record`: from the moment it is chosen until its verdict no earlier result stands. It
// becomes the section's record with its verdict; a run that ends early leaves the record before
// it named, with no result under it.
/** @param {Section} section @param {TestRecord} record */
async function test(section, record) {
  if (section.running) {
    say(section.words.busy);
    return;
  }
  const { engine, language, settings } = section;
  const memory = /** @type {{ deviceMemory?: number }} */ (navigator).deviceMemory ?? 0;
  const tooLarge = record.size === undefined ? '' : engine.recordSizeProblem(record.name, record.size, memory, language);
  say(tooLarge);
  if (tooLarge) return;
  const previous = section.record;
  const game = section.game;
  byId('BacktestResult').hidden = true;
  byId('AuditResult').hidden = true;
  section.shown.delete(game.id);
  section.record = record;
  showRecord(section);
  const run = new BacktestRun(settings);
  section.running = run;
  setBusy(true);
  const started = performance.now();
  try {
    const read = await run.read(await readBytes(section, record), record.name, language);
    const report = await replayShuffles(section, run, read);
    const shown = { report, took: engine.tookText(performance.now() - started, language),
                    commandLine: engine.commandLine(record.name, settings) };
    // A test of a game the player has left is kept for its return.
    section.shown.set(game.id, shown);
    if (section.game === game) showReport(report, { words: section.words, ...shown });
  } catch (error) {
    if (section.game === game) {
      section.record = previous;
      showRecord(section);
      sayEnded(section, error);
    }
  } finally {
    run.end();
    section.running = null;
    setBusy(false);
  }
}

// The record's bytes, or the reason they could not be had.
/** @param {Section} section @param {TestRecord} record */
async function readBytes(section, record) {
  try {
    return await record.bytes();
  } catch {
    throw new RunEnded('refused', section.words.unreadable);
  }
}

// Hands the shuffles to the workers and shows how far they are; then more while a claim is
// borderline. The report.
/**
 * @param {Section} section @param {BacktestRun} run @param {import('./backtest_workers.js').Shuffled} read
 * @returns {Promise<import('./messages.js').Report>}
 */
async function replayShuffles({ engine, language, settings }, run, read) {
  const bar = /** @type {HTMLProgressElement} */ (byId('BacktestBar'));
  let planned = settings.shuffles;
  /** @param {number} done */
  const progress = (done) => {
    bar.max = planned;
    bar.value = done;
    byId('BacktestProgressText').textContent = engine.progressLine(done, planned, settings, language);
  };
  progress(0);
  for (let done = 0; ;) {
    await run.shuffle(read, done, planned, progress);
    const finished = await run.finish(onPhone());
    if ('report' in finished) return finished.report;
    done = planned;
    planned += finished.more;
  }
}

// The record's own test of randomness, in the record's worker.
/** @param {Section} section */
async function audit(section) {
  if (section.running) {
    say(section.words.busy);
    return;
  }
  const { record, language } = section;
  const run = new BacktestRun(section.settings);
  section.running = run;
  setBusy(true);
  try {
    const answer = await run.audit(await readBytes(section, record), record.name, language);
    say('');
    byId('AuditSentence').textContent = answer.sentence;
    showTable('AuditTable', answer.rows);
    byId('AuditResult').hidden = false;
    showScrollHint();
  } catch (error) {
    byId('AuditResult').hidden = true;
    sayEnded(section, error);
  } finally {
    run.end();
    section.running = null;
    setBusy(false);
  }
}

// The forecast's claims on every game's record at once, each record the one this device keeps for
// its game, with each record's own verdict beside them. It stands whichever game is chosen, until
// a record changes.
/** @param {Section} section */
async function together(section) {
  if (section.running) {
    say(section.words.busy);
    return;
  }
  const run = new BacktestRun(section.settings);
  section.running = run;
  setBusy(true);
  byId('TogetherResult').hidden = true;
  try {
    const records = await Promise.all(allGames().map(async (game) => {
      const record = deviceRecord(game);
      return { bytes: await readBytes(section, record), name: record.name, game: game.id };
    }));
    const answer = await run.together(records, section.language);
    say('');
    byId('TogetherAlone').textContent = answer.alone.join('\n');
    byId('TogetherSentence').textContent = answer.sentence;
    showTable('TogetherClaims', answer.claims);
    byId('TogetherResult').hidden = false;
  } catch (error) {
    sayEnded(section, error);
  } finally {
    run.end();
    section.running = null;
    setBusy(false);
  }
}

// Another game: its own record, the link's settings for it, and its own last report if it had one.
/** @param {Section} section @param {string[]} seeds @param {string[]} shuffles the link's */
function followGame(section, seeds, shuffles) {
  section.game = chosenGame();
  section.settings = section.engine.linkSettings(seeds, shuffles, section.game.id, section.language).settings;
  section.record = deviceRecord(section.game);
  byId('BacktestResult').hidden = true;
  byId('AuditResult').hidden = true;
  const shown = section.shown.get(section.game.id);
  if (shown) showReport(shown.report, { words: section.words, ...shown });
  if (!section.running) showRecord(section);
}

/** @type {Section | null} */
let started = null;

// The backtest's settings for the chosen game, as the page's link gives them; null before the
// section starts.
export const currentSettings = () => started?.settings ?? null;

// Wires the section to `engine`, the forecast's module, which gives its words and settings.
/** @param {ForecastEngine} engine @param {string} language */
export function startBacktest(engine, language) {
  const element = byId('Backtest');
  const query = new URLSearchParams(location.search);
  const seeds = query.getAll('seed'), shuffles = query.getAll('shuffles');
  const game = chosenGame();
  const { settings, problems } = engine.linkSettings(seeds, shuffles, game.id, language);
  /** @type {Section} */
  const section = { engine, language, words: engine.words(language).words, game, settings,
                    record: deviceRecord(game), running: null, shown: new Map() };
  started = section;
  /** @param {File | undefined} file */
  const testFile = (file) => { if (file) test(section, fileRecord(file)); };
  byId('BacktestRun').addEventListener('click',
    () => test(section, section.record.own ? section.record : deviceRecord(section.game)));
  byId('BacktestShipped').addEventListener('click', () => test(section, deviceRecord(section.game)));
  // A result on the device's record is stale once the record changes.
  document.addEventListener(RECORD_CHANGED, (event) => {
    const changed = /** @type {CustomEvent<string>} */ (event).detail;
    byId('TogetherResult').hidden = true;
    if (changed !== section.game.id) {
      section.shown.delete(changed);
      return;
    }
    if (section.record.own) return;
    section.shown.delete(changed);
    section.record = deviceRecord(section.game);
    byId('BacktestResult').hidden = true;
    byId('AuditResult').hidden = true;
    if (!section.running) showRecord(section);
  });
  document.addEventListener(GAME_CHANGED, () => followGame(section, seeds, shuffles));
  byId('AuditRun').addEventListener('click', () => audit(section));
  byId('TogetherRun').addEventListener('click', () => together(section));
  const input = /** @type {HTMLInputElement} */ (byId('BacktestFile'));
  input.addEventListener('change', () => {
    const file = input.files?.[0];
    input.value = '';
    testFile(file);
  });
  byId('BacktestCancel').addEventListener('click', () => section.running?.cancel());
  element.addEventListener('dragover', (event) => { event.preventDefault(); });
  element.addEventListener('drop', (event) => {
    event.preventDefault();
    testFile(event.dataTransfer?.files[0]);
  });
  window.addEventListener('resize', showScrollHint);
  offerCopies();
  byId('BacktestEvidence').addEventListener('toggle', showScrollHint);
  showRecord(section);
  say(problems.join('\n'));
  element.setAttribute('aria-busy', 'false');
}
