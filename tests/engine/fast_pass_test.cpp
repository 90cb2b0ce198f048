// The fast road of the pass against the rule-by-rule reference.

#include "fast_pass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "quorvel/engine/reference_pass.h"
#include "test_support.h"

namespace quorvel::engine {
namespace {

using testing::describe;
using testing::Grid;
using testing::renderResult;

// Every field of two results, for a differential check.
std::string everything(const PassResult& r) {
  std::string text = renderResult(r) + " written=" + std::to_string(r.written) +
                     " cause=" + std::to_string(static_cast<int>(r.cause.step)) + "/" +
                     std::to_string(static_cast<int>(r.cause.combination));
  for (const int cell : r.cause.cells()) text += " " + std::to_string(cell);
  for (const Output output : kAllOutputs) {
    text += " " + std::to_string(isList(output) ? r.list(output)
                                                : static_cast<SumSet>(r.verdict(output)));
  }
  return text;
}

bool same(const PassResult& a, const PassResult& b) {
  if (a.failure != b.failure || !(a.cause == b.cause) || a.written != b.written) return false;
  return std::all_of(kAllOutputs.begin(), kAllOutputs.end(), [&](Output output) {
    return isList(output) ? a.list(output) == b.list(output)
                          : a.verdict(output) == b.verdict(output);
  });
}

// Realistic grids (three draws with their sums) and adversarial ones: cells of zero to four
// digits with leading zeros, values around the 16-bit product limit, and texts that are not plain
// digits, which the fast road must leave to the reference.
GridStrings randomGrid(std::mt19937& random) {
  GridStrings cells;
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  switch (pick(4)) {
    case 0:
      for (std::size_t p = 0; p < 3; ++p) {
        int sum = 0;
        for (std::size_t k = 0; k < 3; ++k) {
          const int d = pick(10);
          sum += d;
          cells[4 * p + k] = std::to_string(d);
        }
        cells[4 * p + 3] = std::to_string(sum);
      }
      break;
    case 1:
      for (std::string& cell : cells) {
        const int length = pick(5);
        for (int i = 0; i < length; ++i) cell += static_cast<char>('0' + pick(10));
      }
      break;
    case 2: {
      static const char* kNear[] = {"0",    "1",    "9",    "10",   "27",   "28",
                                    "99",   "180",  "181",  "182",  "255",  "256",
                                    "1000", "3276", "3277", "5000", "9999", "0181"};
      for (std::string& cell : cells) cell = kNear[pick(18)];
      break;
    }
    default: {
      static const char* kOdd[] = {"",      " 5",    "5 ", "-1", "+3", "2.5",   "1e2", "x",
                                   "10000", "32767", "-0", "7",  "12", "99999", "0.0", "3e4"};
      for (std::string& cell : cells) cell = kOdd[pick(16)];
      break;
    }
  }
  return cells;
}

TEST(FastPass, TheFastRoadGivesTheReferenceResultOnEveryGrid) {
  std::mt19937 random(20261208);
  int plainFailures = 0;
  for (int n = 0; n < 300000; ++n) {
    const GridStrings cells = randomGrid(random);
    const PassResult fast = runPredictionPass(viewsOf(cells));
    const PassResult reference = runReferencePass(viewsOf(cells));
    if (!same(fast, reference)) {
      ASSERT_EQ(everything(fast), everything(reference))
          << describe(Grid{cells[0], cells[1], cells[2], cells[3], cells[4], cells[5], cells[6],
                           cells[7], cells[8], cells[9], cells[10], cells[11]});
    }
    PlainGrid plain{};
    bool isPlain = true;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      isPlain &=
          cells[i].size() <= 4 && cells[i].find_first_not_of("0123456789") == std::string::npos;
      if (isPlain)
        plain[i] = static_cast<std::uint16_t>(cells[i].empty() ? 0 : std::stoi(cells[i]));
    }
    if (!isPlain) continue;
    plainFailures += fast.failure != Failure::None;
    const PassResult fromNumbers = runPredictionPass(plain);
    if (!same(fromNumbers, reference)) {
      ASSERT_EQ(everything(fromNumbers), everything(reference));
    }
  }
  EXPECT_GT(plainFailures, 1000);  // the product limit is met often enough to be tested
}

TEST(FastPass, APlainGridBeyondFourDigitsIsReadAsItsText) {
  PlainGrid plain{};
  plain[0] = 40000;
  plain[7] = 12345;
  EXPECT_EQ(everything(runPredictionPass(plain)),
            everything(runReferencePass(
                Grid{"40000", "0", "0", "0", "0", "0", "0", "12345", "0", "0", "0", "0"}.texts())));
}

}  // namespace
}  // namespace quorvel::engine
