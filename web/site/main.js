// The site's entry. The forecast's engine and the form come first; the backtest's section follows
// and wakes its own engine and workers only when a player asks for a test. The service worker
// keeps the site for use offline.
import createForecast from './forecast.js';
import { pageLanguage, start } from './window_form.js';

const language = pageLanguage();

createForecast().then((engine) => {
  start(engine, language);
  import('./backtest_section.js').then(({ startBacktest }) => startBacktest(engine, language));
});

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js');
}
