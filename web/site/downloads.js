// Files the page offers the player: downloaded where the browser allows it, and where it does not
// (WeChat's browser ignores a link's download) shown as text to select and copy.

// Whether the page runs in WeChat's browser, which names itself MicroMessenger.
export const inWeChat = () => /MicroMessenger/i.test(navigator.userAgent);

/** @type {Map<HTMLAnchorElement, string>} */
const offered = new Map();  // each link's current address, let go when it is replaced

// Points `link` at `text` as a file named `name`.
/** @param {HTMLAnchorElement} link @param {string} text @param {string} name @param {string} type */
export function offer(link, text, name, type) {
  const previous = offered.get(link);
  if (previous) URL.revokeObjectURL(previous);
  const address = URL.createObjectURL(new Blob([text], { type }));
  offered.set(link, address);
  link.href = address;
  link.download = name;
}

// Downloads `text` as a file named `name` now; in WeChat's browser shows it in `copy` (a box that
// holds a read-only text area) instead, selected for copying.
/** @param {string} text @param {string} name @param {string} type @param {HTMLElement} copy */
export function download(text, name, type, copy) {
  if (inWeChat()) {
    showToCopy(text, copy);
    return;
  }
  const link = document.createElement('a');
  offer(link, text, name, type);
  document.body.append(link);
  link.click();
  link.remove();
}

/** @param {string} text @param {HTMLElement} copy */
export function showToCopy(text, copy) {
  const area = /** @type {HTMLTextAreaElement} */ (copy.querySelector('textarea'));
  area.value = text;
  copy.hidden = false;
  area.focus();
  area.select();
}
