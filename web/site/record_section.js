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
 * @property {number} version  the stored record's version this page last read or wrote
 * @property {boolean} persistAsked  whether the browser was asked to keep the site's storage
 * @property {{ before: string | null, lastTyped: string, version: number } | null} undo  the record
 *   as stored before the last change this page made (null: none stored), the period typed last
 *   then, and the version that change wrote
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
  keeper.version = keptStore.version();
  const kept = keptStore.load();
  const notes = [];
  keeper.lastTyped = '';
  if (kept) {
    const record = new engine.KeptRecord(kept.text, kept.name || words.recordTitle, language);
    if (!record.error()) {
      keeper.record = record;
      keeper.lastTyped = kept.lastTyped;
      return [];
    }
    notes.push(record.damaged());
    // The damaged record leaves its place only once its copy is safely kept.
    const aside = keptStore.setAside(kept.text);
    if (!aside.kept) notes.push(words.setAsideFailed);
    else if (keptStore.removeDamaged()) keeper.version = keptStore.version();
    if (aside.dropped > 0) notes.push(words.setAsideDropped);
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
  showSetAside(keeper);
}

// Saves the record on the device over the version this page holds, and tells the backtest: ''
// when it was kept, 'stale' when another page changed the record first (nothing was written),
// or what the player must know when storage refused it.
/** @param {Keeper} keeper */
function keep(keeper) {
  const saved = keptStore.save({ text: keeper.record.csv(), name: keeper.record.fileName(),
                                 lastTyped: keeper.lastTyped }, keeper.version);
  if (saved === 'stale') return 'stale';
  if (saved !== null) keeper.version = saved;
  document.dispatchEvent(new CustomEvent(RECORD_CHANGED));
  return saved !== null ? '' : keeper.words.notStored;
}

// Reads the record again when another page changed it since this one last read or wrote it:
// whether it did.
/** @param {Keeper} keeper */
async function follow(keeper) {
  if (keptStore.version() === keeper.version) return false;
  const previous = keeper.record;
  await loadRecord(keeper);
  previous.delete();
  return true;
}

// Makes a change to the record as it stands in storage: reads it again first if another page
// changed it, applies `change`, and saves; a write that still finds the record changed is made
// again on the newest one. What the change said, and what the player must know of its keeping.
/**
 * @param {Keeper} keeper @param {() => { said: string[], keeps: boolean }} change
 * @returns {Promise<string[]>}
 */
async function changeRecord(keeper, change) {
  const followed = await follow(keeper);
  const before = keptStore.load()?.text ?? null;
  const typedBefore = keeper.lastTyped;
  let { said, keeps } = change();
  if (!keeps) return followed ? [...said, keeper.words.changedElsewhere] : said;
  let note = keep(keeper);
  if (note === 'stale') {
    await follow(keeper);
    ({ said, keeps } = change());
    note = keeps ? keep(keeper) : '';
    if (note === 'stale') note = keeper.words.notStored;
    said = [...said, keeper.words.staleWrite];
  }
  offerUndo(keeper, note === '' ? before : undefined, typedBefore);
  await askToKeep(keeper, said);
  return [...said, note];
}

// Offers to undo the change just kept, whose record before it was `before` (null: none stored);
// `undefined` when nothing can be undone.
/** @param {Keeper} keeper @param {string | null | undefined} before @param {string} [lastTyped] */
function offerUndo(keeper, before, lastTyped = '') {
  keeper.undo = before === undefined ? null : { before, lastTyped, version: keeper.version };
  byId('RecordUndo').hidden = keeper.undo === null;
}

// Undoes the last change this page made, once and exactly: the stored record as it was before
// it. Not when another page has changed the record since; that change would be lost.
/** @param {Keeper} keeper */
async function undo(keeper) {
  const last = keeper.undo;
  offerUndo(keeper, undefined);
  if (!last) return;
  if (keptStore.version() !== last.version) {
    await follow(keeper);
    show(keeper, [keeper.words.changedElsewhere]);
    return;
  }
  const restored = last.before === null ? keptStore.forget()
    : keptStore.save({ text: last.before, name: keeper.record.fileName(), lastTyped: last.lastTyped },
      last.version) !== null;
  await follow(keeper);
  askChoice(keeper, null);
  // The grid holds the restored record's newest three, as after draws join it.
  const grid = keeper.record.grid();
  if (grid) setGrid(grid);
  document.dispatchEvent(new CustomEvent(RECORD_CHANGED));
  show(keeper, [restored ? keeper.words.undone : keeper.words.notStored, keeper.record.status()]);
}

// At the first change it keeps, asks the browser to keep the site's storage (not to evict it
// under pressure) and says what it answered.
/** @param {Keeper} keeper @param {string[]} said */
async function askToKeep(keeper, said) {
  if (keeper.persistAsked) return;
  keeper.persistAsked = true;
  try {
    if (!navigator.storage?.persist) return;
    const kept = (await navigator.storage.persisted?.()) || (await navigator.storage.persist());
    said.push(kept ? keeper.words.persistGranted : keeper.words.persistRefused);
  } catch {
    said.push(keeper.words.persistRefused);
  }
}

// The records set aside on this device, each offered back: downloaded, or used in place of the
// record (which is set aside in its turn).
/** @param {Keeper} keeper */
function showSetAside(keeper) {
  const copies = keptStore.setAsideCopies();
  const list = byId('SetAsideList');
  list.replaceChildren();
  byId('SetAside').hidden = copies.length === 0;
  for (const { time, text } of copies) {
    const item = document.createElement('li');
    item.dataset.setAside = String(time);
    const when = Object.assign(document.createElement('time'), {
      dateTime: new Date(time).toISOString(), textContent: new Date(time).toLocaleString(keeper.language) });
    const save = Object.assign(document.createElement('button'),
      { type: 'button', textContent: keeper.words.setAsideDownload });
    save.dataset.action = 'download';
    save.addEventListener('click', () =>
      download(text, `quorvel-record-set-aside-${time}.csv`, 'text/csv', byId('RecordCopy')));
    const use = Object.assign(document.createElement('button'),
      { type: 'button', textContent: keeper.words.setAsideUse });
    use.dataset.action = 'use';
    use.addEventListener('click', () => useSetAside(keeper, text));
    item.append(when, ' ', save, ' ', use);
    list.append(item);
  }
}

// A set-aside record in place of the one kept, if it reads; the one it replaces is set aside.
/** @param {Keeper} keeper @param {string} text */
async function useSetAside(keeper, text) {
  const { engine, language, words } = keeper;
  const record = new engine.KeptRecord(text, words.recordTitle, language);
  if (record.error()) {
    show(keeper, [record.error()]);
    record.delete();
    return;
  }
  const said = await changeRecord(keeper, () => {
    if (keptStore.load() !== null) keptStore.setAside(keeper.record.csv());  // not the shipped one
    keeper.record.delete();
    keeper.record = new engine.KeptRecord(text, words.recordTitle, language);
    keeper.lastTyped = '';
    return { said: [keeper.record.status()], keeps: true };
  });
  record.delete();
  const grid = keeper.record.grid();
  if (grid) setGrid(grid);
  show(keeper, said);
}

// Joins the draws of `text` to the record; where they disagree with it, nothing changes until the
// player chooses. After draws join, the grid holds the record's newest three.
/**
 * @param {Keeper} keeper @param {string} text @param {string} name
 * @param {'ask' | 'given' | 'kept'} choice what to do where the draws disagree with the record
 */
async function addDraws(keeper, text, name, choice) {
  if (text.trim() === '') {
    show(keeper, [keeper.words.nothingPasted]);
    return;
  }
  /** @type {import('./record.js').Added} */
  let result = { status: '', added: 0, disagree: false };
  const said = await changeRecord(keeper, () => {
    result = keeper.record.add(text, name, choice);
    return { said: [result.status], keeps: !result.error && !result.disagree };
  });
  askChoice(keeper, result.disagree ? { text, name } : null);
  if (!result.error && !result.disagree) {
    const grid = keeper.record.grid();
    if (result.added > 0 && grid) setGrid(grid);
    /** @type {HTMLTextAreaElement} */ (byId('RecordPaste')).value = '';
  }
  show(keeper, said);
}

// Puts `pending` draws that disagree with the record to the player, or takes the question away.
/** @param {Keeper} keeper @param {{ text: string, name: string } | null} pending */
function askChoice(keeper, pending) {
  keeper.pending = pending;
  byId('RecordUseGiven').hidden = pending === null;
  byId('RecordKeepKept').hidden = pending === null;
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
  await follow(keeper);
  // The record forgotten is set aside first, so that it can still be had back, and the forgetting
  // may be undone.
  const before = keptStore.load()?.text ?? null;
  const typedBefore = keeper.lastTyped;
  if (before !== null) keptStore.setAside(before);
  keptStore.forget();
  keeper.record.delete();
  keeper.lastTyped = '';
  const notes = await loadRecord(keeper);
  askChoice(keeper, null);
  offerUndo(keeper, before === null ? undefined : before, typedBefore);
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
  // Another page changed the record: this one follows it at once, and says so. The grid is the
  // player's, and is left as it is.
  keptStore.onChange(async () => {
    if (!(await follow(keeper))) return;
    askChoice(keeper, null);
    document.dispatchEvent(new CustomEvent(RECORD_CHANGED));
    show(keeper, [keeper.words.changedElsewhere, keeper.record.status()]);
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
  byId('RecordUndo').addEventListener('click', () => undo(keeper));
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
                   recentCount: engine.recentStep, pending: null, version: 0, persistAsked: false,
                   undo: null };
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
  const note = byId('TypedNote');
  note.hidden = true;
  /** @type {import('./record.js').TypedDraw} */
  let typed = { kind: 'none', period: '' };
  const said = await changeRecord(keeper, () => {
    typed = keeper.record.typed(cells, Date.now(), keeper.lastTyped);
    const joined = typed.kind === 'next' || typed.kind === 'corrected' || typed.kind === 'takenBack';
    if (joined) keeper.lastTyped = typed.kind === 'takenBack' ? '' : typed.period;
    return { said: [typed.status ?? ''], keeps: joined };
  });
  if (typed.kind === 'disagrees') {
    // Another page recorded another draw for this period: the player chooses, as for a paste.
    askChoice(keeper, { text: typed.line ?? '', name: keeper.words.pastedName });
  } else if (typed.kind !== 'next' && typed.kind !== 'corrected' && typed.kind !== 'takenBack') {
    return;
  }
  show(keeper, said);
  note.textContent = said.filter((line) => line !== '').join('\n');
  note.hidden = false;
}
