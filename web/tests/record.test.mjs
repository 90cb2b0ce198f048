// The record kept on the device: draws pasted in a copied form join it, the grid takes the newest
// three, the recent rows score them against the native forecast, a reload keeps them, a
// disagreeing paste changes nothing, the typed draw after the draw shift becomes the next period,
// the export is the whole record, forgetting restores the shipped one; and storage that is full,
// refused or damaged loses nothing silently.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync, writeFileSync, mkdtempSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { devices } from 'playwright-core';
import { nativeAnswer, openBrowser, openPage, typeGrid } from './browser.mjs';

const SHIPPED = readFileSync(process.env.QUORVEL_RECORD, 'utf8');
const PHONE = devices['Pixel 7'];

let session;
before(async () => { session = await openBrowser(); });
after(async () => { await session.close(); });

// The record section of a new page, open and ready.
async function openRecord(options = {}, init = null) {
  const context = await session.browser.newContext({ locale: 'zh-CN', serviceWorkers: 'block', acceptDownloads: true, ...options });
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${session.origin}/`);
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  await showRecord(page);
  return { context, page, errors };
}

async function showRecord(page) {
  if (!(await page.getAttribute('#Record', 'open') !== null)) await page.click('#Record > summary');
  await page.waitForSelector('#RecordBody[aria-busy="false"]');
}

// A new page of `context`, its form ready and its record shown.
async function openRecordPage(context) {
  const page = await context.newPage();
  await page.goto(`${session.origin}/`);
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  await showRecord(page);
  return page;
}

// The whole record as the page's export downloads it.
async function exportedFrom(page) {
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#RecordExport')]);
  return readFileSync(await download.path(), 'utf8');
}

async function paste(page, text) {
  await page.fill('#RecordPaste', text);
  await page.click('#RecordAdd');
}

// The record's status once it says what `pattern` matches, or as it stands after a while: a
// change that must be kept somewhere (a full storage, another page) may take a moment to say so.
async function statusOnceItMatches(page, pattern) {
  await page.waitForFunction((source) => new RegExp(source).test(document.getElementById('RecordStatus').textContent),
    pattern.source, { timeout: 10000 }).catch(() => {});
  return page.textContent('#RecordStatus');
}

// The shipped record's draws, oldest first, as { period, digits }.
const shippedDraws = SHIPPED.trim().split('\n').slice(1).map((line) => {
  const [period, a, b, c] = line.split(',');
  return { period, digits: [a, b, c] };
});
const sumOf = (digits) => String(digits.reduce((s, d) => s + Number(d), 0));
// The grid a player types from three draws, the latest on top.
const gridOf = (latest, previous, oldest) => [latest, previous, oldest].flatMap(({ digits }) => [...digits, sumOf(digits)]);

// Three new draws copied from a web page: tabs, dates with weekdays, digits spaced, newest first.
const COPIED = '期号\t开奖日期\t开奖号码\n2026176\t2026-07-05(日)\t1 2 3\n2026175\t2026-07-04(六)\t0 3 5\n2026174\t2026-07-03(五)\t9 9 8\n';
const NEW = [{ period: '2026174', digits: ['9', '9', '8'] }, { period: '2026175', digits: ['0', '3', '5'] },
             { period: '2026176', digits: ['1', '2', '3'] }];

test('on a phone, pasted draws join the record, the grid and the recent rows, and a reload keeps them', async () => {
  const { context, page, errors } = await openRecord(PHONE);
  assert.match(await page.textContent('#RecordStatus'), /记录共 7680 期，最后一期是第 2026173 期/);
  await paste(page, COPIED);
  assert.match(await page.textContent('#RecordStatus'), /加入了 3 期.*记录共 7683 期，最后一期是第 2026176 期/s);
  const all = [...shippedDraws, ...NEW];
  const n = all.length;
  assert.deepEqual(await page.$$eval('[data-cell]', (cells) => cells.map((c) => c.value)), gridOf(all[n - 1], all[n - 2], all[n - 3]));
  // Each new row holds the native forecast from the three draws before it, and whether it hit.
  for (let t = n - 3; t < n; ++t) {
    const row = page.locator(`#Recent tr[data-period="${all[t].period}"]`);
    const native = nativeAnswer(gridOf(all[t - 1], all[t - 2], all[t - 3]));
    const keyRange = row.locator('[data-output="key range"]');
    assert.equal((await keyRange.textContent()).trim(), native.outputs[1].trim());
    const hit = native.outputs[1].trim().split(' ').includes(sumOf(all[t].digits));
    assert.equal(await keyRange.getAttribute('data-hit'), hit ? '1' : '0', all[t].period);
  }
  assert.equal(await page.locator('#Recent tbody tr').count(), 30);
  const first = await page.locator('#Recent tbody tr').first().getAttribute('data-period');
  assert.equal(first, '2026176');
  // Earlier draws follow on, one period after another, with nothing left out between.
  await page.click('#RecentMore');
  const periods = await page.$$eval('#Recent tbody tr', (rows) => rows.map((r) => Number(r.getAttribute('data-period'))));
  assert.equal(periods.length, 60);
  assert.deepEqual(periods, all.slice(n - 60).map((d) => Number(d.period)).reverse());
  // Readable on the phone: the table scrolls inside its region, not the page.
  assert.ok(await page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth + 1));
  await page.reload();
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  await showRecord(page);
  assert.match(await page.textContent('#RecordStatus'), /最后一期是第 2026176 期/);
  assert.equal(await page.locator('#Recent tr[data-period="2026176"]').count(), 1);
  assert.deepEqual(errors, []);
  await context.close();
});

test('a paste that disagrees changes nothing until the player chooses, and is named', async () => {
  const { context, page } = await openRecord();
  await paste(page, COPIED);
  await paste(page, '2026175,0,3,6\n2026177,1,1,1\n');
  const status = await page.textContent('#RecordStatus');
  assert.match(status, /第 2026175 期记录里是 0 3 5，新给的是 0 3 6。什么都没有改：哪个对？/);
  assert.match(status, /记录共 7683 期/);
  assert.equal(await page.isVisible('#RecordUseGiven'), true);
  await page.click('#RecordUseGiven');
  assert.match(await page.textContent('#RecordStatus'), /加入了 1 期.*已按新给的号码改了 1 期。记录共 7684 期，最后一期是第 2026177 期/s);
  assert.equal((await page.locator('#Recent tr[data-period="2026175"] td').first().textContent()), '0 3 6');
  await context.close();
});

test('keeping the original decides only the disagreeing period: the new draws of the paste join', async () => {
  const { context, page } = await openRecord();
  await paste(page, COPIED);
  await paste(page, '2026175,0,3,6\n2026177,1,1,1\n2026178,2,2,2\n');
  assert.equal(await page.isVisible('#RecordKeepKept'), true);
  await page.click('#RecordKeepKept');
  assert.match(await page.textContent('#RecordStatus'), /加入了 2 期.*不一样的 1 期保留了原来的号码。记录共 7685 期，最后一期是第 2026178 期/s);
  assert.equal((await page.locator('#Recent tr[data-period="2026175"] td').first().textContent()), '0 3 5');
  assert.equal(await page.isVisible('#RecordKeepKept'), false);
  await context.close();
});

test('another game\'s draws, the same draws numbered otherwise, or a record named for the other game are refused whole', async () => {
  const { context, page } = await openRecord();
  const exported = () => exportedFrom(page);
  const before = await exported();
  assert.equal(before, SHIPPED);
  // A full history from a collection that numbers late 2004 on from January: other draws as
  // 2004001-2004284, then the shipped record's first draws as 2004285 on.
  const early = Array.from({ length: 284 }, (_, i) => `${2004001 + i},${i % 10},${(i * 3) % 10},${(i * 7) % 10}`);
  const renumbered = shippedDraws.map(({ period, digits }, i) =>
    `${i < 75 ? 2004285 + i : period},${digits.join(',')}`);
  const statusSays = (pattern) => page.waitForFunction(
    (source) => new RegExp(source).test(document.getElementById('RecordStatus').textContent), pattern.source);
  const choose = (name, lines) => page.setInputFiles('#RecordFile',
    { name, mimeType: 'text/csv', buffer: Buffer.from(`${lines.join('\n')}\n`) });
  await choose('history.csv', [...early, ...renumbered]);
  await statusSays(/只是期号编法不同（这里的第 2004285 期就是记录里的第 2004001 期），一期也没有加进去/);
  // Another game's draws on the same periods.
  const other = shippedDraws.slice(0, 400).map(({ period }, i) => `${period},${(i * 7) % 10},${(i * 3 + 1) % 10},${i % 10}`);
  await choose('other.csv', other);
  await statusSays(/像是另一种彩票的记录，一期也没有加进去/);
  // A record whose header names the other game.
  await paste(page, '期号,排列三开奖号码\n2026174,618\n');
  assert.match(await page.textContent('#RecordStatus'), /写明是排列三的，是另一种彩票/);
  // Draws without periods cannot be placed.
  await paste(page, '618\n009\n');
  assert.match(await page.textContent('#RecordStatus'), /没有期号，不能并入本机保存的记录/);
  assert.equal(await page.isVisible('#RecordUseGiven'), false);
  assert.equal(await exported(), before);
  await context.close();
});

// Two pages of one browser keep one record: whatever either does, in whatever order, both end
// showing the same record and nothing either added is lost; a different draw typed for a period
// the other page recorded is put to the player.
test('two pages under a full storage: each keeps its draws in memory and says so, neither undoes the other', async () => {
  const full = () => {
    const set = Storage.prototype.setItem;
    Storage.prototype.setItem = function (key, value) {
      if (String(key).startsWith('quorvel.record')) throw new DOMException('full', 'QuotaExceededError');
      return set.call(this, key, value);
    };
  };
  const context = await session.browser.newContext({ locale: 'zh-CN', serviceWorkers: 'block', acceptDownloads: true });
  await context.addInitScript(full);
  const open = () => openRecordPage(context);
  const [a, b] = [await open(), await open()];
  await paste(a, '2026174,1,2,3\n');
  assert.match(await statusOnceItMatches(a, /这台设备不让保存/), /这台设备不让保存/);
  await paste(b, '2026174,4,5,6\n2026175,0,0,1\n');
  assert.match(await statusOnceItMatches(b, /这台设备不让保存/), /这台设备不让保存/);
  // Nothing was stored, so neither page's draws are taken for the other's, and none is lost here.
  assert.match(await exportedFrom(a), /2026174,1,2,3,6\n$/);
  assert.match(await exportedFrom(b), /2026174,4,5,6,15\n2026175,0,0,1,1\n$/);
  await context.close();
});

test('two pages keep one record: no change made in one is undone by the other', async () => {
  const context = await session.browser.newContext({ locale: 'zh-CN', serviceWorkers: 'block', acceptDownloads: true });
  const open = () => openRecordPage(context);
  const [a, b] = [await open(), await open()];
  const exported = exportedFrom;
  const lastPeriod = (page) => page.evaluate(() => /最后一期是第 (\d+) 期/.exec(document.getElementById('RecordStatus').textContent)?.[1]);
  // Both type a grid over the record's last two draws; A Predicts first, then B, with another
  // draw for the same period: B is asked, and A's draw stands until B chooses.
  const rowOf = ({ digits }) => [...digits, sumOf(digits)];
  const below = [...rowOf(shippedDraws.at(-1)), ...rowOf(shippedDraws.at(-2))];
  await typeGrid(a, ['7', '7', '7', '21', ...below]);
  await typeGrid(b, ['9', '9', '8', '26', ...below]);
  await a.click('[data-action="predict"]');
  await a.waitForFunction(() => /第 2026174 期 7 7 7 已记入记录/.test(document.getElementById('TypedNote').textContent));
  await b.click('[data-action="predict"]');
  await b.waitForFunction(() => /第 2026174 期记录里是 7 7 7，新给的是 9 9 8。/.test(document.getElementById('RecordStatus').textContent));
  assert.equal(await b.isVisible('#RecordUseGiven'), true);
  assert.match(await exported(b), /2026174,7,7,7,21\n$/);
  await b.click('#RecordKeepKept');
  // A corrects its own typed draw; B follows the correction.
  await a.fill('#Text1_2', '8');
  await a.fill('#Text1_3', '22');
  await a.click('[data-action="predict"]');
  await a.waitForFunction(() => /已更正为 7 7 8/.test(document.getElementById('TypedNote').textContent));
  await b.waitForFunction(() => /另一个打开的页面里改过/.test(document.getElementById('RecordStatus').textContent));
  assert.match(await exportedFrom(b), /2026174,7,7,8,22\n$/);
  // A pastes 2026175, then B, which has not read the record since, pastes 2026176: both stay.
  await paste(a, '2026175,1,2,3\n');
  await paste(b, '2026176,4,5,6\n');
  assert.equal(await exported(a), `${SHIPPED}2026174,7,7,8,22\n2026175,1,2,3,6\n2026176,4,5,6,15\n`);
  await a.waitForFunction(() => /2026176/.test(document.getElementById('RecordStatus').textContent));
  assert.match(await a.textContent('#RecordStatus'), /另一个打开的页面里改过/);
  // A forgets; B then adds a draw: the forgetting stands, B's draw joins the shipped record.
  await a.click('#RecordForget');
  await a.click('#ForgetYes');
  await a.waitForFunction(() => /已改回自带的记录/.test(document.getElementById('RecordStatus').textContent));
  await paste(b, '2026174,0,0,1\n');
  assert.equal(await exported(b), `${SHIPPED}2026174,0,0,1,1\n`);
  await a.waitForFunction(() => /2026174/.test(document.getElementById('RecordStatus').textContent));
  assert.equal(await exported(a), await exported(b));
  // The record forgotten is offered back.
  assert.ok(await a.locator('[data-set-aside]').count() >= 1);

  // Random interleavings of pastes and forgets in the two pages, against a model of the record.
  let seed = 7;
  const next = () => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed; };
  let model = ['2026174,0,0,1,1'];
  let period = 2026175;
  for (let step = 0; step < 12; ++step) {
    const page = next() % 2 ? a : b;
    if (next() % 5 === 0) {
      await page.click('#RecordForget');
      await page.click('#ForgetYes');
      await page.waitForFunction(() => /已改回自带的记录/.test(document.getElementById('RecordStatus').textContent));
      model = [];
      period = 2026174;
    } else {
      const d = [next() % 10, next() % 10, next() % 10];
      await paste(page, `${period},${d.join(',')}\n`);
      model.push(`${period},${d.join(',')},${d[0] + d[1] + d[2]}`);
      ++period;
    }
    // What is stored is the model (nothing stored after a forget), and the other page follows.
    const stored = await page.evaluate(() => localStorage.getItem('quorvel.record'));
    assert.equal(stored ?? SHIPPED, `${SHIPPED}${model.map((line) => `${line}\n`).join('')}`, `step ${step}`);
    const other = page === a ? b : a;
    await other.waitForFunction((p) => new RegExp(`最后一期是第 ${p} 期`).test(document.getElementById('RecordStatus').textContent),
      String(period - 1));
  }
  assert.equal(await lastPeriod(a), await lastPeriod(b));
  assert.equal(await exported(a), `${SHIPPED}${model.map((line) => `${line}\n`).join('')}`);
  assert.equal(await exported(a), await exported(b));
  await context.close();
});

test('the draw typed after the draw shift becomes the next period, and may be corrected', async () => {
  const { context, page } = await openRecord();
  await paste(page, COPIED);
  await page.click('[data-action="shift"]');
  await typeGrid(page, ['4', '4', '4', '12']);
  await page.click('[data-action="predict"]');
  await page.waitForSelector('#TypedNote:not([hidden])');
  assert.match(await page.textContent('#TypedNote'), /第 2026177 期 4 4 4 已记入记录/);
  // A wrong digit typed over and Predict again: the same period, corrected.
  await page.fill('#Text1_2', '5');
  await page.fill('#Text1_3', '13');
  await page.click('[data-action="predict"]');
  await page.waitForFunction(() => /已更正为 4 4 5/.test(document.getElementById('TypedNote').textContent));
  assert.match(await page.textContent('#RecordStatus'), /记录共 7684 期，最后一期是第 2026177 期/);
  await context.close();
});

test('a typed draw\'s period is the game\'s, by Beijing\'s clock and the draw\'s hour, in any time zone', async () => {
  // Milliseconds of a Beijing wall-clock time.
  const beijing = (y, mo, d, h, mi) => Date.UTC(y, mo - 1, d, h - 8, mi);
  const turns = [
    [beijing(2026, 12, 31, 12, 0), '2026177'],   // midday of 31 December
    [beijing(2026, 12, 31, 21, 30), '2026178'],  // after its draw
    [beijing(2027, 1, 1, 0, 30), '2026179'],     // half past midnight: still the old year's draw
    [beijing(2027, 1, 1, 21, 30), '2027001'],    // after the new year's first draw
  ];
  for (const timezoneId of ['Pacific/Auckland', 'Asia/Shanghai', 'UTC', 'America/Los_Angeles']) {
    const { context, page } = await openRecord({ timezoneId });
    await paste(page, COPIED);
    for (const [at, period] of turns) {
      await page.clock.setFixedTime(at);
      await page.click('[data-action="shift"]');
      await typeGrid(page, ['4', '4', '4', '12']);
      await page.click('[data-action="predict"]');
      await page.waitForFunction((p) => new RegExp(`第 ${p} 期 4 4 4 已记入记录`).test(document.getElementById('TypedNote').textContent),
        period, { timeout: 10000 }).catch(async () => {
        assert.fail(`${timezoneId} at ${new Date(at).toISOString()}: ${await page.textContent('#TypedNote')}`);
      });
    }
    await context.close();
  }
});

test('undo restores the record byte for byte after a paste, a file, a typed draw, a correction and a forgetting', async () => {
  const { context, page } = await openRecord();
  const exported = () => exportedFrom(page);
  const undone = async (before, what) => {
    assert.equal(await page.isVisible('#RecordUndo'), true, what);
    await page.click('#RecordUndo');
    await page.waitForFunction(() => /已撤销上一步/.test(document.getElementById('RecordStatus').textContent));
    assert.equal(await exported(), before, what);
    assert.equal(await page.isVisible('#RecordUndo'), false, `${what}: once`);
  };
  const shipped = await exported();
  await paste(page, COPIED);
  await undone(shipped, 'a paste');
  await paste(page, COPIED);
  const three = await exported();
  await page.setInputFiles('#RecordFile', { name: 'more.csv', mimeType: 'text/csv', buffer: Buffer.from('2026177,1,1,1\n') });
  await page.waitForFunction(() => /2026177/.test(document.getElementById('RecordStatus').textContent));
  await undone(three, 'a file');
  await page.click('[data-action="shift"]');
  await typeGrid(page, ['4', '4', '4', '12']);
  await page.click('[data-action="predict"]');
  await page.waitForFunction(() => /第 2026177 期 4 4 4 已记入记录/.test(document.getElementById('TypedNote').textContent));
  const typed = await exported();
  await page.fill('#Text1_2', '5');
  await page.fill('#Text1_3', '13');
  await page.click('[data-action="predict"]');
  await page.waitForFunction(() => /已更正为 4 4 5/.test(document.getElementById('TypedNote').textContent));
  await undone(typed, 'a correction');
  // A typed draw taken back by emptying its row and Predicting again.
  for (const cell of ['#Text1_0', '#Text1_1', '#Text1_2', '#Text1_3']) await page.fill(cell, '');
  await page.click('[data-action="predict"]');
  await page.waitForFunction(() => /第 2026177 期 4 4 4 已从记录里拿掉/.test(document.getElementById('RecordStatus').textContent));
  assert.equal(await exported(), three);
  await page.click('#RecordForget');
  await page.click('#ForgetYes');
  await page.waitForFunction(() => /已改回自带的记录/.test(document.getElementById('RecordStatus').textContent));
  await undone(three, 'a forgetting');
  await context.close();
});

test('the export is the whole record, and forgetting restores the shipped one after a question', async () => {
  const { context, page } = await openRecord();
  await paste(page, COPIED);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#RecordExport')]);
  const exported = readFileSync(await download.path(), 'utf8');
  assert.equal(exported, `${SHIPPED}2026174,9,9,8,26\n2026175,0,3,5,8\n2026176,1,2,3,6\n`);
  assert.equal(download.suggestedFilename(), 'quorvel-record-2026176.csv');
  // The exported file is one the command line reads to the same record.
  const dir = mkdtempSync(join(tmpdir(), 'quorvel-record-'));
  writeFileSync(join(dir, 'r.csv'), exported);
  assert.match(execFileSync(process.env.QUORVEL_BACKTEST, [join(dir, 'r.csv'), '--shuffles', '0', '--json']).toString(),
    /"prospective":\{"since":2026173,"draws":3,/);

  await page.click('#RecordForget');
  await page.click('#ForgetNo');
  assert.match(await page.textContent('#RecordStatus'), /2026176/);
  await page.click('#RecordForget');
  await page.click('#ForgetYes');
  await page.waitForFunction(() => /已改回自带的记录/.test(document.getElementById('RecordStatus').textContent));
  assert.match(await page.textContent('#RecordStatus'), /记录共 7680 期/);
  assert.equal(await page.evaluate(() => localStorage.getItem('quorvel.record')), null);
  await context.close();
});

test('the block of the later draws equals the native program\'s e-values for the same record', async () => {
  const { context, page } = await openRecord();
  assert.equal(await page.isVisible('#Prospective'), false);
  await paste(page, COPIED);
  await page.waitForSelector('#Prospective:not([hidden])');
  const shown = await page.$$eval('#ProspectiveTable tbody tr', (rows) => rows.map((r) => r.lastElementChild.textContent));
  const dir = mkdtempSync(join(tmpdir(), 'quorvel-record-'));
  writeFileSync(join(dir, 'r.csv'), `${SHIPPED}2026174,9,9,8,26\n2026175,0,3,5,8\n2026176,1,2,3,6\n`);
  const json = JSON.parse(execFileSync(process.env.QUORVEL_BACKTEST, [join(dir, 'r.csv'), '--shuffles', '0', '--json']));
  assert.deepEqual(shown, json.prospective.outputs.map((o) => o.eValue.toFixed(2)));
  assert.match(await page.textContent('#ProspectiveSentence'), /目前没有证据表明这个预测比运气更准/);
  await context.close();
});

test('storage that refuses loses nothing silently: the page says so and works from memory', async () => {
  const refuse = () => {
    Storage.prototype.setItem = () => { throw new DOMException('full', 'QuotaExceededError'); };
  };
  const { context, page, errors } = await openRecord({}, refuse);
  await typeGrid(page, ['3']);
  assert.equal(await page.isVisible('#NotKeptNote'), true);
  assert.equal(await page.isVisible('#KeptNote'), false);
  await paste(page, COPIED);
  assert.match(await page.textContent('#RecordStatus'), /这台设备不让保存/);
  assert.match(await page.textContent('#RecordStatus'), /最后一期是第 2026176 期/);
  assert.equal(await page.locator('#Recent tr[data-period="2026176"]').count(), 1);
  assert.deepEqual(errors, []);
  await context.close();
});

test('a typed period edited by hand in storage is no period: the next draw typed still joins', async () => {
  const { context, page, errors } = await openRecord();
  await paste(page, COPIED);
  await page.evaluate(() => sessionStorage.setItem('quorvel.record.typed', 'x'));
  await page.reload();
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  await page.click('[data-action="shift"]');
  await typeGrid(page, ['4', '4', '4', '12']);
  await page.click('[data-action="predict"]');
  await page.waitForSelector('#TypedNote:not([hidden])');
  assert.match(await page.textContent('#TypedNote'), /第 2026177 期 4 4 4 已记入记录/);
  assert.deepEqual(errors, []);
  await context.close();
});

test('a damaged stored record is set aside with a message, and the shipped one is used', async () => {
  const damage = () => {
    if (!sessionStorage.getItem('damaged')) {
      localStorage.setItem('quorvel.record', 'period,d1,d2,d3\n2026001,1,x,3\n');
      sessionStorage.setItem('damaged', '1');
    }
  };
  const { context, page } = await openRecord({}, damage);
  const status = await page.textContent('#RecordStatus');
  assert.match(status, /这台设备上保存的记录读不出（.*第2行第11列：d2 不是 0 到 9 的数字），已另放一边不再使用/);
  assert.match(await page.textContent('#Recent tbody tr:first-child th'), /2026173/);
  assert.deepEqual(await page.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('quorvel.record.setAside.'))
    .map((k) => localStorage.getItem(k))), ['period,d1,d2,d3\n2026001,1,x,3\n']);
  // Offered back, to download or to use.
  assert.equal(await page.locator('[data-set-aside] [data-action="download"]').count(), 1);
  assert.equal(await page.evaluate(() => localStorage.getItem('quorvel.record')), null);
  await context.close();
});

test('three damaged records are each set aside and offered back; a full storage keeps the damaged one in place', async () => {
  const damage = () => {
    const n = Number(sessionStorage.getItem('damaged') ?? '0');
    if (n < 3 && !sessionStorage.getItem(`done${n}`)) {
      localStorage.setItem('quorvel.record', `period,d1,d2,d3\n2026001,1,x,${n}\n`);
      sessionStorage.setItem(`done${n}`, '1');
      sessionStorage.setItem('damaged', String(n + 1));
    }
  };
  const { context, page } = await openRecord({}, damage);
  for (let n = 1; n < 3; ++n) {
    await page.reload();
    await page.waitForSelector('#MainForm[aria-busy="false"]');
    await showRecord(page);
  }
  assert.equal(await page.locator('[data-set-aside]').count(), 3);
  const copies = await page.evaluate(() => Object.keys(localStorage).filter((k) => k.startsWith('quorvel.record.setAside.'))
    .map((k) => localStorage.getItem(k)).sort());
  assert.deepEqual(copies, [0, 1, 2].map((n) => `period,d1,d2,d3\n2026001,1,x,${n}\n`));
  const [download] = await Promise.all([page.waitForEvent('download'),
    page.locator('[data-set-aside] [data-action="download"]').first().click()]);
  assert.match(readFileSync(await download.path(), 'utf8'), /2026001,1,x,2/);
  await context.close();

  // Storage full for the copy: the damaged record is not removed, and the page says why.
  const full = () => {
    localStorage.setItem('quorvel.record', 'period,d1,d2,d3\n2026001,1,x,3\n');
    const set = Storage.prototype.setItem;
    Storage.prototype.setItem = function (key, value) {
      if (String(key).startsWith('quorvel.record.setAside.')) throw new DOMException('full', 'QuotaExceededError');
      return set.call(this, key, value);
    };
  };
  const second = await openRecord({}, full);
  assert.match(await second.page.textContent('#RecordStatus'), /没能另放一边：它留在原处，没有删掉/);
  assert.equal(await second.page.evaluate(() => localStorage.getItem('quorvel.record')), 'period,d1,d2,d3\n2026001,1,x,3\n');
  await second.context.close();
});

test('a forgotten record is set aside and can be used again', async () => {
  const { context, page } = await openRecord();
  await paste(page, COPIED);
  const kept = await exportedFrom(page);
  await page.click('#RecordForget');
  await page.click('#ForgetYes');
  await page.waitForFunction(() => /已改回自带的记录/.test(document.getElementById('RecordStatus').textContent));
  await page.locator('[data-set-aside] [data-action="use"]').first().click();
  await page.waitForFunction(() => /最后一期是第 2026176 期/.test(document.getElementById('RecordStatus').textContent));
  assert.equal(await exportedFrom(page), kept);
  assert.equal(await page.locator('[data-set-aside]').count(), 1);  // the shipped record is not a copy
  await context.close();
});

test('a record cleared by the browser or an app is said so, with how to get it back', async () => {
  const { context, page } = await openRecord();
  await paste(page, COPIED);
  // The app clears the page's storage and its caches; the cookie witness stays.
  await page.evaluate(async () => {
    localStorage.clear();
    for (const key of await caches.keys()) await caches.delete(key);
  });
  await page.reload();
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  await showRecord(page);
  assert.match(await page.textContent('#RecordStatus'), /已被清除.*从文件加入就能找回/s);
  await context.close();
});

test('the first addition asks the browser to keep the site\'s storage, and says what it answered', async () => {
  const stub = () => {
    window.persistAsked = 0;
    Object.defineProperty(navigator, 'storage', { value: {
      persisted: async () => false,
      persist: async () => { window.persistAsked += 1; return false; },
      estimate: async () => ({ usage: 0, quota: 0 }),
    } });
  };
  const { context, page } = await openRecord({}, stub);
  await paste(page, COPIED);
  assert.match(await page.textContent('#RecordStatus'), /浏览器没有答应一直保留这份记录/);
  await paste(page, '2026177,1,1,1\n');
  assert.equal(await page.evaluate(() => window.persistAsked), 1);
  await context.close();
});

test('in WeChat\'s browser: a banner that stays dismissed, downloads as text to copy, any file', async () => {
  const wechat = { ...PHONE, userAgent: `${PHONE.userAgent} MicroMessenger/8.0.47` };
  const { context, page } = await openRecord(wechat);
  assert.equal(await page.isVisible('#OpenInBrowser'), true);
  assert.match(await page.textContent('#OpenInBrowser'), /在浏览器打开/);
  await page.click('#OpenInBrowserDismiss');
  await page.reload();
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  assert.equal(await page.isVisible('#OpenInBrowser'), false);
  await showRecord(page);
  let downloaded = false;
  page.on('download', () => { downloaded = true; });
  await page.click('#RecordExport');
  assert.equal(await page.isVisible('#RecordCopy'), true);
  assert.equal(await page.inputValue('#RecordCopyText'), SHIPPED);
  assert.equal(downloaded, false);
  assert.deepEqual(await page.$$eval('input[type="file"]', (inputs) => inputs.map((i) => i.hasAttribute('accept'))), [false, false]);
  await context.close();
});
