// The site's entry: the engine (quorvel_engine.js, loaded before this module), the form, the
// backtest under it, and the service worker that keeps every file of the site for use offline.
import { start } from './window_form.js';
import { startBacktest } from './backtest_section.js';

// The browser's first language, which the engine reads to choose the words around the form.
const language = navigator.languages?.[0] ?? navigator.language ?? '';

globalThis.createQuorvel().then((engine) => {
  start(engine, language);
  startBacktest(engine, language);
});

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js');
}
