#include "quorvel/report/section_texts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "row_name.h"

namespace quorvel::report {
namespace {

struct TookRow {
  std::string name;
  double milliseconds;
  Language language;
  std::string text;
};

std::string describe(const TookRow& row) { return row.name; }

class TookText : public ::testing::TestWithParam<TookRow> {};

// The page hands over the milliseconds it measured; the player reads tenths of a second.
TEST_P(TookText, ShowsTenthsOfASecond) {
  EXPECT_EQ(tookText(GetParam().milliseconds, GetParam().language), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, TookText,
    ::testing::Values(TookRow{"under a tenth", 40, Language::Chinese, "（用时 0.0 秒）"},
                      TookRow{"up to the next tenth", 1260, Language::Chinese, "（用时 1.3 秒）"},
                      TookRow{"a minute and more", 61234, Language::English, " (61.2 s)"}),
    testing::NamedRow{});

// What a POSIX shell makes of `word` on a command line, by asking one.
std::string asTheShellReadsIt(const std::string& word) {
  FILE* shell = popen(("printf '%s|' " + word).c_str(), "r");
  std::string out;
  for (int c; (c = std::fgetc(shell)) != EOF;) out += static_cast<char>(c);
  pclose(shell);
  return out;
}

// A file name pasted into the command line the page prints comes back to the program as it was,
// and runs nothing: the shell itself reads every quoted name, random ones with every character a
// shell treats specially.
TEST(CommandLine, AShellReadsTheRecordsNameBackUnchanged) {
  std::mt19937_64 random(17);
  const std::string alphabet = "ab c;&|<>$`\\\"'()*?[]{}!#~=%\n\t-_.中文";
  for (int trial = 0; trial < 200; ++trial) {
    std::string name;
    for (std::size_t k = 0; k < 1 + random() % 12; ++k)
      name += alphabet[random() % alphabet.size()];
    if (name.find('\0') != std::string::npos) continue;
    const std::string quoted = shellQuoted(name);
    const std::string expected = (name.starts_with('-') ? "./" : "") + name + "|";
    EXPECT_EQ(asTheShellReadsIt(quoted), expected) << quoted;
  }
  EXPECT_EQ(shellQuoted("draws-2004-2026.csv"), "draws-2004-2026.csv");
  EXPECT_EQ(commandLine("my record;touch x.csv", 1000, 7),
            "quorvel-backtest 'my record;touch x.csv' --json --seed 7 --shuffles 1000");
  EXPECT_EQ(commandLine("pl3.csv", 1000, 7, game::kSportsPick3),
            "quorvel-backtest pl3.csv --game pl3 --json --seed 7 --shuffles 1000");
}

// "Borderline" is said only while more shuffles than were asked for are still being replayed.
TEST(ProgressLine, SaysBorderlineOnlyWhileMoreShufflesThanAskedAreReplayed) {
  EXPECT_EQ(progressLine(120, 1000, 1000, Language::Chinese), "已打乱 120 / 1000 次");
  EXPECT_EQ(progressLine(1200, 2000, 1000, Language::Chinese),
            "已打乱 1200 / 2000 次（有一项说法目前处在边缘，正在多打乱一些）");
  EXPECT_EQ(progressLine(1000, 1000, 1000, Language::English), "1000 of 1000 shuffles replayed");
  EXPECT_NE(progressLine(1500, 2000, 1000, Language::English).find("borderline so far"),
            std::string::npos);
}

}  // namespace
}  // namespace quorvel::report
