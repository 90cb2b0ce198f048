// The trend chart (走势图) of the chosen game's kept record, under the record: a view for the sum
// and one for each position's digit, the newest periods as rows with the drawn value marked and
// joined by a line, every figure beside chance's; and the test of the strategies it suggests, in
// the backtest's workers. Loaded the first time the chart is opened; every figure and word comes
// from the record's engine.
import { BacktestRun, RunEnded } from './backtest_workers.js';
import { showTable } from './backtest_report.js';
import { currentSettings } from './backtest_section.js';
import { RECORD_CHANGED, RECORD_SHOWN } from './record_events.js';
import { shownRecord } from './record_section.js';
import { byId, GAME_CHANGED } from './window_form.js';

/** @typedef {import('./record.js').Trend} Trend */

// What the player chose: the number of periods (0 for the usual) and the view.
const chosen = { periods: 0, view: 0 };

/** @param {string} text @param {boolean} pressed @param {() => void} choose */
function choiceButton(text, pressed, choose) {
  const button = Object.assign(document.createElement('button'), { type: 'button', textContent: text });
  button.setAttribute('aria-pressed', String(pressed));
  button.addEventListener('click', choose);
  return button;
}

// The rows, newest at the bottom, the period column a row heading that stays in place while the
// chart scrolls sideways; the drawn value's cell marked in its text and its colour.
/** @param {Trend} trend */
function showRows(trend) {
  const table = /** @type {HTMLTableElement} */ (byId('TrendTable'));
  table.replaceChildren();
  const head = table.createTHead().insertRow();
  for (const text of trend.header) head.append(Object.assign(document.createElement('th'), { scope: 'col', textContent: text }));
  const body = document.createElement('tbody');
  for (const row of trend.rows) {
    const line = document.createElement('tr');
    line.append(Object.assign(document.createElement('th'), { scope: 'row', textContent: row.period }));
    row.cells.split('\t').forEach((text, value) => {
      const cell = Object.assign(document.createElement('td'), { textContent: text });
      if (value === row.drawn) cell.className = 'drawn';
      line.append(cell);
    });
    body.append(line);
  }
  table.append(body);
}

// The line that joins the drawn values, over the table: decoration, which a screen reader skips.
function drawLine() {
  const table = byId('TrendTable');
  const line = byId('TrendLine');
  const points = [...table.querySelectorAll('td.drawn')].map((cell) => {
    const td = /** @type {HTMLElement} */ (cell);
    return `${td.offsetLeft + td.offsetWidth / 2},${td.offsetTop + td.offsetHeight / 2}`;
  });
  line.setAttribute('width', String(table.offsetWidth));
  line.setAttribute('height', String(table.offsetHeight));
  const path = document.createElementNS('http://www.w3.org/2000/svg', 'polyline');
  path.setAttribute('points', points.join(' '));
  line.replaceChildren(path);
}

// The chart, in steps that each leave the page free to answer: the record's engine works out the
// chart, then the rows are made, then laid out and the line drawn over them.
function show() {
  const shown = shownRecord();
  if (!shown) return;
  const trend = shown.record.trend(chosen.periods, chosen.view);
  setTimeout(() => showChart(trend));
}

/** @param {Trend} trend */
function showChart(trend) {
  byId('TrendViews').replaceChildren(...trend.views.map((name, at) =>
    choiceButton(name, at === chosen.view, () => { chosen.view = at; show(); })));
  byId('TrendPeriods').replaceChildren(...trend.choices.map((choice) =>
    choiceButton(choice.label, choice.periods === trend.periods, () => { chosen.periods = choice.periods; show(); })));
  byId('TrendHeading').textContent = trend.heading;
  showRows(trend);
  showTable('TrendFigures', trend.figures);
  byId('TrendSentence').textContent = trend.sentence;
  requestAnimationFrame(drawLine);
  byId('TrendBody').setAttribute('aria-busy', 'false');
}

// The strategies' test on the record shown, in the backtest's record worker.
async function testStrategies() {
  const shown = shownRecord();
  const settings = currentSettings();
  if (!shown || !settings) return;
  const button = /** @type {HTMLButtonElement} */ (byId('StrategiesRun'));
  const run = new BacktestRun({ ...settings, game: shown.game.id });
  button.disabled = true;
  byId('StrategiesError').hidden = true;
  try {
    const bytes = new TextEncoder().encode(shown.record.csv()).buffer;
    const answer = await run.strategies(bytes, shown.record.fileName(), shown.language);
    byId('StrategiesSentence').textContent = answer.sentence;
    showTable('StrategiesTable', answer.rows);
    byId('StrategiesResult').hidden = false;
  } catch (error) {
    byId('StrategiesError').textContent = error instanceof RunEnded && error.kind === 'refused'
      ? error.message : shown.words.failed ?? '';
    byId('StrategiesError').hidden = false;
  } finally {
    run.end();
    button.disabled = false;
  }
}

let wired = false;

// Shows the chart of the record the section shows, and follows the section as it shows another
// record or the record changes; the strategies' result, about the record as it was, goes.
export function showTrend() {
  show();
  if (wired) return;
  wired = true;
  byId('StrategiesRun').addEventListener('click', testStrategies);
  const stale = () => { byId('StrategiesResult').hidden = true; };
  document.addEventListener(RECORD_CHANGED, stale);
  document.addEventListener(GAME_CHANGED, stale);
  document.addEventListener(RECORD_SHOWN, () => { if (byId('Trend').hasAttribute('open')) show(); });
}
