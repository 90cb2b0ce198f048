// The record kept on this device: the canonical text the record's engine wrote, the name it is
// saved and tested under, and the period last typed into the grid (which the player may still
// correct). Storage may be refused, full or cleared by the app the page runs in; every call says
// whether it worked, and nothing is lost silently.

const TEXT = 'quorvel.record';
const NAME = 'quorvel.record.name';
const TYPED = 'quorvel.record.typed';
const ASIDE = 'quorvel.record.setAside';
// A mark kept in a second store, so that a record wiped from the first is noticed.
const MARK = 'kept-record-mark';

/** @typedef {{ text: string, name: string, lastTyped: string }} Kept */

/** @param {() => void} action */
const tried = (action) => {
  try {
    action();
    return true;
  } catch {
    return false;
  }
};

export const keptStore = {
  /** @returns {Kept | null} the record kept, or null for none (or storage refused) */
  load() {
    try {
      const text = localStorage.getItem(TEXT);
      if (text === null) return null;
      return { text, name: localStorage.getItem(NAME) ?? '', lastTyped: localStorage.getItem(TYPED) ?? '' };
    } catch {
      return null;
    }
  },

  /** @param {Kept} kept @returns {boolean} whether it was kept */
  save({ text, name, lastTyped }) {
    const saved = tried(() => {
      localStorage.setItem(TEXT, text);
      localStorage.setItem(NAME, name);
      localStorage.setItem(TYPED, lastTyped);
    });
    if (saved) setMark(true);
    return saved;
  },

  /** @returns {boolean} whether the record is gone from storage */
  forget() {
    setMark(false);
    return tried(() => {
      for (const key of [TEXT, NAME, TYPED]) localStorage.removeItem(key);
    });
  },

  // A kept record that could not be read: moved aside, where it stays for the player, never used.
  /** @param {string} text */
  setAside(text) {
    tried(() => localStorage.setItem(ASIDE, text));
    tried(() => localStorage.removeItem(TEXT));
  },

  // Whether a record was kept here and has since been wiped by something other than the page.
  /** @returns {Promise<boolean>} */
  async wasCleared() {
    if (this.load() !== null || !('caches' in self)) return false;
    try {
      return await caches.has(MARK);
    } catch {
      return false;
    }
  },
};

/** @param {boolean} kept */
function setMark(kept) {
  if (!('caches' in self)) return;
  (kept ? caches.open(MARK) : caches.delete(MARK)).catch(() => {});
}
