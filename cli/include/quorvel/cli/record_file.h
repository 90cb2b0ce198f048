#pragma once

#include <string>

#include "quorvel/backtest/record_reader.h"
#include "quorvel/game/game.h"
#include "quorvel/words/language.h"

namespace quorvel::cli {

// How a message names a record: its path, or "standard input" for "-".
std::string recordName(const std::string& path);

// The record of draws at `path`, or on standard input for "-". Throws std::system_error when it
// cannot be read (no such file, a folder, a closed standard input), and backtest::BacktestError
// at a fault in it.
backtest::Record readRecordFile(const std::string& path);

// Where the game's record as Quorvel ships it lies: in the data folder beside the program's own
// folder, where it is installed and where the build puts it.
std::string shippedRecordPath(const game::Game& game);

// The reports' language, as the locale asks: the first of LC_ALL, LC_MESSAGES and LANG that is
// set. The programs' own usage and messages stay English.
words::Language localeLanguage();

}  // namespace quorvel::cli
