// The record kept on this device: the canonical text the record's engine wrote, the name it is
// saved and tested under, and the period last typed into the grid (which the player may still
// correct). Storage may be refused, full or cleared by the app the page runs in; every call says
// whether it worked, and nothing is lost silently.
//
// The page may be open twice (the installed app and a tab, WeChat and the browser), and both keep
// the one record: every change to it raises its version, a tab re-reads the record whenever the
// version is not the one it last read or wrote, and a write that finds another version in storage
// is refused, so that no change made in one tab is undone by another.

const TEXT = 'quorvel.record';
const NAME = 'quorvel.record.name';
// The period this page typed last is its own (sessionStorage): another page's typed draw is never
// this page's to correct.
const TYPED = 'quorvel.record.typed';
const VERSION = 'quorvel.record.version';
const KEYS = [TEXT, NAME, VERSION];
// Set-aside copies, each under its own time: quorvel.record.setAside.<milliseconds since 1970>.
const ASIDE = 'quorvel.record.setAside.';
const MOST_ASIDE = 5;
// A mark kept in two other stores (a cache and a cookie), so that a record wiped from the first
// is noticed even when one of them is wiped with it.
const MARK = 'kept-record-mark';
const COOKIE = 'quorvel-kept';

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

// The stored version, 0 for a device that never kept a record, -1 when storage is refused.
function storedVersion() {
  try {
    return Number(localStorage.getItem(VERSION) ?? '0') || 0;
  } catch {
    return -1;
  }
}

/** @returns {number[]} the times of the set-aside copies, oldest first */
function asideTimes() {
  try {
    const times = [];
    for (let i = 0; i < localStorage.length; ++i) {
      const key = localStorage.key(i) ?? '';
      if (key.startsWith(ASIDE)) times.push(Number(key.slice(ASIDE.length)));
    }
    return times.filter((t) => Number.isFinite(t)).sort((a, b) => a - b);
  } catch {
    return [];
  }
}

export const keptStore = {
  version: storedVersion,

  /** @returns {Kept | null} the record kept, or null for none (or storage refused) */
  load() {
    try {
      const text = localStorage.getItem(TEXT);
      if (text === null) return null;
      let lastTyped = '';
      tried(() => { lastTyped = sessionStorage.getItem(TYPED) ?? ''; });
      return { text, name: localStorage.getItem(NAME) ?? '', lastTyped };
    } catch {
      return null;
    }
  },

  // Saves `kept` over the version `expected`, which the page last read or wrote: the new version,
  // 'stale' when another tab wrote in between (nothing is written then), or null when storage
  // refused it.
  /** @param {Kept} kept @param {number} expected @returns {number | 'stale' | null} */
  save({ text, name, lastTyped }, expected) {
    const current = storedVersion();
    if (current !== expected && current !== -1) return 'stale';
    const next = current + 1;
    const saved = tried(() => {
      localStorage.setItem(TEXT, text);
      localStorage.setItem(NAME, name);
      localStorage.setItem(VERSION, String(next));
    });
    tried(() => sessionStorage.setItem(TYPED, lastTyped));
    if (saved) setMark(true);
    return saved ? next : null;
  },

  /** @returns {boolean} whether the record is gone from storage */
  forget() {
    setMark(false);
    return tried(() => {
      const next = storedVersion() + 1;
      for (const key of [TEXT, NAME]) localStorage.removeItem(key);
      localStorage.setItem(VERSION, String(next));
      sessionStorage.removeItem(TYPED);
    });
  },

  // A record that is damaged, or about to be replaced, kept under its own time: never removed
  // before its copy is written, the oldest copies dropped only when storage needs the room (how
  // many were dropped is said). Whether the copy is kept.
  /** @param {string} text @returns {{ kept: boolean, dropped: number }} */
  setAside(text) {
    let dropped = 0;
    for (;;) {
      const times = asideTimes();
      while (times.length >= MOST_ASIDE) {
        const oldest = times.shift();
        tried(() => localStorage.removeItem(ASIDE + oldest));
        ++dropped;
      }
      const time = Math.max(Date.now(), (times.at(-1) ?? 0) + 1);
      if (tried(() => localStorage.setItem(ASIDE + time, text))) return { kept: true, dropped };
      if (times.length === 0) return { kept: false, dropped };
      tried(() => localStorage.removeItem(ASIDE + times[0]));  // make room, then try again
      ++dropped;
    }
  },

  // Removes the damaged record from its place, once its copy is kept.
  removeDamaged() {
    return tried(() => {
      localStorage.removeItem(TEXT);
      localStorage.setItem(VERSION, String(storedVersion() + 1));
    });
  },

  /** @returns {SetAside[]} every set-aside copy, newest first */
  setAsideCopies() {
    return asideTimes().reverse().map((time) => {
      try {
        return { time, text: localStorage.getItem(ASIDE + time) ?? '' };
      } catch {
        return { time, text: '' };
      }
    });
  },

  // Calls `listener` when another tab changes the record.
  /** @param {() => void} listener */
  onChange(listener) {
    addEventListener('storage', (event) => {
      if (event.key === null || KEYS.includes(event.key) || event.key.startsWith(ASIDE)) listener();
    });
  },

  // Whether a record was kept here and has since been wiped by something other than the page.
  /** @returns {Promise<boolean>} */
  async wasCleared() {
    if (this.load() !== null) return false;
    if (document.cookie.split('; ').includes(`${COOKIE}=1`)) return true;
    try {
      return 'caches' in self && await caches.has(MARK);
    } catch {
      return false;
    }
  },
};

/** @param {boolean} kept */
function setMark(kept) {
  const year = 365 * 24 * 3600;  // renewed at every change
  document.cookie = `${COOKIE}=${kept ? '1' : ''}; path=/; max-age=${kept ? year : 0}; SameSite=Strict`;
  if (!('caches' in self)) return;
  (kept ? caches.open(MARK) : caches.delete(MARK)).catch(() => {});
}
