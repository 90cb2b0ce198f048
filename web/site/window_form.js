// MainForm in the page: moves texts between the form's elements and the engine, as the desktop
// window does. The elements, their captions and places were made from the window's layout table;
// every rule and text test comes from the engine.

const STORED_GRID = 'quorvel.grid';

const byId = (id) => document.getElementById(id);
// The elements that carry `attribute`, in the order of its number.
const numbered = (attribute) => [...document.querySelectorAll(`[${attribute}]`)]
  .sort((a, b) => Number(a.getAttribute(attribute)) - Number(b.getAttribute(attribute)));
const cells = () => numbered('data-cell');
const outputBoxes = () => numbered('data-output');
const action = (name) => document.querySelector(`[data-action="${name}"]`);
const gridTexts = () => cells().map((cell) => cell.value);

// The window's width in the page: the whole form, scaled down on a narrow screen.
function fitToScreen() {
  const scale = Math.min(1, document.documentElement.clientWidth / byId('MainForm').offsetWidth);
  document.documentElement.style.setProperty('--scale', String(scale));
}

// Empties every cell whose text is not a number, as the window's grid check does, and keeps
// the grid for a reload of the tab.
function checkGrid(engine) {
  for (const cell of cells()) {
    if (!engine.isNumericText(cell.value)) cell.value = '';
  }
  try {
    sessionStorage.setItem(STORED_GRID, JSON.stringify(gridTexts()));
  } catch {
    // Storage refused (a private window, a file opened from disk): the grid is simply not kept.
  }
}

function clearOutputs() {
  for (const box of outputBoxes()) box.value = '';
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

function predict(engine) {
  clearOutputs();
  const answer = engine.predict(gridTexts());
  outputBoxes().forEach((box, i) => { box.value = answer.outputs[i]; });
  if (answer.failure !== 0) report(answer);
}

function shiftDown(engine) {
  clearOutputs();
  const answer = engine.shiftGridDown(gridTexts());
  if (answer.failure !== 0) {
    report(answer);
    return;
  }
  cells().forEach((cell, i) => { cell.value = answer.cells[i]; });
  checkGrid(engine);
}

function restoreGrid(engine) {
  let stored = null;
  try {
    stored = JSON.parse(sessionStorage.getItem(STORED_GRID) ?? 'null');
  } catch {
    stored = null;
  }
  if (Array.isArray(stored)) cells().forEach((cell, i) => { cell.value = String(stored[i] ?? ''); });
  checkGrid(engine);
}

// Wires the form to `engine`, the WebAssembly module, once it is ready; `language` is the
// browser's first language tag, for the words around the form.
export function start(engine, language) {
  fitToScreen();
  window.addEventListener('resize', fitToScreen);
  for (const cell of cells()) cell.addEventListener('input', () => checkGrid(engine));
  action('predict').addEventListener('click', () => predict(engine));
  action('shift').addEventListener('click', () => shiftDown(engine));
  const shop = action('shop');
  shop.addEventListener('click', () => window.open(shop.dataset.href, '_blank', 'noopener'));
  // Enter in a box submits nothing and presses no button: there is no form around them.
  const download = byId('DownloadLink');
  if (download) download.textContent = engine.pageTexts(language).downloadLink;
  restoreGrid(engine);
  byId('MainForm').setAttribute('aria-busy', 'false');
  cells()[0].focus();
}
