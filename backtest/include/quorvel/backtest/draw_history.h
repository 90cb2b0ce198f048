#pragma once

#include <cstdint>
#include <istream>
#include <random>
#include <vector>

#include "quorvel/backtest/problem.h"

namespace quorvel::backtest {

struct Draw {
  std::uint64_t period;
  int digits[3];
  int sum() const { return digits[0] + digits[1] + digits[2]; }
};

// The year a period begins with, for periods of seven or eight digits that start with one from
// 1900 to 2999 (2004001, 20040001): 2004; 0 for any other period.
int periodYear(std::uint64_t period);

// The fewest draws of a calendar year that make it a whole year of a record: a record that begins
// or ends in a year holds only a part of it.
inline constexpr std::uint64_t kWholeYearDraws = 300;

// The longest line the reader takes, in bytes without its line end, and the largest record:
// a record of every draw since 1900 is under 2 MB. A longer line or larger record is refused as
// soon as it passes the limit, so that a stream without line ends cannot fill the memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
inline constexpr std::uint64_t kMaxRecordBytes = std::uint64_t{64} << 20;

// The way a record runs: oldest draw first, or newest first as many players keep theirs.
enum class RecordOrder : std::uint8_t { OldestFirst, NewestFirst };

// Reads a record of draws and gives them oldest first. A line is "period,d1,d2,d3" or
// "period,number" (the three digits together, "358" or "3 5 8"), either with the sum after it;
// fields are split at tabs where a line has them, else at commas. A header line may come first,
// its first field naming the period ("period", "期号", "期数", "期次", "开奖期号", "issue",
// "draw"); blank lines are skipped; UTF-8 with or without a byte order mark, LF or CRLF. Periods
// must all increase or all decrease (a record newest first, which `order` then reports), digits
// lie in 0...9 and a sum must agree with its digits. Throws BacktestError at the first fault: at
// 1:1 for a text that looks like UTF-16, at the first byte that is not UTF-8 text for anything
// else that is not text, as soon as a line passes kMaxLineBytes, and at no place as soon as the
// record passes kMaxRecordBytes.
std::vector<Draw> readHistory(std::istream& in, RecordOrder* order = nullptr);

// Uniform simulated draws, made one at a time, periods 1, 2, 3... The generator is
// std::mt19937_64 seeded with `seed`; each digit is one 64-bit output taken modulo 10, drawn
// again when it falls in the incomplete last block of ten, so every machine gives the same draws
// for a seed.
class SimulatedDraws {
 public:
  explicit SimulatedDraws(std::uint64_t seed) : generator_(seed) {}
  Draw next();

 private:
  std::mt19937_64 generator_;
  std::uint64_t period_ = 0;
};

// The first `count` draws of SimulatedDraws(seed), kept in memory.
std::vector<Draw> simulateHistory(std::size_t count, std::uint64_t seed);

}  // namespace quorvel::backtest
