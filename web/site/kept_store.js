// The record kept on this device: the canonical text the record's engine wrote, the name it is
// saved and tested under, and the period last typed into the grid (which the player may still
// correct). Storage may be refused, full or cleared by the app the page runs in; every call says
// whether it worked, and nothing is lost silently.
//
// The page may be open twice (the installed app and a tab, WeChat and the browser), and both keep
// the one record: every change to it raises its version, a tab re-reads the record whenever the
// version is not the one it last read or wrote, and a write that finds another version in storage
// is refused, so that no change made in one tab is undone by another.

import { gameKey } from './window_form.js';

// A game's keys: the record's text, name and version; the period this page typed last, which is
// its own (sessionStorage), since another page's typed draw is never this page's to correct;
// set-aside copies, each under its own time (…setAside.<milliseconds since 1970>); and a mark
// kept in two other stores (a cache and a cookie), so that a record wiped from the first is
// noticed even when one of them is wiped with it.
/** @param {import('./window_form.js').Game} game */
function keysOf(game) {
  const text = gameKey('record', game);
  return { text, name: `${text}.name`, typed: `${text}.typed`, version: `${text}.version`,
           aside: `${text}.setAside.`, mark: gameKey('record-mark', game).replace(/^quorvel\./, 'kept-'),
           cookie: gameKey('kept', game).replace(/\./g, '-') };
}
const MOST_ASIDE = 5;

/** @typedef {{ text: string, name: string, lastTyped: string }} Kept */
/** @typedef {{ time: number, text: string }} SetAside */

/** @param {() => void} action */
const tried = (action) => {
  try {
    action();
    return true;
  } catch {
    return false;
  }
};

/** @typedef {ReturnType<typeof keysOf>} Keys */

// The stored version, 0 for a device that never kept a record, -1 when storage is refused.
/** @param {Keys} keys */
function storedVersion(keys) {
  try {
    return Number(localStorage.getItem(keys.version) ?? '0') || 0;
  } catch {
    return -1;
  }
}

/** @param {Keys} keys @returns {number[]} the times of the set-aside copies, oldest first */
function asideTimes(keys) {
  try {
    const times = [];
    for (let i = 0; i < localStorage.length; ++i) {
      const key = localStorage.key(i) ?? '';
      if (key.startsWith(keys.aside)) times.push(Number(key.slice(keys.aside.length)));
    }
    return times.filter((t) => Number.isFinite(t)).sort((a, b) => a - b);
  } catch {
    return [];
  }
}

// The record kept for a game, each game's apart.
export class KeptStore {
  /** @param {import('./window_form.js').Game} game */
  constructor(game) {
    this.keys = keysOf(game);
  }

  version() { return storedVersion(this.keys); }

  /** @returns {Kept | null} the record kept, or null for none (or storage refused) */
  load() {
    try {
      const text = localStorage.getItem(this.keys.text);
      if (text === null) return null;
      let lastTyped = '';
      tried(() => { lastTyped = sessionStorage.getItem(this.keys.typed) ?? ''; });
      return { text, name: localStorage.getItem(this.keys.name) ?? '', lastTyped };
    } catch {
      return null;
    }
  }

  // Saves `kept` over the version `expected`, which the page last read or wrote: the new version,
  // 'stale' when another tab wrote in between (nothing is written then), or null when storage
  // refused it.
  /** @param {Kept} kept @param {number} expected @returns {number | 'stale' | null} */
  save({ text, name, lastTyped }, expected) {
    const current = storedVersion(this.keys);
    if (current !== expected && current !== -1) return 'stale';
    const next = current + 1;
    const saved = tried(() => {
      localStorage.setItem(this.keys.text, text);
      localStorage.setItem(this.keys.name, name);
      localStorage.setItem(this.keys.version, String(next));
    });
    tried(() => sessionStorage.setItem(this.keys.typed, lastTyped));
    if (saved) setMark(this.keys, true);
    return saved ? next : null;
  }

  /** @returns {boolean} whether the record is gone from storage */
  forget() {
    setMark(this.keys, false);
    return tried(() => {
      const next = storedVersion(this.keys) + 1;
      for (const key of [this.keys.text, this.keys.name]) localStorage.removeItem(key);
      localStorage.setItem(this.keys.version, String(next));
      sessionStorage.removeItem(this.keys.typed);
    });
  }

  // A record that is damaged, or about to be replaced, kept under its own time: never removed
  // before its copy is written, the oldest copies dropped only when storage needs the room (how
  // many were dropped is said). Whether the copy is kept.
  /** @param {string} text @returns {{ kept: boolean, dropped: number }} */
  setAside(text) {
    let dropped = 0;
    for (;;) {
      const times = asideTimes(this.keys);
      while (times.length >= MOST_ASIDE) {
        const oldest = times.shift();
        tried(() => localStorage.removeItem(this.keys.aside + oldest));
        ++dropped;
      }
      const time = Math.max(Date.now(), (times.at(-1) ?? 0) + 1);
      if (tried(() => localStorage.setItem(this.keys.aside + time, text))) return { kept: true, dropped };
      if (times.length === 0) return { kept: false, dropped };
      tried(() => localStorage.removeItem(this.keys.aside + times[0]));  // make room, then try again
      ++dropped;
    }
  }

  // Removes the damaged record from its place, once its copy is kept.
  removeDamaged() {
    return tried(() => {
      localStorage.removeItem(this.keys.text);
      localStorage.setItem(this.keys.version, String(storedVersion(this.keys) + 1));
    });
  }

  /** @returns {SetAside[]} every set-aside copy, newest first */
  setAsideCopies() {
    return asideTimes(this.keys).reverse().map((time) => {
      try {
        return { time, text: localStorage.getItem(this.keys.aside + time) ?? '' };
      } catch {
        return { time, text: '' };
      }
    });
  }

  // Calls `listener` when another tab changes the record.
  /** @param {() => void} listener */
  onChange(listener) {
    addEventListener('storage', (event) => {
      const { text, name, version, aside } = this.keys;
      if (event.key === null || [text, name, version].includes(event.key) || event.key.startsWith(aside)) listener();
    });
  }

  // Whether a record was kept here and has since been wiped by something other than the page.
  /** @returns {Promise<boolean>} */
  async wasCleared() {
    if (this.load() !== null) return false;
    if (document.cookie.split('; ').includes(`${this.keys.cookie}=1`)) return true;
    try {
      return 'caches' in self && await caches.has(this.keys.mark);
    } catch {
      return false;
    }
  }
}



/** @param {import('./window_form.js').Game} game */
export const keptStoreOf = (game) => new KeptStore(game);

/** @param {Keys} keys @param {boolean} kept */
function setMark(keys, kept) {
  const year = 365 * 24 * 3600;  // renewed at every change
  document.cookie = `${keys.cookie}=${kept ? '1' : ''}; path=/; max-age=${kept ? year : 0}; SameSite=Strict`;
  if (!('caches' in self)) return;
  (kept ? caches.open(keys.mark) : caches.delete(keys.mark)).catch(() => {});
}
