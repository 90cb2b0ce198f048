#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quorvel/presentation/language.h"

// The words of the page's section that runs the backtest, in the player's language.
namespace quorvel::backtest {

using presentation::Language;

struct SectionTexts {
  std::string_view title;       // the section's heading
  std::string_view about;       // what the test does, in plain words
  std::string_view run;         // the button that starts it on the chosen record
  std::string_view choose;      // the button that picks the player's own record
  std::string_view shipped;     // the button back to the shipped record
  std::string_view format;      // the record's format
  std::string_view cancel;      // the button that stops a run
  std::string_view cancelled;   // said when a run was stopped
  std::string_view failed;      // said when a run broke off
  std::string_view unreadable;  // said when the record to test could not be loaded or read
  std::string_view save;        // the link that saves the report
  std::string_view reproduce;   // before the command line that gives the same report
  std::string_view chartTitle;  // what the chart shows, for a screen reader
  std::string_view tableLabel;  // what the table is, for a screen reader
  std::string_view scrollHint;  // said when the table is wider than the screen
  std::string_view moneyLabel;  // what the money table is, for a screen reader
  std::string_view audit;       // the button that tests the record itself for randomness
  std::string_view auditLabel;  // what the audit's table is, for a screen reader
  std::string_view powerLabel;  // what the power table is, for a screen reader
};
const SectionTexts& sectionTexts(Language language);

// "记录：draws.csv　打乱 1000 次，种子 1": the record, shuffles and seed of the next run.
std::string recordLine(std::string_view name, std::uint64_t shuffles, std::uint64_t seed,
                       Language language);

// "已打乱 120 / 1000 次": how far a run is.
std::string progressLine(std::uint64_t done, std::uint64_t total, Language language);

// "（用时 1.2 秒）": how long a run of `milliseconds` took, to a tenth of a second.
std::string tookText(double milliseconds, Language language);

// The command line that gives the same report: "quorvel-backtest draws.csv --json --seed 1
// --shuffles 1000".
std::string commandLine(std::string_view record, std::uint64_t shuffles, std::uint64_t seed);

}  // namespace quorvel::backtest
