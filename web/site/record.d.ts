// The record kept on the device as the page sees it: record_bridge.cpp compiled to WebAssembly,
// a module the page imports once the forecast answers. Every call moves texts; none holds a rule.

// One recent draw beside the forecast from the three before it.
export interface RecentRow {
  period: string;
  draw: string;  // "3 3 2"
  sum: string;
  cells: { name: string; text: string; hit?: 0 | 1 }[];  // no hit where the output made no call
  money: string[];  // each list's "stake / return"
}

export interface Recent {
  heading: string[];
  rows: RecentRow[];
  totals: string[][];
  more: boolean;  // whether older draws could be shown
}

export interface LaterDraws {
  heading: string;
  rows: string[][];
  sentence: string;
}

export interface Added {
  status: string;
  added: number;
  disagree: boolean;  // draws disagree with the record's, and nothing changed
  error?: true;  // the draws could not be read; the status says why
}

// The trend chart: each view's rows (the drawn value's column and every cell's text), its figures
// and what they say; the numbers of periods a player may choose.
export interface Trend {
  periods: number;
  choices: { periods: number; label: string }[];
  views: string[];  // the views' names, the sum's first
  heading: string;
  header: string[];
  rows: { period: string; drawn: number; cells: string }[];  // the cells tab-separated
  figures: string[][];
  sentence: string;
}

export interface TypedDraw {
  kind: 'none' | 'next' | 'known' | 'corrected' | 'disagrees' | 'takenBack';
  period: string;
  status?: string;
  /** For 'disagrees': the typed draw as a record the player's choice adds. */
  line?: string;
}

export interface KeptRecord {
  error(): string;
  damaged(): string;
  csv(): string;
  fileName(): string;
  status(): string;
  /** `choice`: what to do where the draws disagree with the record: ask first, or take one side. */
  add(text: string, name: string, choice: 'ask' | 'given' | 'kept'): Added;
  /** `now`: the device clock (ms since 1970); the period is reckoned by the game's clock. */
  typed(cells: string[], now: number, lastTyped: string): TypedDraw;
  grid(): string[] | null;
  recent(count: number): Recent;
  laterDraws(): LaterDraws | null;
  /** View `view` of the trend chart of the newest `periods` draws, 0 for the usual number. */
  trend(periods: number, view: number): Trend;
  delete(): void;
}

export interface RecordEngine {
  KeptRecord: new (text: string, name: string, language: string, game: string) => KeptRecord;
  fileSizeProblem(name: string, bytes: number, language: string): string;
  /** How many more recent draws a tap on #RecentMore shows, and how many show at first. */
  recentStep: number;
}

export default function createRecord(): Promise<RecordEngine>;
