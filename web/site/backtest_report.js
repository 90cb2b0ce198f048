// The backtest's report in the page: its verdict, table, chart, saved JSON and the command line
// that gives the same report, all made by the engine and moved here into the section.

import { onPhone } from './window_form.js';

const byId = (id) => document.getElementById(id);

// A sign that the tables scroll sideways, shown only while one does not fit.
export function showScrollHint() {
  const overflows = (id) => byId(id).scrollWidth > byId(id).clientWidth;
  byId('BacktestScrollHint').hidden =
    !['BacktestTableRegion', 'BacktestMoneyRegion', 'BacktestPowerRegion'].some(overflows);
}

export function showTable(id, rows) {
  const table = byId(id);
  table.replaceChildren();
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

function showChart(svgText, title) {
  const svg = new DOMParser().parseFromString(svgText, 'image/svg+xml').documentElement;
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', title);
  byId('BacktestChart').replaceChildren(document.importNode(svg, true));
}

let saved = null;  // the address of the report the save link offers

// Shows the finished `test` of `record` with `settings`, which took `milliseconds`.
export function showResult(engine, test, { record, settings, milliseconds, language, texts }) {
  byId('BacktestVerdict').textContent = test.verdict();
  byId('BacktestTook').textContent = engine.tookText(milliseconds, language);
  byId('BacktestOrder').textContent = test.orderNote();
  byId('BacktestOrder').hidden = test.orderNote() === '';
  showTable('BacktestMoney', test.moneyTable());
  showTable('BacktestTable', test.table());
  showTable('BacktestPower', test.powerTable());
  byId('PowerNote').textContent = texts.powerNote;
  showChart(test.chart(onPhone()), texts.chartTitle);
  if (saved) URL.revokeObjectURL(saved);
  saved = URL.createObjectURL(new Blob([test.json()], { type: 'application/json' }));
  const save = byId('BacktestSave');
  save.href = saved;
  save.download = `${record.name.replace(/\.csv$/i, '')}-backtest.json`;
  byId('BacktestCommand').textContent = texts.reproduce;
  byId('BacktestCommandLine').textContent =
    engine.commandLine(record.name, settings.shuffles, settings.seed);
  byId('BacktestResult').hidden = false;
  showScrollHint();
}
