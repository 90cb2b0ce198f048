#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "quorvel/game/game.h"
#include "quorvel/words/language.h"

// The words of the page's section that runs the backtest, in the player's language.
namespace quorvel::report {

using words::Language;
using words::WordList;

// The section's fixed words, by the keys its elements name: its heading ("title"), what the test
// does ("about"), its buttons ("run", "choose", "shipped", "cancel", "audit", "save"), the record's
// format ("format"), what it says when a run is cancelled, fails or has no record ("cancelled",
// "failed", "unreadable"), the words before the command line ("reproduce"), the hint that a table
// scrolls ("scrollHint"), what a screen reader calls the chart and the tables ("chartTitle",
// "tableLabel", "moneyLabel", "auditLabel", "powerLabel", "claimsLabel"), the disclosures that
// hold the evidence ("evidence", "auditDetails"), what it says to a file chosen while a test runs
// ("busy"), and the banner that tells a player in WeChat's browser to open the page in the
// system's ("openInBrowser", "dismiss").
WordList sectionWords(Language language);

// "记录：draws.csv　打乱 1000 次，种子 1": the record, shuffles and seed of the next run.
std::string recordLine(std::string_view name, std::uint64_t shuffles, std::uint64_t seed,
                       Language language);

// "已打乱 120 / 1000 次": how far a run is; once it replays more than the `asked` shuffles, that a
// claim is borderline so far, which the shuffles to come will settle.
std::string progressLine(std::uint64_t done, std::uint64_t total, std::uint64_t asked,
                         Language language);

// "（用时 1.2 秒）": how long a run of `milliseconds` took, to a tenth of a second.
std::string tookText(double milliseconds, Language language);

// `word` as a POSIX shell reads it back unchanged: as it is when it holds nothing a shell would
// read otherwise, else in single quotes ("my record;x.csv" gives 'my record;x.csv'); a word that
// begins with "-" gets "./" before it, so that it names a file and no option.
std::string shellQuoted(std::string_view word);

// The command line that gives the same report in a POSIX shell: "quorvel-backtest draws.csv
// --json --seed 1 --shuffles 1000", the record's name quoted as shellQuoted does, and the game
// named when it is not the one the program starts with ("--game pl3").
std::string commandLine(std::string_view record, std::uint64_t shuffles, std::uint64_t seed,
                        const game::Game& game = *game::kGames.front());

}  // namespace quorvel::report
