#include "quorvel/report/record_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "quorvel/presentation/page_words.h"
#include "quorvel/report/record_section_words.h"
#include "quorvel/report/section_texts.h"

namespace quorvel::report {
namespace {

// The page binds its words by key from three lists: no key may be in two of them, and each
// language has every key with a text.
TEST(RecordWords, ThePagesWordListsShareNoKeyAndBothLanguagesHaveEach) {
  std::set<std::string> keys[2];
  int i = 0;
  for (const Language language : {Language::English, Language::Chinese}) {
    for (const WordList list :
         {presentation::pageWords(language), sectionWords(language), recordSectionWords(language)}) {
      for (const words::Word& word : list) {
        EXPECT_TRUE(keys[i].insert(std::string(word.key)).second) << word.key;
        EXPECT_FALSE(word.text.empty()) << word.key;
      }
    }
    ++i;
  }
  EXPECT_EQ(keys[0], keys[1]);
}

TEST(RecordStatus, SaysTheSizeTheLastPeriodAndEachGap) {
  backtest::Record record{{{2026001, {1, 2, 3}}, {2026002, {4, 5, 6}}, {2026009, {7, 8, 9}}}, {}};
  backtest::noteGaps(record.draws, record.notes);
  EXPECT_EQ(recordStatus(record, Language::English),
            "The record holds 3 draws; its last is period 2026009. It misses 6 draws between "
            "periods 2026002 and 2026009, which the forecast is never replayed across.");
  EXPECT_EQ(recordStatus(record, Language::Chinese),
            "记录共 3 期，最后一期是第 2026009 期。第 2026002 期和第 2026009 期之间缺 6 期，"
            "预测不会跨过缺期重演。");
}

// A disagreement names the period and both draws, and that nothing changed.
TEST(MergeStatus, NamesBothDrawsOfADisagreement) {
  backtest::Merged merged;
  merged.disagreements.push_back({{2026172, {4, 4, 5}}, {2026172, {4, 4, 6}}});
  merged.record.draws = {{2026172, {4, 4, 5}}};
  EXPECT_EQ(mergeStatus(merged, Language::Chinese),
            "第 2026172 期记录里是 4 4 5，新给的是 4 4 6。什么都没有改：哪个对？"
            "记录共 1 期，最后一期是第 2026172 期。");
  merged.disagreements.clear();
  merged.added = 1;
  merged.confirmed = 5;
  EXPECT_EQ(mergeStatus(merged, Language::English),
            "Added 1 draw; 5 already in the record agreed. The record holds 1 draw; its last is "
            "period 2026172.");
  // Nothing already there is not said as "0 agreed".
  merged.confirmed = 0;
  EXPECT_EQ(mergeStatus(merged, Language::Chinese),
            "加入了 1 期。记录共 1 期，最后一期是第 2026172 期。");
}

}  // namespace
}  // namespace quorvel::report
