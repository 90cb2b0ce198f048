// MainForm in the page: moves texts between the form's elements and the engine, as the desktop
// window does. The elements, their captions, places and phone arrangement were made from the
// window's layout table; every rule, text test and word comes from the engine.

const KEPT_GRID = 'quorvel.grid';

const byId = (id) => document.getElementById(id);
// The elements that carry `attribute`, in the order of its number.
const numbered = (attribute) => [...document.querySelectorAll(`[${attribute}]`)]
  .sort((a, b) => Number(a.getAttribute(attribute)) - Number(b.getAttribute(attribute)));
const cells = () => numbered('data-cell');
const outputBoxes = () => numbered('data-output');
const action = (name) => document.querySelector(`[data-action="${name}"]`);
const gridTexts = () => cells().map((cell) => cell.value);

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

// The grid's twelve texts, kept on this device for the next visit, and nothing else.
const keptGrid = {
  save() {
    try {
      localStorage.setItem(KEPT_GRID, JSON.stringify(gridTexts()));
    } catch {
      // Storage refused (a private window, a full disk): the grid is simply not kept.
    }
  },
  load() {
    try {
      const kept = JSON.parse(localStorage.getItem(KEPT_GRID) ?? 'null');
      return Array.isArray(kept) ? kept.map((text) => String(text ?? '')) : null;
    } catch {
      return null;
    }
  },
  forget() {
    try {
      localStorage.removeItem(KEPT_GRID);
    } catch {
      // Nothing was kept.
    }
  },
};

// Empties every cell whose text is not a number, as the window's grid check does, and keeps
// the grid.
function checkGrid(engine) {
  for (const cell of cells()) {
    if (!engine.isNumericText(cell.value)) cell.value = '';
  }
  keptGrid.save();
}

function showNotes(notes) {
  byId('GridNotes').replaceChildren(...notes.map((note) => Object.assign(document.createElement('li'), { textContent: note })));
}

// What following each output costs, under the form; nothing while the outputs are empty.
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
function report(answer) {
  const dialog = byId('Report');
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

function predict(engine, language) {
  clearOutputs();
  const answer = engine.predict(gridTexts(), language);
  outputBoxes().forEach((box, i) => { box.value = answer.outputs[i]; });
  showOdds(answer.odds);
  showNotes(answer.notes);
  if (answer.failure !== 0) report(answer);
}

// The draw shift; on a phone the next thing to do is to type the new draw, so the first cell
// takes the focus, with its keypad.
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

function forgetGrid(engine) {
  for (const cell of cells()) cell.value = '';
  clearOutputs();
  checkGrid(engine);
  keptGrid.forget();
}

function showPageTexts(engine, language) {
  const texts = engine.pageTexts(language);
  const download = byId('DownloadLink');
  if (download) download.textContent = texts.downloadLink;
  byId('KeptNote').textContent = texts.keptNote;
  byId('Forget').textContent = texts.forget;
  byId('OddsTitle').textContent = texts.oddsTitle;
  for (const id of ['Odds', 'GridNotes', 'Kept']) byId(id).lang = texts.lang;
}

// Wires the form to `engine`, the WebAssembly module, once it is ready; `language` is the
// browser's first language tag, for the words around the form.
export function start(engine, language) {
  fitLayout();
  window.addEventListener('resize', fitLayout);
  for (const cell of cells()) cell.addEventListener('input', () => checkGrid(engine));
  for (const box of outputBoxes()) {
    // A list box is a text area; Enter adds no line to it, as it adds none to a one-line box.
    box.addEventListener('keydown', (event) => { if (event.key === 'Enter') event.preventDefault(); });
  }
  action('predict').addEventListener('click', () => predict(engine, language));
  action('shift').addEventListener('click', () => shiftDown(engine));
  const shop = action('shop');
  shop.addEventListener('click', () => window.open(shop.dataset.href, '_blank', 'noopener'));
  byId('Forget').addEventListener('click', () => forgetGrid(engine));
  showPageTexts(engine, language);
  const kept = keptGrid.load();
  if (kept) cells().forEach((cell, i) => { cell.value = kept[i] ?? ''; });
  checkGrid(engine);
  byId('MainForm').setAttribute('aria-busy', 'false');
  cells()[0].focus();
}
