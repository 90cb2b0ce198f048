// The page under faults and load: an engine that cannot load is said, no worker starts before a
// tap, a worker whose WebAssembly does not arrive or that answers a part twice ends the run with
// a word, nothing stale is
// shown, too little is said as too little, the command line quotes the file's name for a shell,
// a file chosen during a run is answered, and every bad link setting is named.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { after, before, test } from 'node:test';
import { openBrowser, openPage } from './browser.mjs';

let session;
before(async () => { session = await openBrowser(); });
after(async () => { await session.close(); });

async function openSection(query = '', options = {}) {
  const opened = await openPage(session.browser, `${session.origin}/${query}`,
    { locale: 'zh-CN', serviceWorkers: 'block', ...options });
  await opened.page.waitForSelector('#Backtest[aria-busy="false"]');
  return opened;
}

// A record file of `count` uniform draws, periods 1, 2, 3 ...
function recordFile(name, count) {
  const lines = ['period,d1,d2,d3'];
  for (let t = 1; t <= count; ++t) lines.push(`${t},${t % 10},${(t * 7) % 10},${(t * 3 + 1) % 10}`);
  return { name, mimeType: 'text/csv', buffer: Buffer.from(`${lines.join('\n')}\n`) };
}

const controlsOn = (page) => page.evaluate(() =>
  [...document.querySelectorAll('#Backtest .actions button, #Backtest .actions input')].every((c) => !c.disabled));

test('an engine that cannot load is said, in both languages, with what to do', async () => {
  for (const block of [
    async (context) => context.route('**/forecast.wasm', (route) => route.abort('failed')),
    async (context) => context.addInitScript(() => { delete window.WebAssembly; }),
  ]) {
    const context = await session.browser.newContext({ serviceWorkers: 'block' });
    await block(context);
    const page = await context.newPage();
    await page.goto(`${session.origin}/`);
    await page.waitForSelector('#LoadFailure:not([hidden])', { timeout: 10000 });
    assert.equal(await page.getAttribute('#LoadFailure', 'role'), 'alert');
    assert.match(await page.textContent('#LoadFailure [lang="zh-CN"]'), /预测无法启动.*在浏览器打开/);
    assert.match(await page.textContent('#LoadFailure [lang="en"]'), /The forecast could not start/);
    await context.close();
  }
});

test('no worker starts before a tap, and the backtest\'s engine loads only when asked', async () => {
  const { page, context } = await openSection('?shuffles=20');
  const loaded = [];
  page.on('request', (request) => loaded.push(new URL(request.url()).pathname));
  await page.waitForTimeout(1500);
  assert.deepEqual(page.workers(), []);
  assert.equal(loaded.some((path) => path.endsWith('backtest.wasm')), false);
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  assert.equal(loaded.some((path) => path.endsWith('backtest.wasm')), true);
  await context.close();
});

test('a worker whose WebAssembly cannot be fetched ends the run with a word, never a wait', async () => {
  const { page, context } = await openSection('?shuffles=100');
  await context.route('**/backtest.wasm', (route) => route.abort('internetdisconnected'));
  const started = Date.now();
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestError:not([hidden])', { timeout: 15000 });
  assert.ok(Date.now() - started < 15000);
  assert.equal(await page.textContent('#BacktestError'), '检验中途出错，请重试。');
  assert.equal(await page.isVisible('#BacktestProgress'), false);
  assert.equal(await controlsOn(page), true);
  await context.unroute('**/backtest.wasm');
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  await context.close();
});

test('a worker that answers a part of the shuffles twice ends the run with a word, never a miscount', async () => {
  const { page, context } = await openSection('?shuffles=100');
  // Each shuffle worker as it is, but that sends every part it replays twice.
  await context.route('**/shuffle_worker.js', async (route) => {
    const response = await route.fetch();
    const script = (await response.text()).replace(
      "answer({ type: 'part', first: message.first, count: message.count, values }, [values.buffer]);",
      "answer({ type: 'part', first: message.first, count: message.count, values: values.slice() });" +
      "answer({ type: 'part', first: message.first, count: message.count, values }, [values.buffer]);");
    assert.match(script, /values\.slice\(\)/);
    await route.fulfill({ response, body: script });
  });
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestError:not([hidden])', { timeout: 30000 });
  assert.equal(await page.textContent('#BacktestError'), '检验中途出错，请重试。');
  assert.equal(await page.isVisible('#BacktestResult'), false);
  assert.equal(await controlsOn(page), true);
  await context.unroute('**/shuffle_worker.js');
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  await context.close();
});

test('from a new record\'s choice to its verdict no earlier result stands, nor after Cancel', async () => {
  const { page, context } = await openSection('?shuffles=20');
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  const shippedLine = await page.textContent('#BacktestRecord');
  await page.setInputFiles('#BacktestFile', recordFile('big.csv', 400000));
  await page.waitForSelector('#BacktestProgress:not([hidden])');
  assert.equal(await page.isVisible('#BacktestResult'), false);
  assert.match(await page.textContent('#BacktestRecord'), /big\.csv/);
  await page.click('#BacktestCancel');
  await page.waitForSelector('#BacktestProgress', { state: 'hidden' });
  assert.equal(await page.textContent('#BacktestError'), '已取消检验。');
  assert.equal(await page.isVisible('#BacktestResult'), false);
  assert.equal(await page.textContent('#BacktestRecord'), shippedLine);
  await context.close();
});

test('a file chosen while a test runs is answered, and the run goes on', async () => {
  const { page, context } = await openSection('?shuffles=100000');
  await page.click('#BacktestRun');
  await page.waitForSelector('#BacktestProgress:not([hidden])');
  await page.evaluate(() => {
    const transfer = new DataTransfer();
    transfer.items.add(new File(['1,1,2,3\n'], 'late.csv', { type: 'text/csv' }));
    document.getElementById('Backtest').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  });
  assert.equal(await page.textContent('#BacktestError'), '正在检验：等这次检验结束，或先取消，再开始别的检验。');
  assert.equal(await page.isVisible('#BacktestProgress'), true);
  assert.doesNotMatch(await page.textContent('#BacktestRecord'), /late\.csv/);
  await page.click('#BacktestCancel');
  await context.close();
});

test('too few draws or shuffles are said as too few, not as a finding', async () => {
  const { page, context } = await openSection('?shuffles=200');
  await page.setInputFiles('#BacktestFile', recordFile('four.csv', 4));
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  assert.equal(await page.textContent('#BacktestHeadline'), '开奖或打乱的次数太少，看不出来。');
  assert.match(await page.textContent('#BacktestVerdict'), /太少，看不出这个预测是否胜过运气/);
  assert.doesNotMatch(await page.textContent('#BacktestResult'), /并不比|就是独立、公平/);
  await page.click('#AuditRun');
  await page.waitForSelector('#AuditResult:not([hidden])');
  assert.match(await page.textContent('#AuditSentence'), /这 4 期开奖太少，看不出是否独立、公平/);
  await context.close();

  const one = await openSection('?shuffles=1');
  await one.page.click('#BacktestRun');
  await one.page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  assert.equal(await one.page.textContent('#BacktestHeadline'), '开奖或打乱的次数太少，看不出来。');
  await one.context.close();
});

test('the command line quotes the file\'s name for a POSIX shell, and runs the same test', async () => {
  const { page, context } = await openSection('?shuffles=20');
  const name = 'my record;touch x.csv';
  await page.setInputFiles('#BacktestFile', { ...recordFile(name, 40), name });
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 60000 });
  const line = await page.textContent('#BacktestCommandLine');
  assert.equal(line, "quorvel-backtest 'my record;touch x.csv' --json --seed 1 --shuffles 20");
  assert.match(await page.textContent('#BacktestCommand'), /POSIX shell/);
  // A shell splits it into the program's arguments and nothing else.
  const words = execFileSync('sh', ['-c', `printf '%s|' ${line.slice('quorvel-backtest '.length)}`]).toString();
  assert.equal(words, `${name}|--json|--seed|1|--shuffles|20|`);
  await context.close();
});

test('every bad link setting is named, a repeated one too, and the defaults are used', async () => {
  const { page, context } = await openSection('?seed=abc&shuffles=-1', { locale: 'en-US' });
  const said = await page.textContent('#BacktestError');
  assert.match(said, /^seed: abc is not a whole number/m);
  assert.match(said, /^shuffles: -1 is not a whole number of shuffles/m);
  assert.match(await page.textContent('#BacktestRecord'), /1000 shuffles, seed 1/);
  await context.close();
  const twice = await openSection('?seed=1&seed=2', { locale: 'en-US' });
  assert.equal(await twice.page.textContent('#BacktestError'), 'seed: given 2 times (1, 2); give it once. The default is used');
  await twice.context.close();
});
