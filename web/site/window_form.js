// MainForm in the page: moves texts between the form's elements and the engine, as the desktop
// window does. Every rule, text test and caption comes from the engine.

const GRID_CELLS = 12;
const OUTPUTS = ['Text2', 'Text3', 'Text4', 'Text5_0', 'Text5_1', 'Text5_2', 'Text5_3', 'Text5_4'];
const STORED_GRID = 'quorvel.grid';

const byId = (id) => document.getElementById(id);
const cells = () => Array.from({ length: GRID_CELLS }, (_, i) => byId(`Text1_${i}`));
const gridTexts = () => cells().map((cell) => cell.value);

// The window's width in the page: the whole 590-pixel form, scaled down on a narrow screen.
function fitToScreen() {
  const scale = Math.min(1, document.documentElement.clientWidth / 590);
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
  for (const id of OUTPUTS) byId(id).value = '';
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
  answer.outputs.forEach((text, box) => { byId(OUTPUTS[box]).value = text; });
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

function showTexts(engine) {
  const texts = engine.screenTexts();
  document.title = texts.title;
  const captions = { Frame2: texts.predictedRange, Frame3_0: texts.keyRange,
                     Frame3_1: texts.extremeNumbers, Frame4: texts.verdicts };
  for (const [frame, caption] of Object.entries(captions)) {
    byId(frame).querySelector('.caption').textContent = caption;
  }
  byId('Text2').setAttribute('aria-label', texts.predictedRange);
  byId('Text3').setAttribute('aria-label', texts.keyRange);
  byId('Text4').setAttribute('aria-label', texts.extremeNumbers);
  cells().forEach((cell, i) => cell.setAttribute('aria-label', texts.cellNames[i]));
  return texts;
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

// Wires the form to `engine`, the WebAssembly module, once it is ready.
export function start(engine) {
  const texts = showTexts(engine);
  fitToScreen();
  window.addEventListener('resize', fitToScreen);
  for (const cell of cells()) cell.addEventListener('input', () => checkGrid(engine));
  byId('Command1').addEventListener('click', () => predict(engine));
  byId('Command2').addEventListener('click', () => shiftDown(engine));
  byId('Command3').addEventListener('click', () => window.open(texts.shop, '_blank', 'noopener'));
  // Enter in a box submits nothing and presses no button: there is no form around them.
  restoreGrid(engine);
  byId('MainForm').setAttribute('aria-busy', 'false');
  byId('Text1_0').focus();
}
