#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "quorvel/backtest/record.h"

// The record's own test of randomness: whether its draws look like independent, fair draws of
// three digits. A battery of tests over the whole record, each with its statistic, degrees of
// freedom and p-value, and Holm's adjustment over all of them.
namespace quorvel::backtest {

struct AuditTest {
  std::string_view name;  // stable: see kAuditTests
  double statistic = 0;   // a chi-squared, or a runs test's z
  std::optional<int> df;  // a chi-squared's degrees of freedom; none for a z
  double pValue = 1, pValueHolm = 1;
};

// The tests, in the order an audit gives them:
//  digits-1...3   each position's digits against uniform (chi-squared, 9 df);
//  sums           the sums against the law of ways(s)/1000, tails pooled until every expected
//                 count is 5 or more;
//  serial-1...3   each position's digit against the next draw's at the same position (a 10 x 10
//                 table of consecutive pairs, chi-squared of independence, 81 df);
//  serial-class   a sum's class (big or small, odd or even) against the next draw's (4 x 4, 9 df);
//  gaps           the gaps between successive appearances of each digit at each position, pooled,
//                 against the geometric law of a one-in-ten event, the tail pooled as the sums';
//  runs-big-small, runs-odd-even   the Wald-Wolfowitz runs test of the sums' classes (a
//                 two-sided normal z);
//  lag2-1...3, lag3-1...3   as serial-1...3, against the draw two and three later (the forecast
//                 reads three draws back);
//  within-12, within-13, within-23   two positions of the same draw against each other (10 x 10,
//                 81 df);
//  triples        the 1000 ordered triples of digits against uniform (999 df), pooled as the sums;
//  halves-sums    the sums of the record's first half (its first floor(n/2) draws) against the
//                 rest: a 2 x k chi-squared of homogeneity, the sums pooled from each tail inward
//                 until every class expects 5 or more draws in a half under the exact law;
//  years-digits   the calendar years with at least kWholeYearDraws draws against the 10 digits of
//                 all three positions, a chi-squared of homogeneity; none with fewer than two
//                 years.
inline constexpr std::array<std::string_view, 23> kAuditTests = {
    "digits-1",  "digits-2",     "digits-3", "sums",           "serial-1",      "serial-2",
    "serial-3",  "serial-class", "gaps",     "runs-big-small", "runs-odd-even", "lag2-1",
    "lag2-2",    "lag2-3",       "lag3-1",   "lag3-2",         "lag3-3",        "within-12",
    "within-13", "within-23",    "triples",  "halves-sums",    "years-digits"};

// Fewer draws than this, and the audit cannot tell: its tables of pairs expect fewer than 5 draws a
// cell, and even a gross bias could go unseen.
inline constexpr std::uint64_t kAuditMinimumDraws = 500;

struct Audit {
  std::uint64_t draws = 0;
  std::vector<AuditTest> tests;
  // Whether the draws look like independent fair draws: no test rejects at the 5 % level after
  // Holm's adjustment.
  bool random() const;
  // Whether there are enough draws for the audit to tell (kAuditMinimumDraws).
  bool canTell() const { return draws >= kAuditMinimumDraws; }
};

// The audit, made as the draws stream by, in memory that does not grow with their number.
class RecordAudit {
 public:
  // `draws`: how many draws will come, which splits the record into its halves.
  explicit RecordAudit(std::uint64_t draws);
  ~RecordAudit();
  RecordAudit(RecordAudit&&) noexcept;
  RecordAudit& operator=(RecordAudit&&) noexcept;

  void add(const Draw& draw);
  Audit finish() const;

 private:
  struct Counts;  // what the tests count, draw by draw
  std::unique_ptr<Counts> counts_;
};

// The audit of a record held in memory.
Audit auditRecord(std::span<const Draw> draws);

}  // namespace quorvel::backtest
