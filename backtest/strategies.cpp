#include "quorvel/backtest/strategies.h"

#include <algorithm>
#include <vector>

#include "family_steps.h"
#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/shuffles.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::backtest {

template FamilyTestOf<kStrategies> testClaimsTogether<kStrategies>(
    std::span<const RecordClaimsOf<kStrategies>>, std::uint64_t);

namespace {

// The index of the largest of `values`, the smallest index of equals.
template <class Values>
int largestAt(const Values& values) {
  return static_cast<int>(std::max_element(values.begin(), values.end()) - values.begin());
}

// What the strategies read of the draws so far: each value's current gap (draws since it came;
// before its first coming, the draws so far) for the sum and each digit, and the sums of the last
// kHotWindow draws.
struct History {
  std::array<std::int64_t, game::kSumValues> sumGaps{};
  std::array<std::array<std::int64_t, game::kDigitValues>, game::kDigitsDrawn> digitGaps{};
  std::array<std::int64_t, game::kSumValues> hotCounts{};
  std::vector<int> sums;

  void add(const Draw& draw) {
    for (std::int64_t& gap : sumGaps) ++gap;
    sumGaps[static_cast<std::size_t>(draw.sum())] = 0;
    for (std::size_t k = 0; k < digitGaps.size(); ++k) {
      for (std::int64_t& gap : digitGaps[k]) ++gap;
      digitGaps[k][draw.digits[k]] = 0;
    }
    sums.push_back(draw.sum());
    ++hotCounts[static_cast<std::size_t>(draw.sum())];
    if (sums.size() > kHotWindow) --hotCounts[static_cast<std::size_t>(sums[sums.size() - 1 - kHotWindow])];
  }

  // The strategy's call for the next draw, or -1 while it has too little history.
  int call(Strategy strategy) const {
    switch (strategy) {
      case Strategy::OverdueSum:
        return sums.empty() ? -1 : largestAt(sumGaps);
      case Strategy::HotSum:
        return sums.size() < kHotWindow ? -1 : largestAt(hotCounts);
      case Strategy::LastSum:
        return sums.empty() ? -1 : sums.back();
      case Strategy::OverdueFirstDigit:
      case Strategy::OverdueSecondDigit:
      case Strategy::OverdueThirdDigit:
        break;
    }
    const auto position = static_cast<std::size_t>(strategy) - static_cast<std::size_t>(Strategy::OverdueFirstDigit);
    return sums.empty() ? -1 : largestAt(digitGaps[position]);
  }
};

void score(Strategy strategy, int call, const Draw& draw, const game::Game& game,
           StrategyTally& tally) {
  ++tally.calls;
  if (betsSum(strategy)) {
    const bool hit = draw.sum() == call;
    tally.hits += hit;
    tally.chanceThousandths += game::ways(call);
    tally.stakeYuan += game.sumBet.stake(call);
    tally.returnedYuan += hit ? game.sumBet.prize(call) : 0;
    tally.expectedReturnMills += game.sumBet.expectedReturnMills(call);
    return;
  }
  const auto position = static_cast<std::size_t>(strategy) - static_cast<std::size_t>(Strategy::OverdueFirstDigit);
  tally.hits += draw.digits[position] == call;
  tally.chanceThousandths += 1000 / game::kDigitValues;
}

// The draws in the order of shuffle `index`, or as they are for no shuffle.
template <class Next>
StrategyTallies replayInOrder(std::size_t count, Next&& drawAt, const game::Game& game) {
  StrategyTallies tallies;
  History history;
  for (std::size_t i = 0; i < count; ++i) {
    const Draw& draw = drawAt(i);
    for (std::size_t s = 0; s < kStrategies; ++s) {
      const int call = history.call(kAllStrategies[s]);
      if (call >= 0) score(kAllStrategies[s], call, draw, game, tallies[s]);
    }
    history.add(draw);
  }
  return tallies;
}

std::array<std::int64_t, kStrategies> statisticsOf(const StrategyTallies& tallies) {
  std::array<std::int64_t, kStrategies> statistics{};
  for (std::size_t s = 0; s < kStrategies; ++s) statistics[s] = tallies[s].excessThousandths();
  return statistics;
}


}  // namespace

StrategyTallies replayStrategies(std::span<const Draw> draws, const game::Game& game) {
  return replayInOrder(draws.size(), [&](std::size_t i) -> const Draw& { return draws[i]; }, game);
}

StrategiesTest testStrategies(std::span<const Draw> record, const game::Game& game,
                              std::uint64_t shuffles, std::uint64_t seed) {
  StrategiesTest test;
  test.tallies = replayStrategies(record, game);
  const std::uint64_t cap = shuffleCap(shuffles);
  std::vector<std::array<std::int64_t, kStrategies>> shuffled;
  for (std::uint64_t wanted = shuffles;;) {
    while (shuffled.size() < wanted) {
      const std::vector<std::uint32_t> order = shuffleOrder(record.size(), seed, shuffled.size());
      shuffled.push_back(statisticsOf(replayInOrder(
          record.size(), [&](std::size_t i) -> const Draw& { return record[order[i]]; }, game)));
    }
    const RecordClaimsOf<kStrategies> claims{statisticsOf(test.tallies), shuffled};
    test.family = testClaimsTogether<kStrategies>({&claims, 1}, seed);
    test.shuffles = shuffled.size();
    if (!anyBorderline(test.family) || wanted == 0 || wanted >= cap) break;
    wanted += std::min(wanted, cap - wanted);
  }
  if (test.shuffles >= cap) leaveUndecided(test.family);
  return test;
}

}  // namespace quorvel::backtest
