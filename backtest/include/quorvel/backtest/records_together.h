#pragma once

#include <cstdint>
#include <span>

#include "quorvel/backtest/backtest.h"

// The forecast's claims tested on several records at once, such as two games' records: each
// record is shuffled within itself, and a claim is shown only when the records' standardised
// statistics, added up, beat what their shuffles give together (testFamilyTogether). The records
// must be independent of each other, as two lotteries' draws are.
namespace quorvel::backtest {

// One record of the test: its draws, oldest first, and its own backtest with shuffles, whose
// shuffles the test reuses.
struct RecordInTest {
  std::span<const Draw> draws;
  const BacktestResult* result = nullptr;
};

struct TogetherTest {
  FamilyTest family;
  std::uint64_t shuffles = 0;  // the orderings of each record the test read
};

// Tests the records together against the shuffles their backtests ran (as many as the fewest
// ran), when `asked` shuffles were asked of each; while a claim is borderline, more shuffles of
// every record are replayed on `threads` threads, as a single record's test does, to
// kMoreShufflesFactor times those asked, where a claim still borderline is undecided. Shuffles
// run in the seeds of each backtest; the Monte Carlo error's resampling in the first one's.
// Without shuffles every claim stands at p = 1.
TogetherTest testTogether(std::span<const RecordInTest> records, std::uint64_t asked,
                          unsigned threads, const Progress& progress = {});

}  // namespace quorvel::backtest
