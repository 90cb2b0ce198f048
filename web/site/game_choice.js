// The game the page is for: the buttons above the form ([data-game], made from the games the
// engine knows), the one chosen last remembered on this device. Each game keeps its own grid,
// record and test under keys of its own; the first game's are the keys the page has always used,
// so that what was kept before there was a choice is still the first game's.
const CHOSEN = 'quorvel.game';
export const GAME_CHANGED = 'quorvel-game-changed';

/** @typedef {{ id: string, record: string }} Game */

/** @returns {HTMLButtonElement[]} */
const buttons = () => [...document.querySelectorAll('#Games [data-game]')].map(
  (button) => /** @type {HTMLButtonElement} */ (button));

/** @param {HTMLButtonElement} button @returns {Game} */
const gameOf = (button) => ({ id: button.dataset.game ?? '', record: button.dataset.record ?? '' });

/** @returns {Game[]} every game, the first the page's start */
export const allGames = () => buttons().map(gameOf);

/** @returns {Game} the game the page is for now */
export function chosenGame() {
  const all = buttons();
  const pressed = all.find((button) => button.getAttribute('aria-pressed') === 'true') ?? all[0];
  return pressed ? gameOf(pressed) : { id: '', record: '' };
}

// The storage key of `name` for `game`: quorvel.NAME for the first game, quorvel.ID.NAME for
// the others.
/** @param {string} name @param {Game} [game] */
export function gameKey(name, game = chosenGame()) {
  const first = buttons()[0]?.dataset.game;
  return game.id === first || game.id === '' ? `quorvel.${name}` : `quorvel.${game.id}.${name}`;
}

/** @param {string} id */
function press(id) {
  for (const button of buttons()) button.setAttribute('aria-pressed', String(button.dataset.game === id));
}

// Presses the game chosen last on this device, and makes each button choose its game: the page
// then hears GAME_CHANGED on `document`, with the game chosen as its detail.
export function startGames() {
  let remembered = '';
  try {
    remembered = localStorage.getItem(CHOSEN) ?? '';
  } catch {
    // Storage refused: the first game.
  }
  if (buttons().some((button) => button.dataset.game === remembered)) press(remembered);
  for (const button of buttons()) {
    button.addEventListener('click', () => {
      if (button.getAttribute('aria-pressed') === 'true') return;
      press(button.dataset.game ?? '');
      try {
        localStorage.setItem(CHOSEN, button.dataset.game ?? '');
      } catch {
        // Not remembered; the next visit starts with the first game.
      }
      document.dispatchEvent(new CustomEvent(GAME_CHANGED, { detail: gameOf(button) }));
    });
  }
}
