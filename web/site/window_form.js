// MainForm in the page: moves texts between the form's elements and the engine, as the desktop
// window does, with the choice of game above it. The elements, their captions, places and phone
// arrangement were made from the window's layout table; every rule, text test and word comes from
// the engine. (The choice lives here, not in a module of its own, so that a first visit on a slow
// network makes no more requests than the browser opens at once.)

/** @typedef {import('./forecast.js').ForecastEngine} ForecastEngine */
/** @typedef {import('./forecast.js').Outcome} Outcome */

// The game the page is for: the buttons above the form ([data-game], made from the games the
// engine knows), the one chosen last remembered on this device. Each game keeps its own grid,
// record and test under keys of its own; the first game's are the keys the page has always used,
// so that what was kept before there was a choice is still the first game's.
const CHOSEN = 'quorvel.game';
export const GAME_CHANGED = 'quorvel-game-changed';

/** @typedef {{ id: string, record: string }} Game */

/** @returns {HTMLButtonElement[]} */
const buttons = () => [...document.querySelectorAll('#Games [data-game]')].map(
  (button) => /** @type {HTMLButtonElement} */ (button));

/** @param {HTMLButtonElement} button @returns {Game} */
const gameOf = (button) => ({ id: button.dataset.game ?? '', record: button.dataset.record ?? '' });

/** @returns {Game[]} every game, the first the page's start */
export const allGames = () => buttons().map(gameOf);

/** @returns {Game} the game the page is for now */
export function chosenGame() {
  const all = buttons();
  const pressed = all.find((button) => button.getAttribute('aria-pressed') === 'true') ?? all[0];
  return pressed ? gameOf(pressed) : { id: '', record: '' };
}

// The storage key of `name` for `game`: quorvel.NAME for the first game, quorvel.ID.NAME for
// the others.
/** @param {string} name @param {Game} [game] */
export function gameKey(name, game = chosenGame()) {
  const first = buttons()[0]?.dataset.game;
  return game.id === first || game.id === '' ? `quorvel.${name}` : `quorvel.${game.id}.${name}`;
}

/** @param {string} id */
function press(id) {
  for (const button of buttons()) button.setAttribute('aria-pressed', String(button.dataset.game === id));
}

// Presses the game chosen last on this device, and makes each button choose its game: the page
// then hears GAME_CHANGED on `document`, with the game chosen as its detail.
export function startGames() {
  let remembered = '';
  try {
    remembered = localStorage.getItem(CHOSEN) ?? '';
  } catch {
    // Storage refused: the first game.
  }
  if (buttons().some((button) => button.dataset.game === remembered)) press(remembered);
  for (const button of buttons()) {
    button.addEventListener('click', () => {
      if (button.getAttribute('aria-pressed') === 'true') return;
      press(button.dataset.game ?? '');
      try {
        localStorage.setItem(CHOSEN, button.dataset.game ?? '');
      } catch {
        // Not remembered; the next visit starts with the first game.
      }
      document.dispatchEvent(new CustomEvent(GAME_CHANGED, { detail: gameOf(button) }));
    });
  }
}

// Each game's grid is kept apart, under its own key.
const keptGridKey = () => gameKey('grid');

/** @param {string} id */
export const byId = (id) => /** @type {HTMLElement} */ (document.getElementById(id));

// The elements that carry `attribute`, in the order of its number.
/** @param {string} attribute */
const numbered = (attribute) => [...document.querySelectorAll(`[${attribute}]`)]
  .map((element) => /** @type {HTMLInputElement} */ (element))
  .sort((a, b) => Number(a.getAttribute(attribute)) - Number(b.getAttribute(attribute)));
const cells = () => numbered('data-cell');
const outputBoxes = () => numbered('data-output');
/** @param {string} name */
const action = (name) => /** @type {HTMLButtonElement} */ (document.querySelector(`[data-action="${name}"]`));
const gridTexts = () => cells().map((cell) => cell.value);

// The browser's first language, which the engine reads to choose the words around the form.
export const pageLanguage = () => navigator.languages?.[0] ?? navigator.language ?? '';

// Puts the page's words into the elements under `root` that name them: data-word for an element's
// text, data-word-label for what a screen reader calls it.
/** @param {ParentNode} root @param {Record<string, string>} words */
export function showWords(root, words) {
  for (const element of root.querySelectorAll('[data-word]')) {
    element.textContent = words[/** @type {HTMLElement} */ (element).dataset.word ?? ''] ?? '';
  }
  for (const element of root.querySelectorAll('[data-word-label]')) {
    element.setAttribute('aria-label', words[/** @type {HTMLElement} */ (element).dataset.wordLabel ?? ''] ?? '');
  }
}

// Whether the form is arranged for a phone: the style sheet says so, at the width it chose.
export const onPhone = () => getComputedStyle(byId('MainForm')).getPropertyValue('--layout').trim() === 'phone';

// On a phone, tapping an output box brings up no keyboard: the boxes are there to be read.
function fitLayout() {
  const phone = onPhone();
  for (const box of outputBoxes()) {
    if (phone) box.inputMode = 'none';
    else box.removeAttribute('inputmode');
  }
}

// The grid's twelve texts, kept on this device for the next visit, and nothing else. Storage may
// be refused (a private window) or full: then the grid is not kept, and the page says so.
const keptGrid = {
  /** @returns {boolean} whether the grid is kept */
  save() {
    try {
      localStorage.setItem(keptGridKey(), JSON.stringify(gridTexts()));
      return true;
    } catch {
      return false;
    }
  },
  /** @returns {string[] | null} */
  load() {
    try {
      const kept = JSON.parse(localStorage.getItem(keptGridKey()) ?? 'null');
      return Array.isArray(kept) ? kept.map((text) => String(text ?? '')) : null;
    } catch {
      return null;
    }
  },
  forget() {
    try {
      localStorage.removeItem(keptGridKey());
    } catch {
      // Nothing was kept.
    }
  },
};

// Empties every cell whose text is not a number, as the window's grid check does, keeps the grid,
// and says whether it is kept.
/** @param {ForecastEngine} engine */
function checkGrid(engine) {
  for (const cell of cells()) {
    if (!engine.isNumericText(cell.value)) cell.value = '';
  }
  const kept = keptGrid.save();
  byId('KeptNote').hidden = !kept;
  byId('NotKeptNote').hidden = kept;
}

/** @param {string[]} notes */
function showNotes(notes) {
  byId('GridNotes').replaceChildren(...notes.map((note) => Object.assign(document.createElement('li'), { textContent: note })));
}

// What following each output costs, under the form; nothing while the outputs are empty.
/** @param {import('./forecast.js').Prediction['odds']} odds */
function showOdds(odds) {
  const list = byId('OddsList');
  list.replaceChildren();
  for (const { label, parts } of odds) {
    const line = document.createElement('dd');
    line.append(...parts.map((part) => Object.assign(document.createElement('span'), { textContent: part })));
    list.append(Object.assign(document.createElement('dt'), { textContent: label }), line);
  }
  byId('Odds').hidden = odds.length === 0;
}

function clearOutputs() {
  for (const box of outputBoxes()) box.value = '';
  showNotes([]);
  showOdds([]);
}

// The error report: its two lines in a modal dialog; afterwards the focus is in the cell to fix,
// its text selected, so that typing the fix replaces it.
/** @param {Outcome} answer */
function report(answer) {
  const dialog = /** @type {HTMLDialogElement} */ (byId('Report'));
  byId('ReportTitle').textContent = answer.report;
  byId('ReportCells').textContent = answer.cellsLine;
  byId('ReportCells').hidden = answer.cellsLine === '';
  dialog.addEventListener('close', () => {
    const cell = answer.cellToFix >= 0 ? cells()[answer.cellToFix] : null;
    if (cell) {
      cell.focus();
      cell.select();
    }
  }, { once: true });
  dialog.showModal();
  byId('ReportOk').focus();
}

/** @param {ForecastEngine} engine @param {string} language @param {Hooks} hooks */
function predict(engine, language, hooks) {
  clearOutputs();
  const cells = gridTexts();
  const answer = engine.predict(cells, language, chosenGame().id);
  outputBoxes().forEach((box, i) => { box.value = answer.outputs[i]; });
  showOdds(answer.odds);
  showNotes(answer.notes);
  if (answer.failure !== 0) report(answer);
  hooks.predicted?.(cells, chosenGame().id);
}

/** @type {ForecastEngine | null} */
let formEngine = null;

// Puts twelve texts into the grid, as if typed: the outputs go, and the grid is checked and kept.
/** @param {string[]} texts */
export function setGrid(texts) {
  if (!formEngine) return;
  cells().forEach((cell, i) => { cell.value = texts[i] ?? ''; });
  clearOutputs();
  checkGrid(formEngine);
}

// The draw shift; on a phone the next thing to do is to type the new draw, so the first cell
// takes the focus, with its keypad.
/** @param {ForecastEngine} engine */
function shiftDown(engine) {
  clearOutputs();
  const answer = engine.shiftGridDown(gridTexts());
  if (answer.failure !== 0) {
    report(answer);
    return;
  }
  cells().forEach((cell, i) => { cell.value = answer.cells[i]; });
  checkGrid(engine);
  if (onPhone()) cells()[0].focus();
}

/** @param {ForecastEngine} engine */
function forgetGrid(engine) {
  for (const cell of cells()) cell.value = '';
  clearOutputs();
  checkGrid(engine);
  keptGrid.forget();
}

// The chosen game's grid as it was kept, or an empty one.
/** @param {ForecastEngine} engine */
function showKeptGrid(engine) {
  const kept = keptGrid.load();
  cells().forEach((cell, i) => { cell.value = kept?.[i] ?? ''; });
  checkGrid(engine);
}

// The page's words around the form, in the browser's language.
/** @param {ForecastEngine} engine @param {string} language */
function showPageWords(engine, language) {
  const { lang, words } = engine.words(language);
  showWords(document, words);
  byId('OddsTitle').textContent = engine.oddsTitle(language, chosenGame().id);
  for (const id of ['Games', 'Odds', 'GridNotes', 'Kept', 'Backtest', 'Download']) {
    const element = document.getElementById(id);
    if (element) element.lang = lang;
  }
}

// What the rest of the page does after the form's actions: `predicted` hears the grid Predict
// read.
/** @typedef {{ predicted?: (cells: string[], game: string) => void }} Hooks */

// Wires the form to `engine`, the forecast's WebAssembly module, once it is ready; `language` is
// the browser's first language tag, for the words around the form.
/** @param {ForecastEngine} engine @param {string} language @param {Hooks} [hooks] */
export function start(engine, language, hooks = {}) {
  formEngine = engine;
  fitLayout();
  window.addEventListener('resize', fitLayout);
  for (const cell of cells()) cell.addEventListener('input', () => checkGrid(engine));
  for (const box of outputBoxes()) {
    // A list box is a text area; Enter adds no line to it, as it adds none to a one-line box.
    box.addEventListener('keydown', (event) => { if (event.key === 'Enter') event.preventDefault(); });
  }
  action('predict').addEventListener('click', () => predict(engine, language, hooks));
  action('shift').addEventListener('click', () => shiftDown(engine));
  const shop = action('shop');
  shop.addEventListener('click', () => window.open(shop.dataset.href, '_blank', 'noopener'));
  byId('Forget').addEventListener('click', () => forgetGrid(engine));
  showPageWords(engine, language);
  startGames();
  showKeptGrid(engine);
  // Another game: its own grid, as it was left, and its own odds; the outputs were the other's.
  document.addEventListener(GAME_CHANGED, () => {
    clearOutputs();
    byId('OddsTitle').textContent = engine.oddsTitle(language, chosenGame().id);
    showKeptGrid(engine);
  });
  byId('MainForm').setAttribute('aria-busy', 'false');
  cells()[0].focus();
}

// Starts the form with the engine `load` gives; where it gives none (WebAssembly missing or
// blocked by a policy, a module that did not arrive) shows #LoadFailure, which says what to do.
/**
 * @param {() => Promise<ForecastEngine>} load @param {string} language @param {Hooks} [hooks]
 * @returns {Promise<ForecastEngine | null>}
 */
export async function startWhenLoaded(load, language, hooks = {}) {
  try {
    if (typeof WebAssembly !== 'object') throw new Error('no WebAssembly');
    const engine = await load();
    start(engine, language, hooks);
    return engine;
  } catch {
    byId('LoadFailure').hidden = false;
    byId('MainForm').setAttribute('aria-busy', 'false');
    return null;
  }
}
