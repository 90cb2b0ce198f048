#include "quorvel/backtest/audit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>

#include "quorvel/backtest/statistics.h"
#include "quorvel/backtest/record_reader.h"
#include "quorvel/backtest/simulated_draws.h"
#include "row_name.h"

namespace quorvel::backtest {
namespace {

constexpr std::size_t kRealLength = 7680;

// A record of `count` draws from a generator of the test's own, made unfair on purpose.
template <class Digit>
std::vector<Draw> drawn(std::size_t count, Digit&& digit) {
  std::vector<Draw> draws(count);
  for (std::size_t t = 0; t < count; ++t) {
    draws[t].period = t + 1;
    for (int k = 0; k < 3; ++k) draws[t].digits[k] = static_cast<std::uint8_t>(digit(t, k, draws));
  }
  return draws;
}

// Uniform draws with periods that begin with their year, 400 draws a year from 2001.
std::vector<Draw> uniformYears(std::size_t count, std::uint64_t seed) {
  std::vector<Draw> draws = simulateHistory(count, seed);
  for (std::size_t t = 0; t < draws.size(); ++t)
    draws[t].period = (2001 + t / 400) * 1000 + t % 400 + 1;
  return draws;
}

// Each test's share of uniform records it rejects at 5 %, which is its size.
TEST(Audit, EachTestRejectsAboutOneUniformRecordInTwenty) {
  constexpr int kRecords = 2000;
  std::array<int, kAuditTests.size()> rejected{};
  for (int record = 0; record < kRecords; ++record) {
    const Audit audit = auditRecord(uniformYears(2000, 1000 + static_cast<std::uint64_t>(record)));
    ASSERT_EQ(audit.tests.size(), kAuditTests.size());
    for (std::size_t i = 0; i < kAuditTests.size(); ++i)
      rejected[i] += audit.tests[i].pValue < 0.05;
  }
  for (std::size_t i = 0; i < kAuditTests.size(); ++i) {
    const double rate = static_cast<double>(rejected[i]) / kRecords;
    EXPECT_GE(rate, 0.035) << kAuditTests[i];
    EXPECT_LE(rate, 0.065) << kAuditTests[i];
  }
}

struct Bias {
  std::string name;
  std::string_view aimedTest;
  // The digit at position k of draw t, given the draws before it, from `random`.
  int (*digit)(std::mt19937_64& random, std::size_t t, int k, const std::vector<Draw>& draws);
};

std::string describe(const Bias& bias) { return bias.name; }

class BiasedRecords : public ::testing::TestWithParam<Bias> {};

// Records made unfair on purpose fail the audit, by the test aimed at the fault, in at least nine
// records of ten of the real record's length.
TEST_P(BiasedRecords, FailTheAuditByTheTestAimedAtThem) {
  constexpr int kRecords = 200;
  std::mt19937_64 random(7);
  int caught = 0;
  for (int record = 0; record < kRecords; ++record) {
    std::vector<Draw> draws =
        drawn(kRealLength, [&](std::size_t t, int k, const std::vector<Draw>& d) {
          return GetParam().digit(random, t, k, d);
        });
    for (std::size_t t = 0; t < draws.size(); ++t)
      draws[t].period = (2001 + t / 350) * 1000 + t % 350 + 1;
    const Audit audit = auditRecord(draws);
    const auto aimed =
        std::find_if(audit.tests.begin(), audit.tests.end(),
                     [](const AuditTest& test) { return test.name == GetParam().aimedTest; });
    caught += !audit.random() && aimed->pValueHolm < 0.05;
  }
  EXPECT_GE(caught, kRecords * 9 / 10);
}

int uniformDigit(std::mt19937_64& random) { return static_cast<int>(random() % 10); }

INSTANTIATE_TEST_SUITE_P(
    Faults, BiasedRecords,
    ::testing::Values(
        // 7 comes up at the second position 15 % of the time, the other digits share the rest.
        Bias{"one digit half again as often", "digits-2",
             [](std::mt19937_64& random, std::size_t, int k, const std::vector<Draw>&) {
               if (k != 1) return uniformDigit(random);
               if (random() % 100 < 15) return 7;
               const int other = static_cast<int>(random() % 9);
               return other < 7 ? other : other + 1;
             }},
        // The first digit repeats the draw before's with probability 0.05.
        Bias{"a digit repeating the draw before", "serial-1",
             [](std::mt19937_64& random, std::size_t index, int k, const std::vector<Draw>& draws) {
               if (k == 0 && index > 0 && random() % 100 < 5)
                 return int{draws[index - 1].digits[0]};
               return uniformDigit(random);
             }},
        // The third digit echoes the one two draws before with probability 0.05.
        Bias{"an echo two draws back", "lag2-3",
             [](std::mt19937_64& random, std::size_t index, int k, const std::vector<Draw>& draws) {
               if (k == 2 && index > 1 && random() % 100 < 5)
                 return int{draws[index - 2].digits[2]};
               return uniformDigit(random);
             }},
        // In the record's second half the draws drift upward: a digit is redrawn from 5...9 one
        // time in nine.
        Bias{"a record that drifts between its halves", "halves-sums",
             [](std::mt19937_64& random, std::size_t index, int, const std::vector<Draw>&) {
               if (index >= kRealLength / 2 && random() % 9 == 0)
                 return 5 + static_cast<int>(random() % 5);
               return uniformDigit(random);
             }}),
    testing::NamedRow{});

// The audit of the shipped record, every statistic and p-value against an independent
// computation with SciPy 1.10 (scipy.stats.chisquare, chi2_contingency without correction,
// chi2.sf, norm.sf; the wider battery by tools/audit_scipy.py) kept here as fixed values.
TEST(Audit, OfTheShippedRecordAgreesWithSciPy) {
  struct Expected {
    std::string_view name;
    double statistic;
    int df;  // -1 for a z
    double pValue;
  };
  constexpr Expected kSciPy[] = {
      {"digits-1", 7.674479166666666, 9, 0.5672541242042428},
      {"digits-2", 14.2578125, 9, 0.11344534830478127},
      {"digits-3", 12.044270833333334, 9, 0.2108250209224366},
      {"sums", 40.450102169182536, 27, 0.04647451663385963},
      {"serial-1", 80.58850833737526, 81, 0.49200315921661986},
      {"serial-2", 75.73136853477497, 81, 0.6445234719940446},
      {"serial-3", 81.47847978390114, 81, 0.4641823323327686},
      {"serial-class", 8.459777283878815, 9, 0.48855584352064174},
      {"gaps", 68.28799712224445, 65, 0.3662040729929424},
      {"runs-big-small", -0.04848671491129521, -1, 0.961328351954345},
      {"runs-odd-even", 1.519362202537935, -1, 0.12867135052516063},
      // tools/audit_scipy.py
      {"lag2-1", 90.9732495147301, 81, 0.21028453260281013},
      {"lag2-2", 71.62391791639791, 81, 0.7624590253748786},
      {"lag2-3", 90.66003224766618, 81, 0.21691926784208793},
      {"lag3-1", 68.12333990890919, 81, 0.8456027423725847},
      {"lag3-2", 81.28859002498538, 81, 0.4700912600059492},
      {"lag3-3", 79.91538434204577, 81, 0.513215029996375},
      {"within-12", 79.76719031917818, 81, 0.5178980679795444},
      {"within-13", 87.32067264745845, 81, 0.29586971376436466},
      {"within-23", 103.52713329562218, 81, 0.04652974642373535},
      {"triples", 1057.7604166666665, 999, 0.09603169114144093},
      {"halves-sums", 30.52146854248724, 25, 0.20535609840040947},
      {"years-digits", 164.92723283413008, 180, 0.7829901501081236},
  };
  std::ifstream in(QUORVEL_REAL_RECORD, std::ios::binary);
  const Audit audit = auditRecord(readRecord(in).draws);
  EXPECT_EQ(audit.draws, 7680u);
  ASSERT_EQ(audit.tests.size(), std::size(kSciPy));
  for (std::size_t i = 0; i < audit.tests.size(); ++i) {
    const AuditTest& test = audit.tests[i];
    EXPECT_EQ(test.name, kSciPy[i].name);
    EXPECT_NEAR(test.statistic, kSciPy[i].statistic, 1e-9 * std::fabs(kSciPy[i].statistic))
        << test.name;
    EXPECT_EQ(test.df.value_or(-1), kSciPy[i].df) << test.name;
    EXPECT_NEAR(test.pValue, kSciPy[i].pValue, 1e-9 * kSciPy[i].pValue) << test.name;
  }
  EXPECT_TRUE(audit.random());
}

// The distributions' tails, far out too, against SciPy's chi2.sf and norm.
TEST(Distributions, AgreeWithSciPy) {
  struct Tail {
    double x;
    int df;
    double p;
  };
  for (const Tail& t : {Tail{200.0, 9, 3.312992393909567e-38}, Tail{0.5, 81, 1.0},
                        Tail{110.0, 81, 0.017724709577581}, Tail{3.0, 1, 0.08326451666355042},
                        Tail{60.0, 27, 0.00026379313745038345}}) {
    EXPECT_NEAR(chiSquaredTail(t.x, t.df), t.p, 1e-9 * t.p) << t.x << " " << t.df;
  }
  EXPECT_NEAR(normalTwoSidedTail(5.0), 5.733031437583866e-07, 1e-9 * 5.733031437583866e-07);
  EXPECT_NEAR(normalQuantile(0.8), 0.8416212335729143, 1e-12);
  EXPECT_NEAR(normalQuantile(1 - 0.05 / 8), 2.497705474412374, 1e-12);
}

}  // namespace
}  // namespace quorvel::backtest
