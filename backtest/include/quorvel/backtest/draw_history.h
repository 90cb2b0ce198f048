#pragma once

#include <cstdint>
#include <istream>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "quorvel/backtest/problem.h"

namespace quorvel::backtest {

// A draw: its period and its three digits. Small, since a record may hold millions.
struct Draw {
  std::uint64_t period;
  std::uint8_t digits[3];
  int sum() const { return digits[0] + digits[1] + digits[2]; }
  bool sameDigits(const Draw& other) const {
    return digits[0] == other.digits[0] && digits[1] == other.digits[1] &&
           digits[2] == other.digits[2];
  }
};

// The year a period begins with, for periods of seven or eight digits that start with one from
// 1900 to 2999 (2004001, 20040001): 2004; 0 for any other period.
int periodYear(std::uint64_t period);

// The most draws a year holds: a draw a day. A period whose number within its year passes it is
// no period of a daily game.
inline constexpr std::uint64_t kMostDrawsAYear = 366;

// A period written yyNNN (26224) as the reader keeps it, yyyyNNN (2026224).
std::uint64_t fromShortYear(std::uint64_t period);

// The period after `last` when the device's calendar says `year`: the first of `year` (2027001)
// when `last` is a period of an earlier year, written yyyyNNN or yyyyNNNN, else last + 1.
std::uint64_t nextPeriod(std::uint64_t last, int year);

// The fewest draws of a calendar year that make it a whole year of a record: a record that begins
// or ends in a year holds only a part of it.
inline constexpr std::uint64_t kWholeYearDraws = 300;

// The longest line the reader takes, in bytes without its line end, and the largest record:
// a record of every draw since 1900 is under 2 MB. A longer line or larger record is refused as
// soon as it passes the limit, so that a stream without line ends cannot fill the memory.
inline constexpr std::size_t kMaxLineBytes = std::size_t{1} << 20;
inline constexpr std::uint64_t kMaxRecordBytes = std::uint64_t{64} << 20;
// The largest record a device with 2 GB of memory or less (most phones) tests in the page: a test
// there takes about 100 bytes of memory a draw at its peak (the record read, its digits and the
// shuffles' copies), so two million draws, about 31 MB, take some 200 MB, which such a device
// spares a page; twice that it may not.
inline constexpr std::uint64_t kSmallDeviceRecordBytes = std::uint64_t{32} << 20;
inline constexpr double kSmallDeviceGigabytes = 2;

// The way a record runs: oldest draw first, or newest first as many players keep theirs.
enum class RecordOrder : std::uint8_t { OldestFirst, NewestFirst };

// Where a record skips draws within a year (periods as yyyyNNN): the last period before the gap,
// the first after it, and how many are missing between them.
struct Gap {
  std::uint64_t after = 0, before = 0, missing = 0;
  bool operator==(const Gap&) const = default;
};

// What a reader noted of a record beside its draws, which the replay and the reports use.
struct RecordNotes {
  RecordOrder order = RecordOrder::OldestFirst;
  std::vector<Gap> gaps;
  std::vector<std::size_t> restarts;  // the draws that follow a gap, by their place oldest first
  std::uint64_t repeated = 0;         // lines that repeat a draw already read, read once
  // Whether the record gives its draws' periods. A record of draws alone, one a line, is kept in
  // its order with periods 1, 2, 3 ...: no gap of it can be known.
  bool periods = true;
  // Whether its periods were written yyNNN (26224): they are kept as yyyyNNN (2026224), so that
  // gaps and years are found, and written back as they were.
  bool shortPeriods = false;
  std::string header;  // the header line, as written; "" for none
};

// A period of a record as the record wrote it.
std::uint64_t writtenPeriod(std::uint64_t period, const RecordNotes& notes);

struct Record {
  std::vector<Draw> draws;  // oldest first
  RecordNotes notes;
};

// Notes the gaps of `draws` (oldest first) within a year, and the places the replay restarts.
void noteGaps(std::span<const Draw> draws, RecordNotes& notes);

// Reads a record of draws as players keep theirs and gives them oldest first. Each column's role
// is found from what it holds, not from its name: the period (a whole number, first on the line
// when it is one, else the first of five, seven or eight digits: yyNNN, yyyyNNN, yyyyNNNN, or
// 第…期), dates and times (skipped, in any common form, with a weekday or a time), the draw (three
// single digits in a row, or one field of three digits together: "358", "3 5 8", "3,5,8" quoted,
// a list ['3', '5', '8']) and its sum; any other column (sales, prize counts, a machine's number)
// is left out. A first line that holds no draw and some words is a header: its names, where they
// are known, settle what the content leaves open, and a trial number (试机号) is never the draw.
// Where two columns could each be the draw, or a small number after it is not its sum, nothing is
// guessed: the line is refused, naming the columns. A line of a draw alone (no period) makes a
// record without periods, kept in its order. Fields are split at the line's tabs, else its commas
// (outside quotes and brackets), else its runs of spaces; full-width punctuation and digits and
// every Unicode space count as their ASCII kin. Blank lines are skipped; UTF-8 with or without a
// byte order mark; LF, CRLF or CR line ends.
//
// Periods run one way, up or down (a record newest first, which `order` reports); a line that
// repeats a draw already read is read once, and one that gives another draw for a period already
// read is refused, with both lines named. A period whose number within its year passes
// kMostDrawsAYear, or whose year is after this one (in Beijing time), is refused. Within a year a
// gap is noted, and the replay starts again after it. A draw of two digits ("35") is refused as a
// number that lost its leading zero ("035?"). Throws BacktestError at the first fault: at 1:1
// for a text that looks like UTF-16, at the first byte that is not UTF-8 text for anything else
// that is not text, as soon as a line passes kMaxLineBytes, and at no place as soon as the record
// passes kMaxRecordBytes. `size`, the input's size in bytes when the caller knows it, lets the
// reader hold the draws in one block from the start instead of growing it: the block is reserved
// for the most draws that many bytes could hold, and only the part the draws fill is touched.
Record readRecord(std::istream& in, std::uint64_t size = 0);

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
