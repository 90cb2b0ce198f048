#pragma once

#include <string>
#include <string_view>

#include "quorvel/backtest/problem.h"
#include "quorvel/words/language.h"

// What is wrong with what a backtest was given, in the player's words.
namespace quorvel::report {

using words::Language;

// What is wrong, without its place: "d2 is not a digit 0-9", "d2 不是 0 到 9 的数字".
std::string problemText(const backtest::Problem& problem, Language language);

// The same after its place: `source` is the record's file name or the setting's name as the
// front end spells it, followed by the line and column of a placed problem. "draws.csv:3:5: d2 is
// not a digit 0-9", "draws.csv 第3行第5列：d2 不是 0 到 9 的数字", "--shuffles: ...".
std::string locatedText(std::string_view source, const backtest::Problem& problem,
                        Language language);

}  // namespace quorvel::report
