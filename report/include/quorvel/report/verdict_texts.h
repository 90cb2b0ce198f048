#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "quorvel/backtest/backtest.h"
#include "quorvel/backtest/records_together.h"
#include "quorvel/game/game.h"
#include "quorvel/words/language.h"

// The backtest's verdict and its tables for a player, in English or in Chinese.
namespace quorvel::report {

using backtest::BacktestResult;
using words::Language;

// What the reader noted of the record, in sentences: that it ran newest first and was replayed
// oldest first, where it misses draws (the replay starts again after each gap), how many lines
// repeated a draw; "" when there is nothing to say.
std::string recordNote(const BacktestResult& result, Language language);

// How a claim stands, in a table's words: "no evidence", "shown", "无证据", "成立".
std::string_view standingWord(backtest::Standing standing, Language language);

// A game as a sentence in `language` names it: "Welfare Lottery 3D", "福彩3D".
std::string_view gameName(const game::Game& game, Language language);

// A claim of the family as a sentence names it: "the key range's hits", "「重点号码范围」的命中".
std::string claimName(const backtest::Claim& claim, Language language);

// The verdict on the family of claims: when one is shown, that the record's order is not what
// chance gives and in which claim it shows chiefly (its effect), never that a claim is proved on
// its own; which are borderline (more shuffles are still to come) or undecided (none will come);
// otherwise that the shuffles give no evidence for any; or that the record or the shuffles are
// too few to tell, or that no shuffles were run.
std::string verdictSentence(const BacktestResult& result, Language language);

// A record's own verdict when it is reported beside another's: "The Sports Lottery Pick 3's
// record alone: " and its verdict sentence.
std::string aloneSentence(const BacktestResult& result, Language language);

// The verdict on the claims tested on several records together (`results`, their own backtests):
// the records and their draws, then what the test shows, in the verdict's words.
std::string togetherSentence(const backtest::TogetherTest& test,
                             std::span<const BacktestResult* const> results, Language language);

// The family's claims as a table of texts, its heading first, then one row a claim: the claim,
// its own p, the p adjusted over the family, the adjusted p's Monte Carlo error, and how it
// stands. Empty without shuffles.
using ClaimRow = std::array<std::string, 5>;
std::vector<ClaimRow> claimsTable(const BacktestResult& result, Language language);
// The same for a family tested on `shuffles` shuffles, such as records tested together.
std::vector<ClaimRow> claimsTable(const backtest::FamilyTest& family, std::uint64_t shuffles,
                                  Language language);

// The outputs' tests as a table of texts, its heading row first, then one row an output: output,
// hit rate, chance, the shuffles' hit rate, excess hits, p, p adjusted over the family, the
// pattern's p, adjusted. Without shuffles the p columns hold "-".
using ReportRow = std::array<std::string, 9>;
std::vector<ReportRow> reportTable(const BacktestResult& result, Language language);

}  // namespace quorvel::report
