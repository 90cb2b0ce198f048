// The record kept on this device, under the window: draws pasted, read from a file or typed
// after the draw shift join it; it is saved, downloaded or forgotten; and its recent draws are
// shown beside the forecast made for each, with the test on later draws. Its engine loads the first
// time the player opens the section or Predicts; every rule, number and word comes from it.
import createRecord from './record.js';
import { showTable } from './backtest_report.js';
import { download } from './downloads.js';
import { keptStore } from './kept_store.js';
import { RECORD_CHANGED } from './record_events.js';
import { byId, setGrid } from './window_form.js';

/** @typedef {import('./record.js').RecordEngine} RecordEngine */
/** @typedef {import('./record.js').KeptRecord} KeptRecord */
/**
 * @typedef {object} Keeper
 * @property {RecordEngine} engine
 * @property {string} language
 * @property {Record<string, string>} words
 * @property {string} shippedName
 * @property {KeptRecord} record
 * @property {string} lastTyped  the period last typed, which Predict may still correct
 * @property {number} recentCount
 * @property {{ text: string, name: string } | null} pending  draws that disagree, awaiting a choice
 */

/** @type {Promise<Keeper> | null} */
let started = null;

// The shipped record's text, or '' when it cannot be had.
/** @param {string} name */
async function shippedText(name) {
  try {
    const response = await fetch(name);
    return response.ok ? await response.text() : '';
  } catch {
    return '';
  }
}

// The record this device keeps, or the shipped one; what was wrong with the kept one, if anything.
/** @param {Keeper} keeper @returns {Promise<string[]>} */
async function loadRecord(keeper) {
  const { engine, language, words, shippedName } = keeper;
  const kept = keptStore.load();
  const notes = [];
  if (kept) {
    const record = new engine.KeptRecord(kept.text, kept.name || words.recordTitle, language);
    if (!record.error()) {
      keeper.record = record;
      keeper.lastTyped = kept.lastTyped;
      return [];
    }
    notes.push(record.damaged());
    keptStore.setAside(kept.text);
    record.delete();
  } else if (await keptStore.wasCleared()) {
    notes.push(words.storageCleared);
  }
  keeper.record = new engine.KeptRecord(await shippedText(shippedName), shippedName, language);
  if (keeper.record.error()) notes.push(words.unreadable);
  return notes;
}

// The recent draws, newest first, each beside the forecast made for it, and their totals.
/** @param {Keeper} keeper */
function showRecent({ record, recentCount }) {
  const recent = record.recent(recentCount);
  const table = /** @type {HTMLTableElement} */ (byId('Recent'));
  table.replaceChildren();
  const head = table.createTHead().insertRow();
  for (const text of recent.heading) {
    head.append(Object.assign(document.createElement('th'), { scope: 'col', textContent: text }));
  }
  const body = table.createTBody();
  for (const row of recent.rows) {
    const line = body.insertRow();
    line.dataset.period = row.period;
    line.append(Object.assign(document.createElement('th'), { scope: 'row', textContent: row.period }));
    line.insertCell().textContent = row.draw;
    line.insertCell().textContent = row.sum;
    for (const { name, text, hit } of row.cells) {
      const cell = line.insertCell();
      cell.dataset.output = name;
      if (hit !== undefined) cell.dataset.hit = String(hit);
      cell.textContent = text;
    }
    for (const money of row.money) line.insertCell().textContent = money;
  }
  byId('RecentMore').hidden = !recent.more;
  showTable('RecentTotals', recent.totals);
}

/** @param {Keeper} keeper */
function showLaterDraws({ record }) {
  const laterDraws = record.laterDraws();
  byId('Prospective').hidden = laterDraws === null;
  if (!laterDraws) return;
  byId('ProspectiveHeading').textContent = laterDraws.heading;
  showTable('ProspectiveTable', laterDraws.rows);
  byId('ProspectiveSentence').textContent = laterDraws.sentence;
}

// Shows the record: what happened to it (`said`, else its status), its recent draws and the
// test on later draws.
/** @param {Keeper} keeper @param {string[]} [said] */
function show(keeper, said = []) {
  const lines = said.filter((line) => line !== '');
  byId('RecordStatus').textContent = (lines.length > 0 ? lines : [keeper.record.status()]).join('\n');
  showRecent(keeper);
  showLaterDraws(keeper);
}

// Saves the record on the device and tells the backtest; what the player must know if it could
// not be saved.
/** @param {Keeper} keeper */
function keep(keeper) {
  const saved = keptStore.save({ text: keeper.record.csv(), name: keeper.record.fileName(),
                                 lastTyped: keeper.lastTyped });
  document.dispatchEvent(new CustomEvent(RECORD_CHANGED));
  return saved ? '' : keeper.words.notStored;
}

// Joins the draws of `text` to the record; where they disagree with it, nothing changes until the
// player chooses. After draws join, the grid holds the record's newest three.
/**
 * @param {Keeper} keeper @param {string} text @param {string} name
 * @param {'ask' | 'given' | 'kept'} choice what to do where the draws disagree with the record
 */
function addDraws(keeper, text, name, choice) {
  if (text.trim() === '') {
    show(keeper, [keeper.words.nothingPasted]);
    return;
  }
  const result = keeper.record.add(text, name, choice);
  keeper.pending = result.disagree ? { text, name } : null;
  byId('RecordUseGiven').hidden = !result.disagree;
  byId('RecordKeepKept').hidden = !result.disagree;
  let note = '';
  if (!result.error && !result.disagree) {
    note = keep(keeper);
    const grid = keeper.record.grid();
    if (result.added > 0 && grid) setGrid(grid);
    /** @type {HTMLTextAreaElement} */ (byId('RecordPaste')).value = '';
  }
  show(keeper, [result.status, note]);
}

/** @param {Keeper} keeper @param {File | undefined} file */
async function addFile(keeper, file) {
  if (!file) return;
  const tooLarge = keeper.engine.fileSizeProblem(file.name, file.size, keeper.language);
  if (tooLarge) {
    show(keeper, [tooLarge]);
    return;
  }
  addDraws(keeper, await file.text(), file.name, 'ask');
}

// Back to the shipped record, once the player confirms it.
/** @param {Keeper} keeper */
async function forget(keeper) {
  const dialog = /** @type {HTMLDialogElement} */ (byId('ForgetDialog'));
  dialog.returnValue = '';
  dialog.showModal();
  await new Promise((resolve) => dialog.addEventListener('close', resolve, { once: true }));
  if (dialog.returnValue !== 'yes') return;
  keptStore.forget();
  keeper.record.delete();
  keeper.lastTyped = '';
  const notes = await loadRecord(keeper);
  document.dispatchEvent(new CustomEvent(RECORD_CHANGED));
  show(keeper, [keeper.words.forgotten, keeper.record.status(), ...notes]);
}

/** @param {Keeper} keeper */
function wire(keeper) {
  const paste = /** @type {HTMLTextAreaElement} */ (byId('RecordPaste'));
  byId('RecordAdd').addEventListener('click', () => addDraws(keeper, paste.value, keeper.words.pastedName, 'ask'));
  // Either choice decides only the disagreeing periods: the new ones of the same draws join.
  byId('RecordUseGiven').addEventListener('click', () => {
    if (keeper.pending) addDraws(keeper, keeper.pending.text, keeper.pending.name, 'given');
  });
  byId('RecordKeepKept').addEventListener('click', () => {
    if (keeper.pending) addDraws(keeper, keeper.pending.text, keeper.pending.name, 'kept');
  });
  const input = /** @type {HTMLInputElement} */ (byId('RecordFile'));
  input.addEventListener('change', () => {
    const file = input.files?.[0];
    input.value = '';
    addFile(keeper, file);
  });
  const section = byId('Record');
  section.addEventListener('dragover', (event) => event.preventDefault());
  section.addEventListener('drop', (event) => {
    event.preventDefault();
    addFile(keeper, event.dataTransfer?.files[0]);
  });
  byId('RecordExport').addEventListener('click', () =>
    download(keeper.record.csv(), keeper.record.fileName(), 'text/csv', byId('RecordCopy')));
  byId('RecordForget').addEventListener('click', () => forget(keeper));
  byId('RecentMore').addEventListener('click', () => {
    keeper.recentCount += keeper.engine.recentStep;
    showRecent(keeper);
  });
}

/** @param {string} language @param {Record<string, string>} words @param {string} shippedName */
async function startKeeper(language, words, shippedName) {
  const engine = await createRecord();
  /** @type {Keeper} */
  const keeper = { engine, language, words, shippedName,
                   record: /** @type {KeptRecord} */ (/** @type {unknown} */ (null)), lastTyped: '',
                   recentCount: engine.recentStep, pending: null };
  const notes = await loadRecord(keeper);
  // Reading the record and showing it are two tasks, so neither holds up the page for long.
  await new Promise((resolve) => setTimeout(resolve));
  wire(keeper);
  show(keeper, notes);
  byId('RecordBody').setAttribute('aria-busy', 'false');
  return keeper;
}

// The section's keeper, started once: by opening the section or by the first Predict.
/** @param {string} language @param {Record<string, string>} words */
export function recordKeeper(language, words) {
  started ??= startKeeper(language, words, byId('Backtest').dataset.record ?? '');
  return started;
}

// After Predict: the draw typed into the top row after the draw shift joins the record as its
// next period, or corrects the one typed before; said under the form and in the section.
/** @param {string} language @param {Record<string, string>} words @param {string[]} cells */
export async function recordTyped(language, words, cells) {
  const keeper = await recordKeeper(language, words);
  const said = byId('TypedNote');
  said.hidden = true;
  const typed = keeper.record.typed(cells, Date.now(), keeper.lastTyped);
  if (typed.kind !== 'next' && typed.kind !== 'corrected') return;
  keeper.lastTyped = typed.period;
  const note = keep(keeper);
  show(keeper, [typed.status ?? '', note]);
  said.textContent = [typed.status ?? '', note].filter((line) => line !== '').join('\n');
  said.hidden = false;
}
