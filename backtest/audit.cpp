#include "quorvel/backtest/audit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

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

// Pearson's test of independence of a table of counts, rows and columns with no count left out:
// `table` is a range of rows, each a range of counts.
template <class Table>
ChiSquared independence(const Table& table) {
  std::vector<double> rows, columns;
  double total = 0;
  for (const auto& row : table) {
    rows.push_back(0);
    std::size_t c = 0;
    for (const auto count : row) {
      if (columns.size() <= c) columns.push_back(0);
      rows.back() += static_cast<double>(count);
      columns[c++] += static_cast<double>(count);
      total += static_cast<double>(count);
    }
  }
  const auto used = [](const std::vector<double>& sums) {
    return static_cast<int>(
        std::count_if(sums.begin(), sums.end(), [](double s) { return s > 0; }));
  };
  ChiSquared result;
  result.df = std::max(0, (used(rows) - 1) * (used(columns) - 1));
  std::size_t r = 0;
  for (const auto& row : table) {
    std::size_t c = 0;
    for (const auto count : row) {
      if (rows[r] > 0 && columns[c] > 0) {
        const double expect = rows[r] * columns[c] / total;
        const double d = static_cast<double>(count) - expect;
        result.statistic += d * d / expect;
      }
      ++c;
    }
    ++r;
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

std::size_t digitAt(const Draw& draw, std::size_t position) {
  return static_cast<std::size_t>(draw.digits[position]);
}

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

// A 10 x 10 table of pairs of digits, one for each of a draw's positions (or pairs of positions).
using PairTable = std::array<std::array<std::uint64_t, game::kDigitValues>, game::kDigitValues>;
using PairTables = std::array<PairTable, game::kDigitsDrawn>;
using SumCounts = std::array<std::uint64_t, game::kSumValues>;

// The pairs of a draw's positions that within-12, within-13 and within-23 hold against each other.
constexpr std::array<std::pair<std::size_t, std::size_t>, 3> kPositionPairs = {
    {{0, 1}, {0, 2}, {1, 2}}};

}  // namespace

struct RecordAudit::Counts {
  std::uint64_t planned = 0;  // the draws that will come; the first half is the first planned / 2
  std::uint64_t draws = 0;
  DigitCounts digits{};
  SumCounts sums{};
  PairTables serial{}, lag2{}, lag3{}, within{};
  std::array<std::array<std::uint64_t, kSumClasses>, kSumClasses> classes{};
  DigitCounts lastSeen{};           // 1 + the draw it last came in; 0 never
  std::vector<std::uint64_t> gaps;  // how many gaps of each length
  Runs bigSmall, oddEven;
  std::array<std::uint64_t, game::kEquallyLikelyDraws> triples{};
  std::array<SumCounts, 2> halves{};  // the sums of the first half and of the rest
  std::map<int, std::array<std::uint64_t, game::kDigitValues>> years;  // digits of each year
  std::array<std::optional<Draw>, 3> before;  // the draws one, two and three before

  void addDigits(const Draw& draw);
};

RecordAudit::RecordAudit(std::uint64_t draws) : counts_(std::make_unique<Counts>()) {
  counts_->planned = draws;
}
RecordAudit::~RecordAudit() = default;
RecordAudit::RecordAudit(RecordAudit&&) noexcept = default;
RecordAudit& RecordAudit::operator=(RecordAudit&&) noexcept = default;

// What the tests of a draw's digits count: each position's digits, its pairs with the draws one,
// two and three before and with the draw's other positions, the gaps between a digit's
// appearances, the triple and the year's digits.
void RecordAudit::Counts::addDigits(const Draw& draw) {
  const std::uint64_t index = draws;
  for (std::size_t k = 0; k < game::kDigitsDrawn; ++k) {
    const std::size_t digit = digitAt(draw, k);
    ++digits[k][digit];
    for (auto [back, table] : {std::pair{0, &serial}, std::pair{1, &lag2}, std::pair{2, &lag3}}) {
      if (before[static_cast<std::size_t>(back)]) {
        ++(*table)[k][digitAt(*before[static_cast<std::size_t>(back)], k)][digit];
      }
    }
    if (const std::uint64_t seen = lastSeen[k][digit]; seen > 0) {
      // A gap between two appearances of a digit is a few hundred draws at most, in any record.
      const auto gap = static_cast<std::size_t>(index + 1 - seen);
      if (gaps.size() <= gap) gaps.resize(gap + 1);
      ++gaps[gap];
    }
    lastSeen[k][digit] = index + 1;
  }
  for (std::size_t pair = 0; pair < kPositionPairs.size(); ++pair) {
    const auto [a, b] = kPositionPairs[pair];
    ++within[pair][digitAt(draw, a)][digitAt(draw, b)];
  }
  ++triples[100 * digitAt(draw, 0) + 10 * digitAt(draw, 1) + digitAt(draw, 2)];
  if (const int year = periodYear(draw.period); year != 0) {
    for (std::size_t k = 0; k < game::kDigitsDrawn; ++k) ++years[year][digitAt(draw, k)];
  }
}

void RecordAudit::add(const Draw& draw) {
  Counts& c = *counts_;
  c.addDigits(draw);
  const int sum = draw.sum();
  ++c.sums[static_cast<std::size_t>(sum)];
  ++c.halves[c.draws < c.planned / 2 ? 0 : 1][static_cast<std::size_t>(sum)];
  if (c.before[0]) ++c.classes[sumClass(c.before[0]->sum())][sumClass(sum)];
  c.bigSmall.add(engine::isBig(sum));
  c.oddEven.add(sum % 2 == 1);
  c.before = {draw, c.before[0], c.before[1]};
  ++c.draws;
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

namespace {

// The sums of the record's two halves against each other: the sums pooled from each tail inward
// into classes that expect at least kMinExpected draws in the shorter half under the exact law.
AuditTest halvesTest(const std::array<SumCounts, 2>& halves, std::uint64_t draws) {
  const double shorter = static_cast<double>(draws / 2) / game::kEquallyLikelyDraws;
  // Each tail's classes from the outside in: the sums 0...13, then 27...14.
  std::vector<std::array<std::uint64_t, 2>> classes;
  for (const auto& [from, step] : {std::pair{0, 1}, std::pair{game::kLargestSum, -1}}) {
    const std::size_t tailStart = classes.size();
    double expected = 0;
    bool open = false;
    for (int s = from; s != from + step * game::kSumValues / 2; s += step) {
      if (!open) classes.push_back({0, 0});
      for (std::size_t half = 0; half < 2; ++half)
        classes.back()[half] += halves[half][static_cast<std::size_t>(s)];
      expected += shorter * game::ways(s);
      open = expected < kMinExpected;
      if (!open) expected = 0;
    }
    // A short class at the middle joins the one outside it, if the tail has one.
    if (open && classes.size() - tailStart > 1) {
      for (std::size_t half = 0; half < 2; ++half)
        classes[classes.size() - 2][half] += classes.back()[half];
      classes.pop_back();
    }
  }
  return chiSquaredTest("halves-sums", independence(classes));
}

// The digits of each whole year of the record against each other's.
AuditTest yearsTest(const std::map<int, std::array<std::uint64_t, game::kDigitValues>>& years) {
  std::vector<std::array<std::uint64_t, game::kDigitValues>> whole;
  for (const auto& [year, digits] : years) {
    const std::uint64_t draws =
        std::accumulate(digits.begin(), digits.end(), std::uint64_t{0}) / game::kDigitsDrawn;
    if (draws >= kWholeYearDraws) whole.push_back(digits);
  }
  if (whole.size() < 2) return {"years-digits", 0, 0, 1};
  return chiSquaredTest("years-digits", independence(whole));
}

// The 1000 ordered triples of digits against uniform.
AuditTest triplesTest(const std::array<std::uint64_t, game::kEquallyLikelyDraws>& triples,
                      std::uint64_t draws) {
  std::vector<double> observed(triples.size()), expected(triples.size());
  std::transform(triples.begin(), triples.end(), observed.begin(),
                 [](std::uint64_t n) { return static_cast<double>(n); });
  std::fill(expected.begin(), expected.end(),
            static_cast<double>(draws) / game::kEquallyLikelyDraws);
  return chiSquaredTest("triples", pooledChiSquared(observed, expected));
}

// Each position's digits against the draws two and three later, and a draw's positions against
// each other.
void pairTests(const PairTables& lag2, const PairTables& lag3, const PairTables& within,
               std::vector<AuditTest>& tests) {
  for (const PairTables* tables : {&lag2, &lag3, &within}) {
    for (const PairTable& table : *tables) {
      tests.push_back(chiSquaredTest(kAuditTests[tests.size()], independence(table)));
    }
  }
}

void holmOverAll(std::vector<AuditTest>& tests) {
  std::vector<double> pValues;
  for (const AuditTest& test : tests) pValues.push_back(test.pValue);
  const std::vector<double> holm = holmAdjust(pValues);
  for (std::size_t i = 0; i < tests.size(); ++i) tests[i].pValueHolm = holm[i];
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
  pairTests(c.lag2, c.lag3, c.within, audit.tests);
  audit.tests.push_back(triplesTest(c.triples, c.draws));
  audit.tests.push_back(halvesTest(c.halves, c.planned));
  audit.tests.push_back(yearsTest(c.years));
  holmOverAll(audit.tests);
  return audit;
}

bool Audit::random() const {
  return std::all_of(tests.begin(), tests.end(),
                     [](const AuditTest& test) { return test.pValueHolm >= kLevel; });
}

Audit auditRecord(std::span<const Draw> draws) {
  RecordAudit audit(draws.size());
  for (const Draw& draw : draws) audit.add(draw);
  return audit.finish();
}

}  // namespace quorvel::backtest
