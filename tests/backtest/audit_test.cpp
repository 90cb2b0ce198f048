#include "quorvel/backtest/audit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>

#include "quorvel/backtest/statistics.h"
#include "row_name.h"

namespace quorvel::backtest {
namespace {

// A record of `count` draws from a generator of the test's own, made unfair on purpose.
template <class Digit>
std::vector<Draw> drawn(std::size_t count, Digit&& digit) {
  std::vector<Draw> draws(count);
  for (std::size_t t = 0; t < count; ++t) {
    draws[t].period = t + 1;
    for (int k = 0; k < 3; ++k) draws[t].digits[k] = digit(t, k, draws);
  }
  return draws;
}

// Each test's share of uniform records it rejects at 5 %, which is its size.
TEST(Audit, EachTestRejectsAboutOneUniformRecordInTwenty) {
  constexpr int kRecords = 2000;
  std::array<int, kAuditTests.size()> rejected{};
  for (int record = 0; record < kRecords; ++record) {
    const Audit audit =
        auditRecord(simulateHistory(2000, 1000 + static_cast<std::uint64_t>(record)));
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
    const Audit audit =
        auditRecord(drawn(7680, [&](std::size_t t, int k, const std::vector<Draw>& d) {
          return GetParam().digit(random, t, k, d);
        }));
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
               if (k == 0 && index > 0 && random() % 100 < 5) return draws[index - 1].digits[0];
               return uniformDigit(random);
             }}),
    testing::NamedRow{});

// The audit of the shipped record, every statistic and p-value against an independent
// computation with SciPy 1.10 (scipy.stats.chisquare, chi2_contingency without correction,
// chi2.sf, norm.sf) kept here as fixed values.
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
  };
  std::ifstream in(QUORVEL_REAL_RECORD, std::ios::binary);
  const Audit audit = auditRecord(readHistory(in));
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
