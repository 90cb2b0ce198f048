// The web edition in a real browser, typed into as a person would.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { join } from 'node:path';
import AxeBuilder from '@axe-core/playwright';
import { SITE, nativeAnswer, openBrowser, openPage, outputsOf, typeGrid } from './browser.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(async () => { await session.close(); });

const WORKED = ['3', '5', '8', '16', '2', '7', '1', '10', '9', '0', '4', '13'];

test('every control sits at its pixel place in the 590 x 315 form', async () => {
  const { page, context } = await openPage(session.browser, session.origin);
  const boxes = await page.evaluate(() => {
    const form = document.getElementById('MainForm').getBoundingClientRect();
    return Object.fromEntries([...document.querySelectorAll('#MainForm > [id]')].map((element) => {
      const r = element.getBoundingClientRect();
      return [element.id, [r.left - form.left, r.top - form.top, r.width, r.height]];
    }).concat([['MainForm', [0, 0, form.width, form.height]]]));
  });
  const expected = {
    MainForm: [0, 0, 590, 315], Frame1: [8, 8, 209, 185], Frame2: [232, 8, 353, 57],
    Frame3_0: [232, 72, 353, 57], Frame3_1: [232, 136, 353, 57], Frame4: [16, 200, 569, 49],
    Command1: [16, 136, 81, 33], Command2: [120, 136, 81, 33], Command3: [24, 216, 57, 25],
    Text2: [240, 24, 337, 33], Text3: [240, 88, 337, 33], Text4: [240, 152, 337, 33],
    Text5_0: [104, 216, 81, 25], Text5_4: [200, 216, 81, 25], Text5_1: [296, 216, 81, 25],
    Text5_2: [392, 216, 81, 25], Text5_3: [488, 216, 81, 25], Label1: [40, 264, 497, 65],
  };
  for (let i = 0; i < 12; ++i) expected[`Text1_${i}`] = [16 + 48 * (i % 4), 24 + 32 * Math.floor(i / 4), 41, 25];
  assert.deepEqual(boxes, expected);
  assert.equal(await page.title(), 'Quorvel预测软件(网页版)V1.6');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Text1_0');
  await context.close();
});

test('Tab visits the controls in the window order, and Enter presses nothing', async () => {
  const { page, context } = await openPage(session.browser, session.origin);
  const order = [];
  for (let i = 0; i < 23; ++i) {
    order.push(await page.evaluate(() => document.activeElement.id));
    await page.keyboard.press('Tab');
  }
  assert.deepEqual(order, [...Array.from({ length: 12 }, (_, i) => `Text1_${i}`), 'Command1', 'Text2',
    'Command2', 'Text3', 'Text4', 'Text5_0', 'Text5_1', 'Text5_2', 'Text5_4', 'Command3', 'Text5_3']);
  await typeGrid(page, WORKED);
  await page.click('#Text1_11');
  await page.keyboard.press('Enter');
  await page.keyboard.press('Escape');
  assert.equal(await page.inputValue('#Text2'), '');
  await context.close();
});

test('the grid check empties a cell the moment it holds no number, key by key', async () => {
  const { page, context } = await openPage(session.browser, session.origin);
  const typed = async (keys) => {
    await page.fill('#Text1_0', '');
    await page.click('#Text1_0');
    const seen = [];
    for (const key of keys) {
      await page.keyboard.type(key);
      seen.push(await page.inputValue('#Text1_0'));
    }
    return seen;
  };
  assert.deepEqual(await typed(['1', 'e', '2']), ['1', '', '2']);
  assert.deepEqual(await typed(['-', '.', '5', ' ']), ['', '', '5', '5 ']);
  assert.deepEqual(await typed(['2', '.', '5']), ['2', '2.', '2.5']);
  await page.fill('#Text1_1', '12ab');  // as pasted: one change of the whole text
  assert.equal(await page.inputValue('#Text1_1'), '');
  await context.close();
});

test('Predict gives the desktop program\'s answers, and a failure reports and focuses the cell', async () => {
  const { page, context, errors } = await openPage(session.browser, session.origin);
  for (const grid of [WORKED, ['1', '2', '3', '6', '4', '5', '6', '15', '7', '8', '9', '24'], Array(12).fill('')]) {
    for (let i = 0; i < 12; ++i) await page.fill(`#Text1_${i}`, '');
    await typeGrid(page, grid);
    await page.click('#Command1');
    assert.deepEqual(await outputsOf(page), nativeAnswer(grid).outputs);
  }
  const failing = ['1', '1', '1', '50000', '1', '1', '1', '50000', '1', '1', '1', '1'];
  for (let i = 0; i < 12; ++i) await page.fill(`#Text1_${i}`, '');
  await typeGrid(page, failing);
  await page.click('#Command1');
  assert.equal(await page.isVisible('#Report'), true);
  assert.equal(await page.textContent('#ReportTitle'), "运行时错误 '6'：溢出");
  assert.equal(await page.textContent('#ReportCells'), '出错的格子：最新一期和值“50000” × 上一期和值“50000”');
  assert.deepEqual(await outputsOf(page), nativeAnswer(failing).outputs);
  await page.click('#ReportOk');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Text1_3');
  assert.equal(await page.evaluate(() => {
    const cell = document.activeElement;
    return cell.value.substring(cell.selectionStart, cell.selectionEnd);
  }), '50000');
  await page.keyboard.type('5');
  assert.equal(await page.inputValue('#Text1_3'), '5');
  assert.deepEqual(errors, []);
  await context.close();
});

test('the draw shift moves the periods down, and the shop opens without a way back', async () => {
  const { page, context } = await openPage(session.browser, session.origin);
  await typeGrid(page, ['3', '5', '8', '16', '2.5', '7', '1', '10', '9', '0', '4', '13']);
  await page.click('#Command1');
  await page.click('#Command2');
  const grid = await Promise.all(Array.from({ length: 12 }, (_, i) => page.inputValue(`#Text1_${i}`)));
  assert.deepEqual(grid, ['', '', '', '', '3', '5', '8', '16', '2', '7', '1', '10']);
  assert.equal(await page.inputValue('#Text2'), '');
  await context.route(/^http:\/\/www\.taobao\.com/, (route) => route.fulfill({ body: 'shop' }));
  const opened = context.waitForEvent('page');
  await page.click('#Command3');
  const shop = await opened;
  await shop.waitForLoadState();
  assert.equal(new URL(shop.url()).host, 'www.taobao.com');
  assert.equal(await shop.evaluate(() => window.opener), null);
  await context.close();
});

test('a phone shows the whole form across its width, and taps work', async () => {
  const { page, context } = await openPage(session.browser, session.origin,
    { viewport: { width: 360, height: 640 }, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
  const sizes = await page.evaluate(() => ({
    scroll: document.documentElement.scrollWidth,
    form: document.getElementById('MainForm').getBoundingClientRect().right,
    keypad: document.getElementById('Text1_0').inputMode,
  }));
  assert.ok(sizes.scroll <= 360, `scrolls sideways: ${sizes.scroll}`);
  assert.ok(sizes.form <= 360 && sizes.form > 350, `the form ends at ${sizes.form}`);
  assert.equal(sizes.keypad, 'decimal');
  for (const [i, text] of WORKED.entries()) {
    await page.tap(`#Text1_${i}`);
    await page.keyboard.type(text);
  }
  await page.tap('#Command1');
  assert.deepEqual(await outputsOf(page), nativeAnswer(WORKED).outputs);
  await page.screenshot({ path: join(process.env.QUORVEL_SCREENSHOTS ?? '/tmp', 'page-phone.png') });
  await context.close();
});

test('after one visit the page works offline, and a reload keeps the grid', async () => {
  const { page, context } = await openPage(session.browser, session.origin);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();  // now under the service worker
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  await typeGrid(page, WORKED);
  await context.setOffline(true);
  await page.reload();
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  assert.equal(await page.inputValue('#Text1_3'), '16');
  await page.click('#Command1');
  assert.deepEqual(await outputsOf(page), nativeAnswer(WORKED).outputs);
  await context.close();
});

test('the single file works opened from disk, with no network', async () => {
  const { page, context, errors } = await openPage(session.browser,
    pathToFileURL(join(SITE, 'quorvel.html')).href, { offline: true });
  await typeGrid(page, WORKED);
  await page.click('#Command1');
  assert.deepEqual(await outputsOf(page), nativeAnswer(WORKED).outputs);
  assert.deepEqual(errors, []);
  await context.close();
});

test('the page asks for nothing from another origin, and axe finds no violation', async () => {
  const context = await session.browser.newContext();
  const page = await context.newPage();
  const foreign = [];
  page.on('request', (request) => {
    if (new URL(request.url()).origin !== session.origin) foreign.push(request.url());
  });
  await page.goto(session.origin);
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  const results = await new AxeBuilder({ page }).analyze();
  assert.deepEqual(results.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);
  assert.deepEqual(foreign, []);
  await context.close();
});
