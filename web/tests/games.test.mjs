// The two games on a phone: each keeps its own grid, record, odds and verdict; switching is
// instant and loses nothing of the other; the choice is remembered; a 3D record pasted into
// 排列三's is refused whole; the second game's record is fetched only once it is chosen.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import AxeBuilder from '@axe-core/playwright';
import { devices } from 'playwright-core';
import { SITE, nativeOdds, oddsOf, openBrowser, openPage, typeGrid } from './browser.mjs';

const PHONE = devices['Pixel 7'];
const WELFARE = ['3', '5', '8', '16', '2', '7', '1', '10', '9', '0', '4', '13'];
const PICK3 = ['1', '1', '2', '4', '0', '9', '9', '18', '5', '5', '0', '10'];
const PICK3_RECORD = 'pl3-draws-2004-2026.csv';

let session;
before(async () => { session = await openBrowser(); });
after(async () => { await session.close(); });

const cellsOf = (page) => page.evaluate(() => [...document.querySelectorAll('[data-cell]')]
  .sort((a, b) => Number(a.dataset.cell) - Number(b.dataset.cell)).map((cell) => cell.value));
const pressed = (page) => page.evaluate(() => Object.fromEntries([...document.querySelectorAll('#Games [data-game]')]
  .map((button) => [button.dataset.game, button.getAttribute('aria-pressed')])));

async function predicted(page) {
  await page.click('#Command1');
  await page.waitForSelector('#Odds:not([hidden])');
  return oddsOf(page);
}

test('each game keeps its own grid and prices its own bets; the choice is remembered', async () => {
  const { page, context, errors } = await openPage(session.browser, `${session.origin}/`,
    { ...PHONE, locale: 'zh-CN', serviceWorkers: 'block' });
  const fetched = [];
  page.on('request', (request) => fetched.push(new URL(request.url()).pathname));
  assert.deepEqual(await pressed(page), { '3d': 'true', pl3: 'false' });
  await typeGrid(page, WELFARE);
  const welfareOdds = await predicted(page);
  assert.deepEqual(welfareOdds, nativeOdds(WELFARE, '3d'));
  assert.equal(fetched.some((path) => path.endsWith(PICK3_RECORD)), false, '排列三\'s record waits until it is chosen');

  await page.click('[data-game="pl3"]');
  assert.deepEqual(await pressed(page), { '3d': 'false', pl3: 'true' });
  assert.deepEqual(await cellsOf(page), Array(12).fill(''), '排列三 starts with its own, empty grid');
  assert.equal(await page.isHidden('#Odds'), true, 'the other game\'s odds are gone');
  await typeGrid(page, PICK3);
  const pick3Odds = await predicted(page);
  assert.deepEqual(pick3Odds, nativeOdds(PICK3, 'pl3'));
  assert.notDeepEqual(pick3Odds, nativeOdds(PICK3, '3d'), '排列三 prices its own bet');

  await page.click('[data-game="3d"]');
  assert.deepEqual(await cellsOf(page), WELFARE);
  await page.click('[data-game="pl3"]');
  assert.deepEqual(await cellsOf(page), PICK3);
  await page.reload();
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  assert.deepEqual(await pressed(page), { '3d': 'false', pl3: 'true' }, 'the choice is remembered');
  assert.deepEqual(await cellsOf(page), PICK3);

  // Every control a thumb's size, its text readable, and axe's WCAG 2.2 AA rules clean.
  const boxes = await page.locator('#Games button').evaluateAll((buttons) => buttons.map((button) => {
    const r = button.getBoundingClientRect();
    return [r.width, r.height, parseFloat(getComputedStyle(button).fontSize)];
  }));
  for (const [width, height, font] of boxes) assert.ok(width >= 44 && height >= 44 && font >= 16, String([width, height, font]));
  const axe = await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa', 'wcag21aa', 'wcag22aa']).include('#Games').analyze();
  assert.deepEqual(axe.violations.map((v) => v.id), []);
  assert.deepEqual(errors, []);
  await context.close();
});

test('each game keeps its own record; a 3D record pasted into 排列三 is refused whole', async () => {
  const { page, context, errors } = await openPage(session.browser, `${session.origin}/`,
    { ...PHONE, locale: 'zh-CN', serviceWorkers: 'block' });
  const fetched = [];
  page.on('request', (request) => fetched.push(new URL(request.url()).pathname));
  await page.click('#Record > summary');
  await page.waitForSelector('#RecordBody[aria-busy="false"]');
  assert.match(await page.textContent('#RecordStatus'), /记录共 7680 期，最后一期是第 2026173 期/);
  assert.equal(fetched.some((path) => path.endsWith(PICK3_RECORD)), false, '排列三\'s record waits until it is chosen');

  await page.click('[data-game="pl3"]');
  await page.waitForFunction(() => /7672/.test(document.getElementById('RecordStatus').textContent));
  assert.match(await page.textContent('#RecordStatus'), /记录共 7672 期，最后一期是第 2026197 期/);
  // The newest forty draws of 3D's record, whose periods 排列三's record holds with other draws.
  const welfare = readFileSync(process.env.QUORVEL_RECORD, 'utf8').trim().split('\n').slice(-40).join('\n');
  await page.fill('#RecordPaste', welfare);
  await page.click('#RecordAdd');
  assert.match(await page.textContent('#RecordStatus'), /像是另一种彩票的记录，一期也没有加进去/);
  // A draw of 排列三's own joins its record and not 3D's.
  await page.fill('#RecordPaste', '2026198,1,2,3');
  await page.click('#RecordAdd');
  await page.waitForFunction(() => /7673/.test(document.getElementById('RecordStatus').textContent));
  await page.click('[data-game="3d"]');
  await page.waitForFunction(() => /7680/.test(document.getElementById('RecordStatus').textContent));
  assert.match(await page.textContent('#RecordStatus'), /记录共 7680 期，最后一期是第 2026173 期/);
  await page.click('[data-game="pl3"]');
  await page.waitForFunction(() => /7673/.test(document.getElementById('RecordStatus').textContent));
  assert.deepEqual(errors, []);
  await context.close();
});

test('each game keeps its own verdict, tested on its own record at its own prizes', async () => {
  const { page, context, errors } = await openPage(session.browser, `${session.origin}/?shuffles=20&seed=7`,
    { locale: 'zh-CN', serviceWorkers: 'block', acceptDownloads: true });
  await page.waitForSelector('#Backtest[aria-busy="false"]');
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  const welfareCommand = await page.textContent('#BacktestCommandLine');
  assert.doesNotMatch(welfareCommand, /--game/);

  await page.click('[data-game="pl3"]');
  assert.equal(await page.isHidden('#BacktestResult'), true);
  assert.match(await page.textContent('#BacktestRecord'), new RegExp(PICK3_RECORD));
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  assert.match(await page.textContent('#BacktestCommandLine'), /--game pl3/);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#BacktestSave')]);
  const saved = readFileSync(await download.path(), 'utf8');
  const native = execFileSync(process.env.QUORVEL_BACKTEST, [join(SITE, PICK3_RECORD), '--game', 'pl3', '--json',
    '--threads', '1', '--seed', '7', '--shuffles', '20'], { env: { ...process.env, LC_ALL: 'C' } }).toString();
  assert.equal(saved, native);

  await page.click('[data-game="3d"]');
  assert.equal(await page.isVisible('#BacktestResult'), true, '3D\'s verdict is still there');
  assert.equal(await page.textContent('#BacktestCommandLine'), welfareCommand);
  assert.deepEqual(errors, []);
  await context.close();
});

test('both games\' records tested together give the native program\'s joint verdict, under either game', async () => {
  const { page, context, errors } = await openPage(session.browser, `${session.origin}/?shuffles=20&seed=7`,
    { ...PHONE, locale: 'zh-CN', serviceWorkers: 'block' });
  await page.waitForSelector('#Backtest[aria-busy="false"]');
  await page.click('#TogetherRun');
  await page.waitForSelector('#TogetherResult:not([hidden])', { timeout: 120000 });
  const native = execFileSync(process.env.QUORVEL_BACKTEST, [process.env.QUORVEL_RECORD, '--with',
    join(SITE, PICK3_RECORD), '--shuffles', '20', '--seed', '7'], { env: { ...process.env, LC_ALL: 'zh_CN.UTF-8' } })
    .toString().split('\n');
  const block = native.indexOf('两份记录放在一起：');
  assert.ok(block > 0);
  const alone = (await page.textContent('#TogetherAlone')).split('\n');
  assert.equal(alone.length, 2);
  assert.match(alone[0], /^福彩3D的记录单独看：/);
  assert.equal(alone[1], native[block + 1]);
  assert.equal(await page.textContent('#TogetherSentence'), native[block + 2]);
  assert.equal(await page.locator('#TogetherClaims tbody tr').count(), 19);
  // The joint verdict is about both records: it stands under either game.
  await page.click('[data-game="pl3"]');
  assert.equal(await page.isVisible('#TogetherResult'), true);
  const axe = await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa', 'wcag21aa', 'wcag22aa'])
    .include('#Backtest').analyze();
  assert.deepEqual(axe.violations.map((v) => v.id), []);
  assert.deepEqual(errors, []);
  await context.close();
});

test('two pages, one on each game, interleaving additions: each game\'s record ends whole and apart', async () => {
  const context = await session.browser.newContext({ locale: 'zh-CN', serviceWorkers: 'block', acceptDownloads: true });
  const open = async () => {
    const page = await context.newPage();
    await page.goto(`${session.origin}/`);
    await page.waitForSelector('#MainForm[aria-busy="false"]');
    await page.click('#Record > summary');
    await page.waitForSelector('#RecordBody[aria-busy="false"]');
    return page;
  };
  const exported = async (page) => {
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#RecordExport')]);
    return readFileSync(await download.path(), 'utf8');
  };
  const [a, b] = [await open(), await open()];
  await b.click('[data-game="pl3"]');
  await b.waitForFunction(() => /7672/.test(document.getElementById('RecordStatus').textContent));
  const welfare = readFileSync(process.env.QUORVEL_RECORD, 'utf8');
  const pick3 = readFileSync(join(SITE, PICK3_RECORD), 'utf8');
  const added = { a: [], b: [] };
  const period = { a: 2026174, b: 2026198 };
  let seed = 11;
  const next = () => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed; };
  for (let step = 0; step < 10; ++step) {
    const which = next() % 2 ? 'a' : 'b';
    const page = which === 'a' ? a : b;
    const d = [next() % 10, next() % 10, next() % 10];
    const count = (which === 'a' ? 7680 : 7672) + added[which].length + 1;
    await page.fill('#RecordPaste', `${period[which]},${d.join(',')}\n`);
    await page.click('#RecordAdd');
    await page.waitForFunction((n) => new RegExp(`记录共 ${n} 期`).test(document.getElementById('RecordStatus').textContent),
      count);
    added[which].push(`${period[which]},${d.join(',')},${d[0] + d[1] + d[2]}\n`);
    ++period[which];
  }
  assert.equal(await exported(a), welfare + added.a.join(''));
  assert.equal(await exported(b), pick3 + added.b.join(''));
  // Page A, on 排列三 now, holds what page B added there.
  await a.click('[data-game="pl3"]');
  await a.waitForFunction((n) => new RegExp(`记录共 ${n} 期`).test(document.getElementById('RecordStatus').textContent),
    7672 + added.b.length);
  assert.equal(await exported(a), pick3 + added.b.join(''));
  await context.close();
});
