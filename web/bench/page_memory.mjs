// What a large record costs the browser: the memory of every Chromium process the page uses
// (their proportional set sizes, summed) before, at the peak of and after a test of a record of
// two million draws, and the page's longest main-thread task while the file is read. A program,
// not a timed test: run it on a quiet machine, each site as often as wanted, interleaved.
//   node web/bench/page_memory.mjs SITE_DIR [SITE_DIR ...] [--draws 2000000] [--runs 3]
// Each SITE_DIR is a built site (build-web/site, or an older build's to compare). The record is
// uniform simulated draws; the test runs 20 shuffles, enough to load every worker.
import { mkdtempSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { chromium } from 'playwright-core';
import { serve } from '../serve.mjs';

const args = process.argv.slice(2);
const option = (name, fallback) => {
  const at = args.indexOf(name);
  return at < 0 ? fallback : Number(args.splice(at, 2)[1]);
};
const draws = option('--draws', 2_000_000);
const runs = option('--runs', 3);
const sites = args;
const chromiumPath = process.env.QUORVEL_CHROMIUM ?? '/usr/bin/chromium';

// A record of `count` uniform draws, periods 1, 2, 3 ...
function writeRecord(count) {
  const file = join(mkdtempSync(join(tmpdir(), 'quorvel-memory-')), `draws-${count}.csv`);
  const lines = ['period,d1,d2,d3,sum'];
  let state = 12345;
  const digit = () => {
    state = (state * 1103515245 + 12345) % 2147483648;
    return Math.floor(state / 65536) % 10;
  };
  for (let period = 1; period <= count; ++period) {
    const d = [digit(), digit(), digit()];
    lines.push(`${period},${d[0]},${d[1]},${d[2]},${d[0] + d[1] + d[2]}`);
  }
  writeFileSync(file, `${lines.join('\n')}\n`);
  return file;
}

// The processes under this one (the browser and its renderers, GPU and utility processes).
function descendants() {
  const parents = new Map();
  for (const name of readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      parents.set(Number(name), Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]));
    } catch { /* gone */ }
  }
  const found = new Set([process.pid]);
  for (let grew = true; grew;) {
    grew = false;
    for (const [pid, parent] of parents) {
      if (found.has(parent) && !found.has(pid)) { found.add(pid); grew = true; }
    }
  }
  found.delete(process.pid);
  return [...found];
}

// The browser's memory in MB: the proportional set sizes of its processes.
function browserMegabytes() {
  let kilobytes = 0;
  for (const pid of descendants()) {
    try {
      const line = readFileSync(`/proc/${pid}/smaps_rollup`, 'utf8').split('\n').find((l) => l.startsWith('Pss:'));
      kilobytes += Number(line?.split(/\s+/)[1] ?? 0);
    } catch { /* gone */ }
  }
  return kilobytes / 1024;
}

async function measure(site, record) {
  const server = await serve(site);
  const browser = await chromium.launch({ executablePath: chromiumPath, args: ['--no-sandbox'] });
  const context = await browser.newContext({ serviceWorkers: 'block' });
  const page = await context.newPage();
  await page.addInitScript(() => {
    window.longTasks = [];
    new PerformanceObserver((list) => { for (const e of list.getEntries()) window.longTasks.push(e.duration); })
      .observe({ type: 'longtask', buffered: true });
  });
  await page.goto(`http://127.0.0.1:${server.address().port}/?shuffles=20`);
  await page.waitForSelector('#Backtest[aria-busy="false"]');
  await page.waitForTimeout(1500);
  const before = browserMegabytes();
  await page.evaluate(() => { window.longTasks = []; });
  let peak = before;
  const sampler = setInterval(() => { peak = Math.max(peak, browserMegabytes()); }, 100);
  const started = Date.now();
  await page.setInputFiles('#BacktestFile', record);
  await page.waitForSelector('#BacktestProgressText:not(:empty)');
  await page.waitForFunction(() => /[1-9]/.test(document.querySelector('#BacktestProgressText')?.textContent ?? ''),
    null, { timeout: 600_000 });
  const readTasks = await page.evaluate(() => window.longTasks.slice());
  await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 600_000 });
  const took = (Date.now() - started) / 1000;
  await page.waitForTimeout(3000);
  clearInterval(sampler);
  const after = browserMegabytes();
  await browser.close();
  server.close();
  return { peak: peak - before, after: after - before, longest: Math.max(0, ...readTasks), took };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const record = writeRecord(draws);
const results = new Map(sites.map((site) => [site, []]));
for (let run = 0; run < runs; ++run) {
  for (const site of sites) results.get(site).push(await measure(site, record));
}
console.log(`${draws} draws (${(readFileSync(record).length / 1048576).toFixed(1)} MB), 20 shuffles, medians of ${runs} interleaved runs:`);
for (const [site, list] of results) {
  const m = (key) => median(list.map((r) => r[key]));
  console.log(`${site}\n  memory above the idle page: peak ${m('peak').toFixed(0)} MB, ` +
    `after the verdict ${m('after').toFixed(0)} MB; longest task while reading ${m('longest').toFixed(0)} ms; ` +
    `verdict in ${m('took').toFixed(1)} s`);
}
