// The page's budgets on a phone's first visit, on Lighthouse's mobile profile (Slow 4G: 562.5 ms
// a request, 1.44 Mbit/s down, 0.675 up; the CPU 4 times slower; 412 x 823), the site served
// gzip-compressed: the time until the form answers Predict, the bytes transferred until then,
// the workers started before a tap, the longest main-thread task while the controls are used
// (the backtest's report included), and a repeat visit from the service worker. A program, not a
// timed test: medians of interleaved runs.
//   node web/bench/page_load.mjs SITE_DIR [SITE_DIR ...] [--runs 5]
// Each SITE_DIR is a built site (build-web/site, or an older build's to compare); its one-file
// edition (quorvel.html) is measured beside it.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { gzipSync } from 'node:zlib';
import { chromium } from 'playwright-core';

const args = process.argv.slice(2);
const at = args.indexOf('--runs');
const runs = at < 0 ? 5 : Number(args.splice(at, 2)[1]);
const sites = args;
const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
                '.wasm': 'application/wasm', '.svg': 'image/svg+xml', '.png': 'image/png',
                '.webmanifest': 'application/manifest+json', '.csv': 'text/csv' };

// Serves `folder` as a static host does: gzip for a browser that takes it.
function serveGzip(folder) {
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = normalize(join(folder, path.endsWith('/') ? `${path}index.html` : path));
    try {
      let body = await readFile(file);
      const headers = { 'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' };
      if (/gzip/.test(request.headers['accept-encoding'] ?? '')) {
        body = gzipSync(body, { level: 9 });
        headers['Content-Encoding'] = 'gzip';
      }
      response.writeHead(200, headers).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The moment the form answers, and every long task, as the page records them.
function recordTimes() {
  window.benchLongTasks = [];
  new PerformanceObserver((list) => { for (const e of list.getEntries()) window.benchLongTasks.push(e.duration); })
    .observe({ type: 'longtask', buffered: true });
  new MutationObserver((_, observer) => {
    const form = document.getElementById('MainForm');
    if (form?.getAttribute('aria-busy') === 'false') {
      window.benchReady = performance.now();
      observer.disconnect();
    }
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['aria-busy'], childList: true });
}

async function throttled(page) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', { offline: false, latency: 562.5,
    downloadThroughput: 1.44e6 / 8, uploadThroughput: 0.675e6 / 8 });
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  // What came over the network: a data: URL (the one-file edition's WebAssembly) is not counted.
  const fromData = new Set();
  cdp.on('Network.requestWillBeSent', (event) => { if (event.request.url.startsWith('data:')) fromData.add(event.requestId); });
  let bytes = 0;
  cdp.on('Network.loadingFinished', (event) => { if (!fromData.has(event.requestId)) bytes += event.encodedDataLength; });
  return { transferred: () => bytes };
}

// One first visit to `url`, then the controls used, then a repeat visit.
async function visit(browser, url, useControls) {
  const context = await browser.newContext({ viewport: { width: 412, height: 823 }, isMobile: true, hasTouch: true,
                                             deviceScaleFactor: 2.625, locale: 'zh-CN' });
  await context.addInitScript(recordTimes);
  const page = await context.newPage();
  const network = await throttled(page);
  await page.goto(url);
  await page.waitForFunction(() => window.benchReady !== undefined, null, { timeout: 60000 });
  const ready = await page.evaluate(() => window.benchReady);
  const transferred = network.transferred();
  await page.waitForTimeout(2000);
  const workers = page.workers().length;
  let longest = NaN;
  let repeat = NaN;
  if (useControls) {
    await page.evaluate(() => { window.benchLongTasks = []; });
    await page.tap('[data-action="predict"]');
    await page.tap('[data-action="shift"]');
    if (await page.$('#BacktestRun')) {
      await page.tap('#BacktestRun');
      await page.waitForSelector('#BacktestResult:not([hidden])', { timeout: 300000 });
    }
    longest = Math.max(0, ...await page.evaluate(() => window.benchLongTasks));
    if (await page.evaluate(() => 'serviceWorker' in navigator && navigator.serviceWorker.controller === null)) {
      await page.evaluate(() => navigator.serviceWorker.ready);
    }
    await page.waitForTimeout(3000);  // the rest of the site kept
    await page.goto(url);
    await page.waitForFunction(() => window.benchReady !== undefined, null, { timeout: 60000 });
    repeat = await page.evaluate(() => window.benchReady);
  }
  await context.close();
  return { ready, transferred, workers, longest, repeat };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const browser = await chromium.launch({ executablePath: process.env.QUORVEL_CHROMIUM ?? '/usr/bin/chromium',
                                        args: ['--no-sandbox'] });
const targets = [];
for (const site of sites) {
  const server = await serveGzip(site);
  const origin = `http://127.0.0.1:${server.address().port}`;
  targets.push({ name: `${site} /`, url: `${origin}/?shuffles=20`, controls: true, server },
               { name: `${site} quorvel.html`, url: `${origin}/quorvel.html`, controls: false, server });
}
const results = new Map(targets.map((t) => [t.name, []]));
for (let run = 0; run < runs; ++run) {
  for (const target of targets) results.get(target.name).push(await visit(browser, target.url, target.controls));
}
await browser.close();
for (const target of targets) target.server.close();
console.log(`Slow 4G, CPU 4x slower, 412 x 823; medians of ${runs} interleaved runs:`);
for (const [name, list] of results) {
  const m = (key) => median(list.map((r) => r[key]));
  const controls = Number.isNaN(m('longest')) ? '' :
    `; longest task using the controls ${m('longest').toFixed(0)} ms; repeat visit ready in ${(m('repeat') / 1000).toFixed(2)} s`;
  console.log(`${name}\n  ready to Predict ${(m('ready') / 1000).toFixed(2)} s, ${(m('transferred') / 1024).toFixed(0)} KB transferred, ` +
    `${m('workers')} workers before a tap${controls}`);
}
