// What the page tests share: the built site served on 127.0.0.1, Debian's Chromium driven by
// Playwright, and the native quorvel-predict to hold the page's answers to.
import { execFileSync } from 'node:child_process';
import { chromium } from 'playwright-core';
import { serve } from '../serve.mjs';

export const SITE = process.env.QUORVEL_SITE;
const NATIVE = process.env.QUORVEL_PREDICT;

export async function openBrowser() {
  const server = await serve(SITE);
  const browser = await chromium.launch({
    executablePath: process.env.QUORVEL_CHROMIUM,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  const origin = `http://127.0.0.1:${server.address().port}`;
  return {
    browser, origin,
    async close() {
      await browser.close();
      server.close();
    },
  };
}

// A new page of the site (or of `url`), ready to Predict.
export async function openPage(browser, url, options = {}) {
  const context = await browser.newContext(options);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  await page.waitForSelector('#MainForm[aria-busy="false"]');
  return { context, page, errors };
}

// Types each cell's text key by key, as a person does, moving on with Tab.
export async function typeGrid(page, cells) {
  await page.click('#Text1_0');
  for (const text of cells) {
    await page.keyboard.type(text);
    await page.keyboard.press('Tab');
  }
}

export const OUTPUT_IDS = ['Text2', 'Text3', 'Text4', 'Text5_0', 'Text5_1', 'Text5_2', 'Text5_3',
                           'Text5_4'];

// The eight outputs the native program gives for `cells`, in box order, and its failure number.
export function nativeAnswer(cells) {
  const line = execFileSync(NATIVE, ['--tsv'], { input: `${cells.join('\t')}\n` }).toString();
  const fields = line.replace(/\n$/, '').split('\t');
  return { outputs: fields.slice(0, 8), failure: Number(fields[8]) };
}

// The odds lines the native program prints for `cells`, one under each output it wrote, priced at
// the bets of `game`.
export function nativeOdds(cells, game = '3d') {
  const lines = execFileSync(NATIVE, ['--game', game, '--', ...cells], { stdio: ['ignore', 'pipe', 'ignore'] }).toString();
  return lines.split('\n').filter((line) => line.startsWith('随机落入'));
}

// The odds the page shows, a line each, its parts joined as the native program joins them.
export const oddsOf = (page) => page.evaluate(() => [...document.querySelectorAll('#OddsList dd')]
  .map((line) => [...line.children].map((part) => part.textContent).join('\u3000')));

export const outputsOf = (page) => Promise.all(OUTPUT_IDS.map((id) => page.inputValue(`#${id}`)));
