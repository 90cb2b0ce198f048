// The site's entry: the engine (quorvel_engine.js, loaded before this module), the form, and the
// service worker that keeps every file of the site for use offline.
import { start } from './window_form.js';

globalThis.createQuorvel().then(start);

if ('serviceWorker' in navigator && location.protocol !== 'file:') {
  navigator.serviceWorker.register('sw.js');
}
