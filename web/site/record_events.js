// What the page's sections say to each other about the record kept on this device.

// The record changed: draws joined it, or it went back to the shipped one. A result shown for
// the record as it was is stale.
export const RECORD_CHANGED = 'quorvel-record-changed';

// The record section shows a record afresh: another game's, or the same one changed.
export const RECORD_SHOWN = 'quorvel-record-shown';
