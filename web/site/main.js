// The site's entry. The forecast's engine and the form come first; the backtest's section follows
// and wakes its own engine and workers only when a player asks for a test, and the record's only
// when the player opens it or Predicts. The service worker, registered once the form answers,
// keeps the site for use offline.
import { byId, GAME_CHANGED, pageLanguage, startWhenLoaded } from './window_form.js';

const language = pageLanguage();
/** @type {Record<string, string>} */
let words = {};

const recordSection = () => import('./record_section.js');

const engine = await startWhenLoaded(() => import('./forecast.js').then((module) => module.default()),
  language, { predicted: (cells, game) => { recordSection().then((record) => record.recordTyped(language, words, cells, game)); } });

if (engine) {
  words = engine.words(language).words;
  import('./backtest_section.js').then(({ startBacktest }) => startBacktest(engine, language));
  const record = byId('Record');
  record.addEventListener('toggle', () => {
    if (record.hasAttribute('open')) recordSection().then((section) => section.recordKeeper(language, words));
  });
  // The trend chart, inside the record's section, loads its code the first time it is opened.
  const trend = byId('Trend');
  trend.addEventListener('toggle', () => {
    if (trend.hasAttribute('open')) import('./trend_section.js').then(({ showTrend }) => showTrend());
  });
  // What was said of the typed draw was the other game's.
  document.addEventListener(GAME_CHANGED, () => { byId('TypedNote').hidden = true; });
  keepOffline();
  import('./downloads.js').then(({ inWeChat }) => { if (inWeChat()) inWeChatsBrowser(); });
}

// WeChat's browser: a banner that says how to open the page in the system's browser, until the
// player dismisses it; and no one-file download, which it would ignore.
function inWeChatsBrowser() {
  const banner = byId('OpenInBrowser');
  const dismissed = 'quorvel.openInBrowser.dismissed';
  try {
    banner.hidden = localStorage.getItem(dismissed) === '1';
  } catch {
    banner.hidden = false;
  }
  byId('OpenInBrowserDismiss').addEventListener('click', () => {
    banner.hidden = true;
    try {
      localStorage.setItem(dismissed, '1');
    } catch {
      // Not remembered; the banner comes back on the next visit.
    }
  });
  byId('Download').hidden = true;
}

// The service worker keeps the forecast's files at once and the rest of the site when the page is
// idle or the player first touches it.
function keepOffline() {
  if (!('serviceWorker' in navigator) || location.protocol === 'file:') return;
  navigator.serviceWorker.register('sw.js').catch(() => {});
  const keepRest = () => {
    navigator.serviceWorker.ready.then((registration) => registration.active?.postMessage({ type: 'keep-rest' }));
  };
  if ('requestIdleCallback' in window) requestIdleCallback(keepRest, { timeout: 10_000 });
  else setTimeout(keepRest, 5_000);
  addEventListener('pointerdown', keepRest, { once: true });
}
