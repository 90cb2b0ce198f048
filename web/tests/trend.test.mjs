// The trend chart under the record, on a 360 x 640 phone: the command line's figures cell for
// cell, for 30 and 100 periods; sideways scroll with the period column fixed; no text under
// 12 px; axe clean; the chart's code loaded only when the chart is opened; and the strategies'
// test, as the command line words it.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import AxeBuilder from '@axe-core/playwright';
import { SITE, openBrowser, openPage } from './browser.mjs';

const PHONE = { viewport: { width: 360, height: 640 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
const native = (record, ...args) => execFileSync(process.env.QUORVEL_BACKTEST, [record, ...args],
  { env: { ...process.env, LC_ALL: 'zh_CN.UTF-8' }, maxBuffer: 1 << 26 }).toString();

let session;
before(async () => { session = await openBrowser(); });
after(async () => { await session.close(); });

async function openChart(query = '') {
  const opened = await openPage(session.browser, `${session.origin}/${query}`, { ...PHONE, locale: 'zh-CN', serviceWorkers: 'block' });
  const fetched = [];
  opened.page.on('request', (request) => fetched.push(new URL(request.url()).pathname));
  await opened.page.click('#Record > summary');
  await opened.page.waitForSelector('#RecordBody[aria-busy="false"]');
  assert.equal(fetched.includes('/trend_section.js'), false, 'the chart\'s code waits until the chart is opened');
  await opened.page.click('#Trend > summary');
  await opened.page.waitForSelector('#TrendBody[aria-busy="false"]');
  return opened;
}

// Chooses a view or a number of periods, and waits for the chart to show it.
async function choose(page, name) {
  const heading = await page.textContent('#TrendHeading');
  await page.getByRole('button', { name, exact: true }).click();
  await page.waitForFunction((before) => document.getElementById('TrendHeading').textContent !== before, heading);
}

// The chart's cells as the page shows them, a row a period.
const shownRows = (page) => page.locator('#TrendTable tbody tr').evaluateAll((rows) =>
  rows.map((row) => [...row.children].map((cell) => cell.textContent)));

// The same rows from the command line's JSON: the drawn value marked, every other cell its gap.
function nativeRows(json, view) {
  return JSON.parse(json).trend.views[view].rows.map(({ period, value, gaps }) =>
    [String(period), ...gaps.map((gap, v) => (v === value ? `[${v}]` : String(gap)))]);
}

test('the chart is the command line\'s, cell for cell, for 30 and 100 periods and every view', async () => {
  const { page, context, errors } = await openChart();
  const json30 = native(process.env.QUORVEL_RECORD, '--shuffles', '0', '--trend', '30', '--json');
  assert.deepEqual(await shownRows(page), nativeRows(json30, 0));
  await choose(page, '最近 100 期');
  const json100 = native(process.env.QUORVEL_RECORD, '--shuffles', '0', '--trend', '100', '--json');
  assert.equal(await page.locator('#TrendTable tbody tr').count(), 100);
  assert.deepEqual(await shownRows(page), nativeRows(json100, 0));
  for (const [at, name] of ['百位', '十位', '个位'].entries()) {
    await choose(page, name);
    assert.deepEqual(await shownRows(page), nativeRows(json100, at + 1), name);
  }
  // The figures and the sentence are the command line's table's.
  const table = native(process.env.QUORVEL_RECORD, '--shuffles', '0', '--trend', '100');
  assert.ok(table.includes(await page.textContent('#TrendSentence')));
  assert.deepEqual(errors, []);
  await context.close();
});

test('on a phone the chart scrolls sideways with the period column fixed, readable and axe clean', async () => {
  const { page, context } = await openChart();
  await choose(page, '最近 100 期');
  const region = page.locator('#TrendRegion');
  const [scrollWidth, clientWidth] = await region.evaluate((r) => [r.scrollWidth, r.clientWidth]);
  assert.ok(scrollWidth > clientWidth, 'the sums are wider than the phone');
  const before = await page.locator('#TrendTable tbody th').first().boundingBox();
  await region.evaluate((r) => { r.scrollLeft = 300; });
  const after = await page.locator('#TrendTable tbody th').first().boundingBox();
  assert.equal(Math.round(after.x), Math.round(before.x), 'the period column stays');
  const smallest = await page.locator('#Trend td, #Trend th').evaluateAll((cells) =>
    Math.min(...cells.map((cell) => parseFloat(getComputedStyle(cell).fontSize))));
  assert.ok(smallest >= 12, `a cell's text is ${smallest} px`);
  assert.equal(await page.getAttribute('#TrendLine', 'aria-hidden'), 'true');
  const axe = await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa', 'wcag21aa', 'wcag22aa'])
    .include('#Trend').analyze();
  assert.deepEqual(axe.violations.map((v) => `${v.id}: ${v.nodes.length}`), []);
  await context.close();
});

test('the strategies\' test says what the command line says, for each game\'s record', async () => {
  const { page, context, errors } = await openChart('?shuffles=50&seed=3');
  await page.click('#StrategiesRun');
  await page.waitForSelector('#StrategiesResult:not([hidden])', { timeout: 120000 });
  const table = native(process.env.QUORVEL_RECORD, '--shuffles', '50', '--seed', '3', '--trend');
  assert.ok(table.split('\n').includes(await page.textContent('#StrategiesSentence')));
  assert.equal(await page.locator('#StrategiesTable tbody tr').count(), 6);
  // 排列三's chart is its own record's, and its strategies' result goes with the other game.
  await page.click('[data-game="pl3"]');
  await page.waitForFunction(() => document.querySelector('#TrendTable tbody tr:last-child th')?.textContent === '2026197');
  assert.equal(await page.isHidden('#StrategiesResult'), true);
  await page.click('#StrategiesRun');
  await page.waitForSelector('#StrategiesResult:not([hidden])', { timeout: 120000 });
  const pick3 = native(join(SITE, 'pl3-draws-2004-2026.csv'), '--game', 'pl3', '--shuffles', '50', '--seed', '3', '--trend');
  assert.ok(pick3.split('\n').includes(await page.textContent('#StrategiesSentence')));
  assert.deepEqual(errors, []);
  await context.close();
});
