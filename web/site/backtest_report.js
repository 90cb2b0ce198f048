// The backtest's report in the page: its verdict, tables, chart, saved JSON and the command line
// that gives the same report, all made by the engines and moved here into the section.

import { offer, inWeChat, showToCopy } from './downloads.js';
import { byId } from './window_form.js';

/** @typedef {import('./messages.js').Report} Report */

// A sign that the tables scroll sideways, shown only while one does not fit.
export function showScrollHint() {
  /** @param {string} id */
  const overflows = (id) => byId(id).scrollWidth > byId(id).clientWidth;
  byId('BacktestScrollHint').hidden =
    !['BacktestClaimsRegion', 'BacktestTableRegion', 'BacktestMoneyRegion', 'BacktestPowerRegion'].some(overflows);
}

/** @param {string} id @param {string[][]} rows */
export function showTable(id, rows) {
  const table = /** @type {HTMLTableElement} */ (byId(id));
  table.replaceChildren();
  if (rows.length === 0) return;
  const [heading, ...body] = rows;
  const head = table.createTHead().insertRow();
  for (const text of heading) {
    head.append(Object.assign(document.createElement('th'), { scope: 'col', textContent: text }));
  }
  const tbody = table.createTBody();
  for (const row of body) {
    const line = tbody.insertRow();
    line.append(Object.assign(document.createElement('th'), { scope: 'row', textContent: row[0] }));
    for (const text of row.slice(1)) line.insertCell().textContent = text;
  }
}

/** @param {string} svgText @param {string} title */
function showChart(svgText, title) {
  const svg = new DOMParser().parseFromString(svgText, 'image/svg+xml').documentElement;
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', title);
  byId('BacktestChart').replaceChildren(document.importNode(svg, true));
}

let savedJson = '';  // the report the save link offers

// Where downloads do nothing (WeChat's browser), the save link shows the report to copy instead.
export function offerCopies() {
  if (!inWeChat()) return;
  byId('BacktestSave').addEventListener('click', (event) => {
    event.preventDefault();
    showToCopy(savedJson, byId('BacktestCopy'));
  });
}

// Shows the report of a test; `took` says how long it took, `commandLine` how to make it again.
/**
 * @param {Report} report
 * @param {{ took: string, commandLine: string, words: Record<string, string> }} run
 */
export function showReport(report, { took, commandLine, words }) {
  byId('BacktestHeadline').textContent = report.headline;
  byId('BacktestFigure').textContent = report.figure;
  byId('BacktestFigureCaption').textContent = report.figureCaption;
  byId('BacktestBeside').textContent = report.beside;
  byId('BacktestVerdict').textContent = report.verdict;
  byId('BacktestTook').textContent = took;
  byId('BacktestOrder').textContent = report.orderNote;
  byId('BacktestOrder').hidden = report.orderNote === '';
  showTable('BacktestClaims', report.claims);
  byId('BacktestClaimsRegion').hidden = report.claims.length === 0;
  showTable('BacktestMoney', report.money);
  showTable('BacktestTable', report.table);
  showTable('BacktestPower', report.power);
  byId('PowerHeading').textContent = report.powerHeading;
  byId('PowerNote').textContent = report.powerNote;
  showChart(report.chart, words.chartTitle);
  offer(/** @type {HTMLAnchorElement} */ (byId('BacktestSave')), report.json, report.jsonName,
    'application/json');
  savedJson = report.json;
  byId('BacktestCopy').hidden = true;
  byId('BacktestCommandLine').textContent = commandLine;
  byId('BacktestResult').hidden = false;
  // Whether a table overflows is measured after the next frame has laid the report out, so that
  // showing it is not one long task that lays it out twice.
  requestAnimationFrame(() => setTimeout(showScrollHint));
}
