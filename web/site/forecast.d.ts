// The forecast's engine as the page sees it: forecast_bridge.cpp compiled to WebAssembly, loaded
// by the page's first visit. Every call moves texts; none holds a rule.

// The backtest's settings once checked: one value that crosses to the workers unchanged.
export interface Settings {
  seed: bigint;
  shuffles: number;
  game: string;  // the id of the game whose record is tested
}

// An action that may stop with a failure, and what the error report says of it.
export interface Outcome {
  failure: number;  // 0 for none
  report: string;
  cellsLine: string;
  cellToFix: number;  // -1 for none
}

export interface Prediction extends Outcome {
  outputs: string[];  // the eight boxes' texts, "" for one not written
  notes: string[];  // where the grid cannot be three draws
  odds: { label: string; parts: string[] }[];  // what following each output costs
}

export interface Shift extends Outcome {
  cells: string[];  // the twelve cells after the draw shift
}

// One of MainForm's controls as the page's markup was made from it.
export interface ForecastEngine {
  predict(cells: string[], language: string, game: string): Prediction;
  shiftGridDown(cells: string[]): Shift;
  isNumericText(text: string): boolean;
  words(language: string): { lang: string; words: Record<string, string> };
  oddsTitle(language: string, game: string): string;
  linkSettings(seeds: string[], shuffles: string[], game: string, language: string):
    { settings: Settings; problems: string[] };
  recordLine(name: string, settings: Settings, language: string): string;
  progressLine(done: number, total: number, settings: Settings, language: string): string;
  tookText(milliseconds: number, language: string): string;
  commandLine(name: string, settings: Settings): string;
  recordSizeProblem(name: string, bytes: number, gigabytes: number, language: string): string;
}

export default function createForecast(): Promise<ForecastEngine>;
