// The backtest's engine as its workers see it: backtest_bridge.cpp compiled to WebAssembly, a
// module that only the backtest's workers import.
import type { Settings } from './forecast.js';
import type { Report } from './messages.js';

// A record's bytes as the engine reads them, a slice at a time.
export interface ByteSource {
  size: number;
  read(offset: number, length: number): Uint8Array;
}

export interface RecordBacktest {
  error(): string;
  draws(): number;
  /** How many shuffle workers the record's size allows side by side (at least one). */
  affordableWorkers(): number;
  digits(): Uint8Array;
  restarts(): Float64Array;
  // "" when taken, else why the part was refused.
  addShuffles(first: number, values: Float64Array): string;
  finish(narrow: boolean): Report | { more: number } | { failed: string };
  delete(): void;
}

export interface ShuffleReplayer {
  replay(first: number, count: number): Float64Array;
  delete(): void;
}

export interface BacktestEngine {
  RecordBacktest: new (bytes: ByteSource, name: string, settings: Settings, language: string) => RecordBacktest;
  ShuffleReplayer: new (digits: Uint8Array, restarts: Float64Array, settings: Settings) => ShuffleReplayer;
  auditRecord(bytes: ByteSource, name: string, language: string):
    { error?: string; sentence?: string; rows?: string[][] };
  // The claims tested on several games' records at once, each record's own verdict beside it.
  // The strategies a trend chart suggests, replayed over a record and tested on its shuffles.
  testStrategies(bytes: ByteSource, name: string, settings: Settings, language: string):
    { error?: string; sentence?: string; rows?: string[][] };
  testTogether(records: { bytes: ByteSource; name: string; game: string }[], settings: Settings, language: string):
    { error?: string; alone?: string[]; sentence?: string; claims?: string[][] };
}

export default function createBacktest(): Promise<BacktestEngine>;
