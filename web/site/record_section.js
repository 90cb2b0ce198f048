// The record kept on this device, under the window: draws pasted, read from a file or typed
// after the draw shift join it; it is saved, downloaded or forgotten; and its recent draws are
// shown beside the forecast made for each, with the test on later draws. Its engine loads the first
// time the player opens the section or Predicts; every rule, number and word comes from it.
import createRecord from './record.js';
import { showTable } from './backtest_report.js';
import { download } from './downloads.js';
import { keptStoreOf } from './kept_store.js';
import { RECORD_CHANGED, RECORD_SHOWN } from './record_events.js';
import { byId, chosenGame, GAME_CHANGED, setGrid } from './window_form.js';

/** @typedef {import('./record.js').RecordEngine} RecordEngine */
/** @typedef {import('./record.js').KeptRecord} KeptRecord */
/**
 * @typedef {object} Keeper
 * @property {RecordEngine} engine
 * @property {string} language
 * @property {Record<string, string>} words
 * @property {import('./window_form.js').Game} game  whose record this is
 * @property {import('./kept_store.js').KeptStore} store  where the game's record is kept
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

// Each game's keeper, started the first time its record is wanted, and the one the section shows:
// the chosen game's. A keeper of another game goes on keeping its record, but leaves the section
// and the grid alone.
/** @type {Map<string, Promise<Keeper>>} */
const started = new Map();
/** @type {Keeper | null} */
let active = null;

// Tells the page that the record of the keeper's game changed.
/** @param {Keeper} keeper */
const changed = (keeper) => document.dispatchEvent(new CustomEvent(RECORD_CHANGED, { detail: keeper.game.id }));

// The grid holds the record's newest three, when the record is the chosen game's.
/** @param {Keeper} keeper */
function gridFromRecord(keeper) {
  const grid = keeper.record.grid();
  if (grid && keeper === active) setGrid(grid);
}

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
  const { engine, language, words, game, store } = keeper;
  keeper.version = store.version();
  const kept = store.load();
  const notes = [];
  keeper.lastTyped = '';
  if (kept) {
    const record = new engine.KeptRecord(kept.text, kept.name || words.recordTitle, language, game.id);
    if (!record.error()) {
      keeper.record = record;
      keeper.lastTyped = kept.lastTyped;
      return [];
    }
    notes.push(record.damaged());
    // The damaged record leaves its place only once its copy is safely kept.
    const aside = store.setAside(kept.text);
    if (!aside.kept) notes.push(words.setAsideFailed);
    else if (store.removeDamaged()) keeper.version = store.version();
    if (aside.dropped > 0) notes.push(words.setAsideDropped);
    record.delete();
  } else if (await store.wasCleared()) {
    notes.push(words.storageCleared);
  }
  keeper.record = new engine.KeptRecord(await shippedText(game.record), game.record, language, game.id);
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
  if (keeper !== active) return;
  const lines = said.filter((line) => line !== '');
  byId('RecordStatus').textContent = (lines.length > 0 ? lines : [keeper.record.status()]).join('\n');
  showRecent(keeper);
  showLaterDraws(keeper);
  showSetAside(keeper);
  document.dispatchEvent(new CustomEvent(RECORD_SHOWN));
}

// Saves the record on the device over the version this page holds, and tells the backtest: ''
// when it was kept, 'stale' when another page changed the record first (nothing was written),
// or what the player must know when storage refused it.
/** @param {Keeper} keeper */
function keep(keeper) {
  const saved = keeper.store.save({ text: keeper.record.csv(), name: keeper.record.fileName(),
                                 lastTyped: keeper.lastTyped }, keeper.version);
  if (saved === 'stale') return 'stale';
  if (saved !== null) keeper.version = saved;
  changed(keeper);
  return saved !== null ? '' : keeper.words.notStored;
}

// Reads the record again when another page changed it since this one last read or wrote it:
// whether it did.
/** @param {Keeper} keeper */
async function follow(keeper) {
  if (keeper.store.version() === keeper.version) return false;
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
  const before = keeper.store.load()?.text ?? null;
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
  if (keeper === active) byId('RecordUndo').hidden = keeper.undo === null;
}

// Undoes the last change this page made, once and exactly: the stored record as it was before
// it. Not when another page has changed the record since; that change would be lost.
/** @param {Keeper} keeper */
async function undo(keeper) {
  const last = keeper.undo;
  offerUndo(keeper, undefined);
  if (!last) return;
  if (keeper.store.version() !== last.version) {
    await follow(keeper);
    show(keeper, [keeper.words.changedElsewhere]);
    return;
  }
  const restored = last.before === null ? keeper.store.forget()
    : keeper.store.save({ text: last.before, name: keeper.record.fileName(), lastTyped: last.lastTyped },
      last.version) !== null;
  await follow(keeper);
  askChoice(keeper, null);
  // The grid holds the restored record's newest three, as after draws join it.
  gridFromRecord(keeper);
  changed(keeper);
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
  const copies = keeper.store.setAsideCopies();
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
  const record = new engine.KeptRecord(text, words.recordTitle, language, keeper.game.id);
  if (record.error()) {
    show(keeper, [record.error()]);
    record.delete();
    return;
  }
  const said = await changeRecord(keeper, () => {
    if (keeper.store.load() !== null) keeper.store.setAside(keeper.record.csv());  // not the shipped one
    keeper.record.delete();
    keeper.record = new engine.KeptRecord(text, words.recordTitle, language, keeper.game.id);
    keeper.lastTyped = '';
    return { said: [keeper.record.status()], keeps: true };
  });
  record.delete();
  gridFromRecord(keeper);
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
    if (result.added > 0) gridFromRecord(keeper);
    if (keeper === active) /** @type {HTMLTextAreaElement} */ (byId('RecordPaste')).value = '';
  }
  show(keeper, said);
}

// Puts `pending` draws that disagree with the record to the player, or takes the question away.
/** @param {Keeper} keeper @param {{ text: string, name: string } | null} pending */
function askChoice(keeper, pending) {
  keeper.pending = pending;
  if (keeper !== active) return;
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
  const before = keeper.store.load()?.text ?? null;
  const typedBefore = keeper.lastTyped;
  if (before !== null) keeper.store.setAside(before);
  keeper.store.forget();
  keeper.record.delete();
  keeper.lastTyped = '';
  const notes = await loadRecord(keeper);
  askChoice(keeper, null);
  offerUndo(keeper, before === null ? undefined : before, typedBefore);
  changed(keeper);
  show(keeper, [keeper.words.forgotten, keeper.record.status(), ...notes]);
}

// The section's controls act on the chosen game's keeper, wired once.
function wire() {
  const paste = /** @type {HTMLTextAreaElement} */ (byId('RecordPaste'));
  /** @param {(keeper: Keeper) => void} action */
  const on = (action) => () => { if (active) action(active); };
  byId('RecordAdd').addEventListener('click', on((keeper) => addDraws(keeper, paste.value, keeper.words.pastedName, 'ask')));
  // Either choice decides only the disagreeing periods: the new ones of the same draws join.
  byId('RecordUseGiven').addEventListener('click', on((keeper) => {
    if (keeper.pending) addDraws(keeper, keeper.pending.text, keeper.pending.name, 'given');
  }));
  byId('RecordKeepKept').addEventListener('click', on((keeper) => {
    if (keeper.pending) addDraws(keeper, keeper.pending.text, keeper.pending.name, 'kept');
  }));
  const input = /** @type {HTMLInputElement} */ (byId('RecordFile'));
  input.addEventListener('change', on((keeper) => {
    const file = input.files?.[0];
    input.value = '';
    addFile(keeper, file);
  }));
  const section = byId('Record');
  section.addEventListener('dragover', (event) => event.preventDefault());
  section.addEventListener('drop', (event) => {
    event.preventDefault();
    if (active) addFile(active, event.dataTransfer?.files[0]);
  });
  byId('RecordExport').addEventListener('click', on((keeper) =>
    download(keeper.record.csv(), keeper.record.fileName(), 'text/csv', byId('RecordCopy'))));
  byId('RecordForget').addEventListener('click', on((keeper) => forget(keeper)));
  byId('RecordUndo').addEventListener('click', on((keeper) => undo(keeper)));
  byId('RecentMore').addEventListener('click', on((keeper) => {
    keeper.recentCount += keeper.engine.recentStep;
    showRecent(keeper);
  }));
  // Another game: its keeper, started if need be, shows its own record.
  document.addEventListener(GAME_CHANGED, () => { activate(chosenGame()); });
}

// Shows `keeper`'s record and questions in the section.
/** @param {Keeper} keeper @param {string[]} [said] */
function showKeeper(keeper, said = []) {
  active = keeper;
  askChoice(keeper, keeper.pending);
  byId('RecordUndo').hidden = keeper.undo === null;
  show(keeper, said);
}

/** @type {Promise<RecordEngine> | null} */
let engineLoaded = null;

/**
 * @param {string} language @param {Record<string, string>} words
 * @param {import('./window_form.js').Game} game
 */
async function startKeeper(language, words, game) {
  const firstKeeper = engineLoaded === null;
  engineLoaded ??= createRecord();
  const engine = await engineLoaded;
  /** @type {Keeper} */
  const keeper = { engine, language, words, game, store: keptStoreOf(game),
                   record: /** @type {KeptRecord} */ (/** @type {unknown} */ (null)), lastTyped: '',
                   recentCount: engine.recentStep, pending: null, version: 0, persistAsked: false,
                   undo: null };
  const notes = await loadRecord(keeper);
  // Reading the record and showing it are two tasks, so neither holds up the page for long.
  await new Promise((resolve) => setTimeout(resolve));
  if (firstKeeper) wire();
  // Another page changed the record: this one follows it at once, and says so. The grid is the
  // player's, and is left as it is.
  keeper.store.onChange(async () => {
    if (!(await follow(keeper))) return;
    askChoice(keeper, null);
    changed(keeper);
    show(keeper, [keeper.words.changedElsewhere, keeper.record.status()]);
  });
  if (game.id === chosenGame().id) showKeeper(keeper, notes);
  byId('RecordBody').setAttribute('aria-busy', 'false');
  return keeper;
}

/** @type {{ language: string, words: Record<string, string> } | null} */
let setting = null;

// The keeper of `game`, started once, shown when the game is still the chosen one.
/** @param {import('./window_form.js').Game} game */
async function activate(game) {
  if (!setting) return null;
  let keeper = started.get(game.id);
  if (!keeper) {
    keeper = startKeeper(setting.language, setting.words, game);
    started.set(game.id, keeper);
    return keeper;
  }
  const ready = await keeper;
  if (game.id === chosenGame().id) showKeeper(ready);
  return ready;
}

// The record the section shows now, with its game and words; null before it is read.
export function shownRecord() {
  return active && { record: active.record, game: active.game, language: active.language, words: active.words };
}

// The chosen game's keeper, started the first time the section opens or Predict is pressed.
/** @param {string} language @param {Record<string, string>} words @returns {Promise<Keeper>} */
export async function recordKeeper(language, words) {
  setting ??= { language, words };
  return /** @type {Keeper} */ (await activate(chosenGame()));
}

// After Predict: the draw typed into the top row after the draw shift joins the record of the
// game it was typed for as its next period, or corrects the one typed before; said under the form
// and in the section.
/**
 * @param {string} language @param {Record<string, string>} words @param {string[]} cells
 * @param {string} game the id of the game the grid was typed for
 */
export async function recordTyped(language, words, cells, game) {
  const keeper = await recordKeeper(language, words);
  if (keeper.game.id !== game) return;  // the player chose another game meanwhile
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
