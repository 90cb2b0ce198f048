// The backtest section: the page's report against the native quorvel-backtest, a damaged file,
// the window answering while the workers replay, cancel, and the English texts.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { basename } from 'node:path';
import { after, before, test } from 'node:test';
import AxeBuilder from '@axe-core/playwright';
import { nativeAnswer, openBrowser, openPage, outputsOf, typeGrid } from './browser.mjs';

const SHIPPED = process.env.QUORVEL_RECORD;
const SHIPPED_NAME = basename(SHIPPED);
// The native program's report, in English whatever this machine's locale.
const nativeBacktest = (...args) =>
  execFileSync(process.env.QUORVEL_BACKTEST, args, { env: { ...process.env, LC_ALL: 'C' } }).toString();

let session;
before(async () => { session = await openBrowser(); });
after(async () => { await session.close(); });

// The page with its backtest section ready, in the browser language `locale`.
async function openSection(query, locale = 'zh-CN', device = {}) {
  const opened = await openPage(session.browser, `${session.origin}/${query}`, { locale, acceptDownloads: true, ...device });
  await opened.page.waitForSelector('#Backtest[aria-busy="false"]');
  return opened;
}

const finished = (page) => page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });

test('the saved report is the native program\'s JSON for the same record, seed and shuffles', async () => {
  const { page, context, errors } = await openSection('?shuffles=60&seed=7');
  await page.click('#BacktestRun');
  await finished(page);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#BacktestSave')]);
  const saved = readFileSync(await download.path(), 'utf8');
  assert.equal(saved, nativeBacktest(SHIPPED, '--json', '--threads', '1', '--seed', '7', '--shuffles', '60'));
  assert.equal(download.suggestedFilename(), SHIPPED_NAME.replace(/\.csv$/, '-backtest.json'));
  // The answer first: a headline in plain words and what came back of every yuan staked.
  assert.equal(await page.textContent('#BacktestHeadline'), '没有证据表明它灵。');
  assert.equal(await page.textContent('#BacktestFigure'), '0.53 元');
  assert.match(await page.textContent('#BacktestFigureCaption'), /从第 2004004 期起每期把重点号码范围/);
  const verdict = await page.textContent('#BacktestVerdict');
  assert.match(verdict, /^把这份记录打乱 \d+ 次作对照/);
  // No null said as a fact: only that there is no evidence.
  assert.match(verdict, /没有证据表明哪项输出的命中比运气多/);
  assert.doesNotMatch(verdict, /不比运气多|不比打乱/);
  // The evidence under a disclosure, its amounts grouped for reading.
  assert.equal(await page.isVisible('#BacktestMoney'), false);
  await page.click('#BacktestEvidence summary');
  assert.deepEqual((await page.locator('#BacktestMoney tbody tr:first-child > *').allTextContents()).slice(0, 5),
    ['预测号码范围', '209,860', '110,605', '-99,255', '52.7%']);
  assert.equal(await page.locator('#BacktestClaims tbody tr').count(), 19);
  assert.equal(await page.locator('#BacktestTable tbody tr').count(), 8);
  assert.equal(await page.locator('#BacktestChart svg text', { hasText: '2026' }).count(), 2);  // a panel each
  assert.deepEqual(errors, []);
  await context.close();
});

test('a damaged file gets its place and fault, and the earlier result is not left under it', async () => {
  const { page, context } = await openSection('?shuffles=20');
  await page.click('#BacktestRun');
  await finished(page);
  const before = await page.evaluate(() => [
    document.getElementById('BacktestVerdict').textContent, document.getElementById('BacktestRecord').textContent]);
  const damaged = 'period,d1,d2,d3\n2004001,1,2,3\n2004002,1,x,3\n';
  await page.setInputFiles('#BacktestFile', { name: 'mine.csv', mimeType: 'text/csv', buffer: Buffer.from(damaged) });
  await page.waitForSelector('#BacktestError:not([hidden])');
  // The native reader puts the same fault at the same place: line 3, column 11.
  assert.throws(() => execFileSync(process.env.QUORVEL_BACKTEST, ['-'], { input: damaged, stdio: 'pipe' }),
    (error) => /:3:11: d2 is not a digit 0-9/.test(error.stderr.toString()));
  assert.equal(await page.textContent('#BacktestError'), 'mine.csv 第3行第11列：d2 不是 0 到 9 的数字');
  assert.deepEqual(await page.evaluate(() => [
    document.getElementById('BacktestVerdict').textContent, document.getElementById('BacktestRecord').textContent]), before);
  assert.equal(await page.isVisible('#BacktestResult'), false);
  await context.close();
});

test('a shipped record that does not arrive is said, and a later try that reaches it runs', async () => {
  const { page, context, errors } = await openSection('?shuffles=20', 'zh-CN', { serviceWorkers: 'block' });
  await context.route(`**/${SHIPPED_NAME}`, (route) => route.abort('internetdisconnected'));
  const unreadable = '没能取得这份记录，请检查网络或文件后重试。';
  for (const button of ['#AuditRun', '#BacktestRun']) {
    await page.evaluate(() => { document.getElementById('BacktestError').textContent = ''; });
    await page.click(button);
    await page.waitForFunction((text) => document.getElementById('BacktestError').textContent === text, unreadable);
    assert.equal(await page.isVisible('#BacktestError'), true, button);
  }
  assert.equal(await page.getAttribute('#Backtest', 'aria-busy'), 'false');
  await context.unroute(`**/${SHIPPED_NAME}`);
  await page.click('#BacktestRun');
  await finished(page);
  assert.equal(await page.isVisible('#BacktestError'), false);
  assert.deepEqual(errors, []);
  await context.close();
});

test('Predict answers while the workers replay, and cancel stops them all', async () => {
  const { page, context } = await openSection('?shuffles=100000');
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestProgress:not([hidden])');
  const cells = ['3', '5', '8', '16', '2', '7', '1', '10', '9', '0', '4', '13'];
  const started = Date.now();
  await typeGrid(page, cells);
  await page.click('#Command1');
  assert.deepEqual(await outputsOf(page), nativeAnswer(cells).outputs);
  assert.ok(Date.now() - started < 5000, `the window took ${Date.now() - started} ms`);
  assert.equal(await page.getAttribute('#Backtest', 'aria-busy'), 'true');
  assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('#Backtest .actions button, #Backtest .actions input')]
    .map((control) => control.disabled)), [true, true, true, true, true]);

  await page.click('#BacktestCancel');
  await page.waitForSelector('#BacktestProgress', { state: 'hidden' });
  assert.equal(await page.textContent('#BacktestError'), '已取消检验。');
  const shown = await page.getAttribute('#BacktestBar', 'value');
  await page.waitForTimeout(500);
  assert.equal(await page.getAttribute('#BacktestBar', 'value'), shown);
  assert.ok(Number(shown) < 100000);
  assert.equal(await page.isVisible('#BacktestResult'), false);
  await context.close();
});

test('under an English browser the section speaks English and the window keeps its own texts', async () => {
  const { page, context } = await openSection('?shuffles=30', 'en-US');
  assert.equal(await page.textContent('#BacktestTitle'), 'Does this forecast work?');
  assert.equal(await page.textContent('#Command1'), '预 测');
  await page.click('#BacktestRun');
  await finished(page);
  const table = nativeBacktest(SHIPPED, '--shuffles', '30', '--threads', '1').trimEnd().split('\n');
  assert.equal(await page.textContent('#BacktestHeadline'), table[0]);
  assert.equal(await page.textContent('#BacktestVerdict'), table[4]);
  assert.equal(await page.textContent('#BacktestTable thead th:first-child'), 'output');
  assert.match(await page.textContent('#BacktestChart svg'), /year of the draw forecast/);
  await context.close();
});

test('a link\'s shuffle count is held to the command line\'s limits and refused with its reason', async () => {
  const { page, context } = await openSection('?shuffles=2000000', 'en-US');
  const reason = (stderr) => stderr.slice(stderr.indexOf(': ', stderr.indexOf('--shuffles')) + 2).trim();
  let native = '';
  try {
    execFileSync(process.env.QUORVEL_BACKTEST, [SHIPPED, '--shuffles', '2000000'], { stdio: 'pipe' });
  } catch (error) {
    native = error.stderr.toString();
  }
  assert.match(native, /--shuffles: /);
  assert.equal(await page.textContent('#BacktestError'), `shuffles: ${reason(native)}`);
  assert.match(await page.textContent('#BacktestRecord'), / 1000 shuffles/);
  await context.close();

  const none = await openSection('?shuffles=0', 'en-US');
  await none.page.click('#BacktestRun');
  await finished(none.page);
  assert.equal(await none.page.textContent('#BacktestVerdict'),
    nativeBacktest(SHIPPED, '--shuffles', '0').trimEnd().split('\n')[4]);
  await none.context.close();
});

test('on a 360-pixel phone the report reads: a first column that stays, a sign that it scrolls, a legible chart', async () => {
  const phone = { viewport: { width: 360, height: 640 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 };
  const { page, context } = await openSection('?shuffles=20', 'zh-CN', phone);
  await page.click('#BacktestRun');
  await finished(page);
  await page.click('#BacktestEvidence summary');
  const report = await page.evaluate(() => {
    const region = document.getElementById('BacktestTableRegion');
    const first = () => region.querySelector('tbody th').getBoundingClientRect().left;
    const before = first();
    region.scrollLeft = region.scrollWidth;
    const svg = document.querySelector('#BacktestChart svg');
    const scale = svg.getBoundingClientRect().width / svg.viewBox.baseVal.width;
    return {
      scrolls: region.scrollWidth > region.clientWidth, focusable: region.tabIndex === 0,
      hint: !document.getElementById('BacktestScrollHint').hidden, firstColumnStays: Math.abs(first() - before) < 1,
      smallestChartText: Math.min(...[...svg.querySelectorAll('text')].map((t) => parseFloat(getComputedStyle(t).fontSize) * scale)),
      sideways: document.documentElement.scrollWidth - window.innerWidth,
    };
  });
  assert.deepEqual({ ...report, smallestChartText: report.smallestChartText >= 11 },
    { scrolls: true, focusable: true, hint: true, firstColumnStays: true, smallestChartText: true, sideways: 0 });
  assert.equal(await page.locator('[aria-label="undefined"], [aria-label=""]').count(), 0);
  const axe = await new AxeBuilder({ page }).include('#Backtest').withTags(['wcag2a', 'wcag2aa', 'wcag21aa', 'wcag22aa']).analyze();
  assert.deepEqual(axe.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);
  await context.close();
});

test('the record\'s own test of randomness, on its own button, says what the command line says', async () => {
  const { page, context } = await openSection('?shuffles=20', 'en-US');
  await page.click('#AuditRun');
  await page.waitForSelector('#AuditResult:not([hidden])');
  const native = JSON.parse(nativeBacktest(SHIPPED, '--audit', '--json', '--shuffles', '0')).audit;
  const rows = await page.locator('#AuditTable tbody tr').evaluateAll((trs) => trs.map((tr) => [...tr.children].map((c) => c.textContent)));
  assert.deepEqual(rows.map((row) => row[0]), native.tests.map((test) => test.name));
  assert.deepEqual(rows.map((row) => Number(row[4])), native.tests.map((test) => Number(test.pValue.toFixed(4))));
  assert.match(await page.textContent('#AuditSentence'), /^On these 7,680 draws none of the 23 tests rejects/);
  assert.equal(native.random, true);
  // And the test's power, beside the report, once a run has finished.
  await page.click('#BacktestRun');
  await finished(page);
  assert.equal(await page.locator('#BacktestPower tbody tr').count(), 8);
  await context.close();
});
