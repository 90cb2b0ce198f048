#include "quorvel/report/problem_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quorvel::report {
namespace {

using backtest::Fault;
using backtest::Problem;

constexpr Fault kLastFault = Fault::Repeated;

// Every fault is worded in both languages, each fault its own words: a fault that fell through to
// another's wording (a case left out of the catalogue) or a text pasted twice shows as a repeat.
TEST(ProblemText, EachFaultHasItsOwnWordsInEachLanguage) {
  for (const Language language : {Language::English, Language::Chinese}) {
    std::set<std::string> seen, names;
    for (int f = 0; f <= static_cast<int>(kLastFault); ++f) {
      const Problem problem{static_cast<Fault>(f), 3, 5, 2, 1, "x"};
      const std::string text = problemText(problem, language);
      EXPECT_FALSE(text.empty()) << "fault " << f;
      // Its name in a developer's log is its own too.
      EXPECT_TRUE(names.insert(std::string(backtest::faultName(problem.fault))).second)
          << "fault " << f << " is named as another: " << backtest::faultName(problem.fault);
      EXPECT_TRUE(seen.insert(text).second) << "fault " << f << " says what another says: " << text;
      // Each language has its own sentence (English may still quote a Chinese column name).
      if (language == Language::Chinese) {
        EXPECT_NE(text, problemText(problem, Language::English)) << "fault " << f;
      }
    }
  }
}

// A placed fault names its file, line and column the way each front end's reader expects; a
// whole record's fault names the file alone.
TEST(ProblemText, APlacedFaultLeadsWithItsPlace) {
  const Problem digit{Fault::NotADigit, 3, 5, 2, 0, ""};
  EXPECT_EQ(locatedText("draws.csv", digit, Language::English),
            "draws.csv:3:5: " + problemText(digit, Language::English));
  EXPECT_TRUE(
      locatedText("draws.csv", digit, Language::Chinese).starts_with("draws.csv 第3行第5列"));
  const Problem few{Fault::TooFewDraws, 0, 0, 2, 0, ""};
  EXPECT_EQ(locatedText("draws.csv", few, Language::English),
            "draws.csv: " + problemText(few, Language::English));
}

// Sizes are said in megabytes, rounded, never as a count of bytes.
TEST(ProblemText, SizesAreSaidInMegabytes) {
  for (const Fault fault : {Fault::RecordTooLarge, Fault::TooLargeForDevice}) {
    for (const Language language : {Language::English, Language::Chinese}) {
      const std::string text = problemText({fault, 0, 0, std::uint64_t{64} << 20, 0, ""}, language);
      EXPECT_NE(text.find("64 MB"), std::string::npos) << text;
      EXPECT_EQ(text.find("67108864"), std::string::npos) << text;
    }
  }
}

}  // namespace
}  // namespace quorvel::report
