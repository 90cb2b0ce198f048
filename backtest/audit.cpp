#include "quorvel/backtest/audit.h"

#include <algorithm>
#include <cmath>

#include "quorvel/backtest/settings.h"
#include "quorvel/backtest/statistics.h"
#include "quorvel/engine/verdict.h"
#include "quorvel/game/draw.h"
#include "quorvel/game/sum_play.h"

namespace quorvel::backtest {
namespace {

constexpr double kMinExpected = 5;  // the smallest expected count a class keeps alone

struct ChiSquared {
  double statistic = 0;
  int df = 0;
};

// Pearson's statistic of observed against expected counts, classes pooled from the left until each
// expects at least kMinExpected, a short last class joined to the one before it.
ChiSquared pooledChiSquared(std::span<const double> observed, std::span<const double> expected) {
  std::vector<std::pair<double, double>> classes;  // observed, expected
  double o = 0, e = 0;
  for (std::size_t i = 0; i < observed.size(); ++i) {
    o += observed[i];
    e += expected[i];
    if (e >= kMinExpected) {
      classes.push_back({o, e});
      o = e = 0;
    }
  }
  if (e > 0 && !classes.empty()) {
    classes.back().first += o;
    classes.back().second += e;
  }
  ChiSquared result;
  for (const auto& [count, expect] : classes)
    result.statistic += (count - expect) * (count - expect) / expect;
  result.df = static_cast<int>(classes.size()) - 1;
  return result;
}

// Pearson's test of independence of a table of counts (rows and columns with no count left out).
template <std::size_t R, std::size_t C>
ChiSquared independence(const std::array<std::array<std::uint64_t, C>, R>& table) {
  std::array<double, R> rows{};
  std::array<double, C> columns{};
  double total = 0;
  for (std::size_t r = 0; r < R; ++r) {
    for (std::size_t c = 0; c < C; ++c) {
      rows[r] += static_cast<double>(table[r][c]);
      columns[c] += static_cast<double>(table[r][c]);
      total += static_cast<double>(table[r][c]);
    }
  }
  ChiSquared result;
  const auto used = [](const auto& sums) {
    return static_cast<int>(
        std::count_if(sums.begin(), sums.end(), [](double s) { return s > 0; }));
  };
  result.df = std::max(0, (used(rows) - 1) * (used(columns) - 1));
  for (std::size_t r = 0; r < R; ++r) {
    for (std::size_t c = 0; c < C; ++c) {
      if (rows[r] == 0 || columns[c] == 0) continue;
      const double expect = rows[r] * columns[c] / total;
      const double d = static_cast<double>(table[r][c]) - expect;
      result.statistic += d * d / expect;
    }
  }
  return result;
}

AuditTest chiSquaredTest(std::string_view name, const ChiSquared& c) {
  return {name, c.statistic, c.df, c.df > 0 ? chiSquaredTail(c.statistic, c.df) : 1.0};
}

// The class of a sum by big or small and odd or even, 0...3.
std::size_t sumClass(int sum) {
  return (engine::isBig(sum) ? 2U : 0U) + static_cast<std::size_t>(sum % 2);
}

// A count for each digit at each of a draw's positions.
using DigitCounts = std::array<std::array<std::uint64_t, game::kDigitValues>, game::kDigitsDrawn>;

// The runs of a two-way class, big or small, odd or even.
struct Runs {
  std::uint64_t first = 0, second = 0, runs = 0;
  int last = -1;
  void add(bool firstClass) {
    (firstClass ? first : second) += 1;
    runs += last != static_cast<int>(firstClass);
    last = firstClass;
  }
};

constexpr std::size_t kSumClasses = 4;  // big or small, odd or even

}  // namespace

struct RecordAudit::Counts {
  std::uint64_t draws = 0;
  DigitCounts digits{};
  std::array<std::uint64_t, game::kSumValues> sums{};
  std::array<std::array<std::array<std::uint64_t, game::kDigitValues>, game::kDigitValues>,
             game::kDigitsDrawn>
      serial{};
  std::array<std::array<std::uint64_t, kSumClasses>, kSumClasses> classes{};
  DigitCounts lastSeen{};           // 1 + the draw it last came in; 0 never
  std::vector<std::uint64_t> gaps;  // how many gaps of each length
  Runs bigSmall, oddEven;
  std::optional<Draw> previous;
};

RecordAudit::RecordAudit() : counts_(std::make_unique<Counts>()) {}
RecordAudit::~RecordAudit() = default;
RecordAudit::RecordAudit(RecordAudit&&) noexcept = default;
RecordAudit& RecordAudit::operator=(RecordAudit&&) noexcept = default;

void RecordAudit::add(const Draw& draw) {
  Counts& c = *counts_;
  const std::uint64_t index = c.draws++;
  for (std::size_t k = 0; k < c.digits.size(); ++k) {
    const auto digit = static_cast<std::size_t>(draw.digits[k]);
    ++c.digits[k][digit];
    if (c.previous) ++c.serial[k][static_cast<std::size_t>(c.previous->digits[k])][digit];
    if (const std::uint64_t seen = c.lastSeen[k][digit]; seen > 0) {
      // A gap between two appearances of a digit is a few hundred draws at most, in any record.
      const auto gap = static_cast<std::size_t>(index + 1 - seen);
      if (c.gaps.size() <= gap) c.gaps.resize(gap + 1);
      ++c.gaps[gap];
    }
    c.lastSeen[k][digit] = index + 1;
  }
  const int sum = draw.sum();
  ++c.sums[static_cast<std::size_t>(sum)];
  if (c.previous) {
    ++c.classes[sumClass(c.previous->sum())][sumClass(sum)];
  }
  c.bigSmall.add(engine::isBig(sum));
  c.oddEven.add(sum % 2 == 1);
  c.previous = draw;
}

namespace {

// Each position's digits against the uniform law.
void digitTests(const DigitCounts& digits, std::uint64_t draws, std::vector<AuditTest>& tests) {
  std::array<double, game::kDigitValues> expected{};
  expected.fill(static_cast<double>(draws) / game::kDigitValues);
  for (std::size_t k = 0; k < digits.size(); ++k) {
    std::array<double, game::kDigitValues> observed{};
    std::transform(digits[k].begin(), digits[k].end(), observed.begin(),
                   [](std::uint64_t n) { return static_cast<double>(n); });
    tests.push_back(chiSquaredTest(kAuditTests[k], pooledChiSquared(observed, expected)));
  }
}

// The gaps between appearances against the geometric law of a one-in-ten event: a gap of g draws
// has chance (9/10)^(g-1) / 10, the last class all gaps longer than any seen.
AuditTest gapTest(const std::vector<std::uint64_t>& gaps) {
  double total = 0;
  for (const std::uint64_t n : gaps) total += static_cast<double>(n);
  const double p = 1.0 / game::kDigitValues;
  std::vector<double> observed, expected;
  double beyond = total;  // the gaps expected to be longer than those counted so far
  for (std::size_t g = 1; g < gaps.size(); ++g) {
    observed.push_back(static_cast<double>(gaps[g]));
    expected.push_back(beyond * p);
    beyond *= 1 - p;
  }
  observed.push_back(0);
  expected.push_back(beyond);
  return chiSquaredTest(kAuditTests[8], pooledChiSquared(observed, expected));
}

AuditTest runsTest(std::string_view name, std::uint64_t first, std::uint64_t second,
                   std::uint64_t runs) {
  if (first == 0 || second == 0) return {name, 0, std::nullopt, 1};
  const double a = static_cast<double>(first), b = static_cast<double>(second), n = a + b;
  const double mean = 2 * a * b / n + 1;
  const double variance = 2 * a * b * (2 * a * b - n) / (n * n * (n - 1));
  const double z = variance > 0 ? (static_cast<double>(runs) - mean) / std::sqrt(variance) : 0;
  return {name, z, std::nullopt, normalTwoSidedTail(z)};
}

}  // namespace

Audit RecordAudit::finish() const {
  const Counts& c = *counts_;
  Audit audit;
  audit.draws = c.draws;
  digitTests(c.digits, c.draws, audit.tests);
  std::array<double, game::kSumValues> sums{}, law{};
  for (std::size_t s = 0; s < sums.size(); ++s) {
    sums[s] = static_cast<double>(c.sums[s]);
    law[s] =
        static_cast<double>(c.draws) * game::ways(static_cast<int>(s)) / game::kEquallyLikelyDraws;
  }
  audit.tests.push_back(chiSquaredTest(kAuditTests[3], pooledChiSquared(sums, law)));
  for (std::size_t k = 0; k < c.serial.size(); ++k) {
    audit.tests.push_back(chiSquaredTest(kAuditTests[4 + k], independence(c.serial[k])));
  }
  audit.tests.push_back(chiSquaredTest(kAuditTests[7], independence(c.classes)));
  audit.tests.push_back(gapTest(c.gaps));
  audit.tests.push_back(
      runsTest(kAuditTests[9], c.bigSmall.first, c.bigSmall.second, c.bigSmall.runs));
  audit.tests.push_back(
      runsTest(kAuditTests[10], c.oddEven.first, c.oddEven.second, c.oddEven.runs));
  std::vector<double> pValues;
  for (const AuditTest& test : audit.tests) pValues.push_back(test.pValue);
  const std::vector<double> holm = holmAdjust(pValues);
  for (std::size_t i = 0; i < audit.tests.size(); ++i) audit.tests[i].pValueHolm = holm[i];
  return audit;
}

bool Audit::random() const {
  return std::all_of(tests.begin(), tests.end(),
                     [](const AuditTest& test) { return test.pValueHolm >= kLevel; });
}

Audit auditRecord(std::span<const Draw> draws) {
  RecordAudit audit;
  for (const Draw& draw : draws) audit.add(draw);
  return audit.finish();
}

}  // namespace quorvel::backtest
