// What the page and the backtest's workers say to each other. Every message carries a `type`.
import type { Settings } from './forecast.js';

// The report of a finished test, in the player's words: the answer first (a headline and one
// figure, with what it is and what stands beside it), the verdict, then the evidence. Tables are
// rows of texts, heading first.
export interface Report {
  headline: string;
  figure: string;
  figureCaption: string;
  beside: string;
  verdict: string;
  orderNote: string;
  claims: string[][];  // none without shuffles
  money: string[][];
  table: string[][];
  power: string[][];
  powerHeading: string;
  powerNote: string;
  chart: string;  // an SVG
  json: string;  // byte for byte quorvel-backtest's --json
  jsonName: string;  // the name it is saved under
}

// To the record's worker: read a record and replay it (its bytes, or a player's file, which the
// worker reads itself so that the page does no work on it); take a part of the shuffles; end the test;
// or test a record for randomness.
export type ToRecordWorker =
  | { type: 'read'; bytes: ArrayBuffer | Blob; name: string; settings: Settings; language: string }
  | { type: 'part'; first: number; values: Float64Array }
  | { type: 'finish'; narrow: boolean }
  | { type: 'audit'; bytes: ArrayBuffer | Blob; name: string; language: string }
  | { type: 'together'; records: TogetherRecord[]; settings: Settings; language: string }
  | { type: 'strategies'; bytes: ArrayBuffer | Blob; name: string; settings: Settings; language: string };

// One record of the claims' test on several games' records at once.
export interface TogetherRecord {
  bytes: ArrayBuffer | Blob;
  name: string;
  game: string;
}

// From the record's worker. 'more': a claim is borderline, and more shuffles would settle it.
// 'refused': the record cannot be read, with its located reason. 'failed': the worker itself
// broke, with what it knows of why.
export type FromRecordWorker =
  | { type: 'read'; draws: number; workers: number; digits: Uint8Array; restarts: Float64Array }
  | { type: 'more'; count: number }
  | { type: 'refused'; message: string }
  | { type: 'report'; report: Report }
  | { type: 'audit'; sentence: string; rows: string[][] }
  | { type: 'together'; alone: string[]; sentence: string; claims: string[][] }
  | { type: 'strategies'; sentence: string; rows: string[][] }
  | { type: 'failed'; reason: string };

// To a shuffle worker: the record's digits and where its replay starts again after a gap, then
// parts of the shuffles to replay.
export type ToShuffleWorker =
  | { type: 'record'; digits: Uint8Array; restarts: Float64Array; settings: Settings }
  | { type: 'replay'; first: number; count: number };

// From a shuffle worker: a part replayed, its statistics as the record's worker reads them.
export type FromShuffleWorker =
  | { type: 'part'; first: number; count: number; values: Float64Array }
  | { type: 'failed'; reason: string };
