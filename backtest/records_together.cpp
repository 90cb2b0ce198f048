#include "quorvel/backtest/records_together.h"

#include <algorithm>
#include <vector>

namespace quorvel::backtest {
namespace {

// Each record's shuffles, those its backtest ran and those this test adds.
struct Shuffled {
  const RecordInTest* record;
  std::vector<ClaimStatistics> claims;
};

void extend(Shuffled& shuffled, std::uint64_t wanted, unsigned threads, const Progress& progress) {
  const std::uint64_t first = shuffled.claims.size();
  if (wanted <= first) return;
  const BacktestResult& result = *shuffled.record->result;
  const ShuffledReplays replays(shuffled.record->draws, result.notes.restarts, *result.game);
  const std::vector<ReplayStatistics> more =
      replays.replay(result.seed, {first, wanted - first}, threads, [&](std::uint64_t done) {
        if (progress) progress("shuffled", first + done, wanted);
      });
  for (const ReplayStatistics& statistics : more) {
    shuffled.claims.push_back(claimStatistics(statistics));
  }
}


}  // namespace

TogetherTest testTogether(std::span<const RecordInTest> records, std::uint64_t asked,
                          unsigned threads, const Progress& progress) {
  TogetherTest test;
  if (records.empty()) return test;
  std::vector<Shuffled> shuffled;
  std::uint64_t shared = UINT64_MAX;
  for (const RecordInTest& record : records) {
    shuffled.push_back({&record, record.result->shuffleClaims});
    shared = std::min<std::uint64_t>(shared, record.result->shuffleClaims.size());
  }
  const std::uint64_t cap = shuffleCap(asked);
  for (;;) {
    std::vector<RecordClaims> parts;
    for (Shuffled& record : shuffled) {
      parts.push_back({claimStatistics(observedStatistics(*record.record->result)),
                       std::span(record.claims).first(static_cast<std::size_t>(shared))});
    }
    test.family = testFamilyTogether(parts, records.front().result->seed);
    test.shuffles = shared;
    if (!anyBorderline(test.family) || shared == 0 || shared >= cap) break;
    shared += std::min(shared, cap - shared);
    for (Shuffled& record : shuffled) extend(record, shared, threads, progress);
  }
  if (shared >= cap) leaveUndecided(test.family);
  return test;
}

}  // namespace quorvel::backtest
