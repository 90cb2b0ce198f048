#include "quorvel/report/verdict_texts.h"

#include "common_words.h"
#include "listed_names.h"
#include "quorvel/backtest/effects.h"
#include "quorvel/backtest/power.h"
#include "quorvel/backtest/statistics.h"
#include "quorvel/game/game.h"
#include "quorvel/words/number_text.h"
#include "quorvel/words/output_names.h"

namespace quorvel::report {
namespace {

using backtest::Claim;
using backtest::ClaimTest;
using backtest::OutputTest;
using backtest::Standing;
using words::percentText;

struct VerdictWords {
  std::string_view untested;  // no permutation test was run
  // The record and its shuffles are too few to catch even an edge of `edge` points.
  std::string (*tooFew)(std::uint64_t draws, std::uint64_t shuffles, const std::string& edge);
  // How the claims were tested: `claims` of them, among them the disclaimer's `pattern`.
  std::string (*against)(std::uint64_t shuffles, const std::string& claims,
                         const std::string& pattern);
  // No claim is shown, borderline or undecided.
  std::string (*nothing)(const std::string& level);
  // Some claim is shown: the record's order is not chance's, and it shows chiefly in `chief`
  // (with its effect), also in `others` ("" for none).
  std::string (*shown)(const std::string& chief, const std::string& others,
                       const std::string& level);
  std::string (*noneShown)(const std::string& level);  // but some are borderline or undecided
  // Several records tested together: each one's draws, and how.
  std::string (*recordDraws)(std::string_view game, std::uint64_t draws);
  std::string (*alone)(std::string_view game);  // before a record's own verdict beside others
  std::string (*together)(const std::string& records, std::uint64_t shuffles,
                          const std::string& claims);
  // Some claim is shown on the records together.
  std::string (*togetherShown)(const std::string& chief, const std::string& others,
                               const std::string& level);
  std::string (*borderline)(const std::string& claims);  // more shuffles are still to come
  // No more shuffles come, and these claims are still on the line.
  std::string (*undecided)(const std::string& claims, std::uint64_t shuffles,
                           const std::string& level);
  // A claim's effect: a rate, its 95 % interval and the shuffles' rate; or the claimed runs
  // counted beside the shuffles' mean count.
  std::string (*rateEffect)(bool money, const std::string& rate, const std::string& low,
                            const std::string& high, const std::string& shuffled);
  std::string (*runsEffect)(std::int64_t runs, const std::string& shuffled);
  // A claim's name: its output's (a list's or a call's) and its kind's.
  std::string (*claim)(std::string_view output, bool list, std::size_t kind);
  std::string (*pattern)(std::pair<int, int> hits, std::pair<int, int> misses);
  std::string (*borderlineClaim)(const std::string& claim, const std::string& p,
                                 const std::string& error);
  // By Standing: no evidence, borderline, undecided, shown.
  std::array<std::string_view, 4> standings;
  std::string_view newestFirst;  // the record ran newest first
  std::string_view noPeriods;    // the record gave no periods
  // Where the record misses draws, each "N between period A and B", and how many lines repeated.
  std::string (*gap)(const backtest::Gap& gap);
  std::string (*gaps)(const std::string& listed);
  std::string (*repeated)(std::uint64_t lines);
  ClaimRow claimsHeading;
  ReportRow heading;
};

std::string range(std::pair<int, int> from) {
  return std::to_string(from.first) + "-" + std::to_string(from.second);
}

const VerdictWords kEnglish{
    "No permutation test was run (--shuffles 0), so this report cannot say whether any output "
    "beats chance.",
    [](std::uint64_t draws, std::uint64_t shuffles, const std::string& edge) {
      return "These " + std::to_string(draws) + " draws and " + std::to_string(shuffles) +
             (shuffles == 1 ? " shuffle" : " shuffles") +
             " are too few to tell whether the forecast beats chance: even an edge of " + edge +
             " points would likely go unseen.";
    },
    [](std::uint64_t shuffles, const std::string& claims, const std::string& pattern) {
      return "Against " + std::to_string(shuffles) + " shuffles of this record, with the " +
             claims + " claims of the forecast adjusted together (each output's hits and its " +
             pattern + ", each list's money): ";
    },
    [](const std::string& level) {
      return "no evidence at the " + level +
             " level that any output hits more often than chance, that the claimed runs come "
             "more often than in a shuffled record, or that betting any list returns more than "
             "chance.";
    },
    [](const std::string& chief, const std::string& others, const std::string& level) {
      return "at the " + level +
             " level this record's order is not what chance gives, and it shows chiefly in " +
             chief + (others.empty() ? "" : "; also in " + others) +
             ". That is what shuffling tests: it does not show that any one of these claims holds "
             "on its own.";
    },
    [](const std::string& level) { return "none is shown at the " + level + " level."; },
    [](std::string_view game, std::uint64_t draws) {
      return "the " + std::string(game) + "'s " +
             words::groupedNumber(static_cast<std::int64_t>(draws)) + " draws";
    },
    [](std::string_view game) { return "The " + std::string(game) + "'s record alone: "; },
    [](const std::string& records, std::uint64_t shuffles, const std::string& claims) {
      return "Both records together (" + records + "), each shuffled " + std::to_string(shuffles) +
             " times within itself, with the " + claims +
             " claims of the forecast adjusted together: ";
    },
    [](const std::string& chief, const std::string& others, const std::string& level) {
      return "at the " + level +
             " level these records' orders, taken together, are not what chance gives, and it "
             "shows chiefly in " +
             chief + (others.empty() ? "" : "; also in " + others) +
             ". That is what shuffling tests: it does not show that any one of these claims holds "
             "on its own.";
    },
    [](const std::string& claims) {
      return " Borderline so far, with more shuffles to come: " + claims + ".";
    },
    [](const std::string& claims, std::uint64_t shuffles, const std::string& level) {
      return " Undecided after " + std::to_string(shuffles) +
             " shuffles, the most this run adds (the adjusted p is within Monte Carlo error of " +
             level + "): " + claims + ".";
    },
    [](bool money, const std::string& rate, const std::string& low, const std::string& high,
       const std::string& shuffled) {
      return std::string(money ? " (return rate " : " (hit rate ") + rate + ", 95% interval " +
             low + "-" + high + ", against the shuffles' " + shuffled + ")";
    },
    [](std::int64_t runs, const std::string& shuffled) {
      return " (" + std::to_string(runs) + " such runs, against " + shuffled +
             " in a shuffle on average)";
    },
    [](std::string_view output, bool list, std::size_t kind) {
      constexpr std::array<std::string_view, 3> kKinds = {"hits", "runs", "money"};
      return std::string(list ? "the " : "") + std::string(output) +
             (output.ends_with('s') ? "' " : "'s ") + std::string(kKinds[kind]);
    },
    [](std::pair<int, int> hits, std::pair<int, int> misses) {
      return "runs of " + range(hits) + " right then " + range(misses) + " wrong";
    },
    [](const std::string& claim, const std::string& p, const std::string& error) {
      return claim + " (p = " + p + " ± " + error + ")";
    },
    {"no evidence", "borderline", "undecided", "shown"},
    "The record runs newest first; it was replayed oldest first.",
    "The record gives no periods: its draws were replayed in the order they stand, and no gap in "
    "it can be known.",
    [](const backtest::Gap& gap) {
      return std::to_string(gap.missing) + " between period " + std::to_string(gap.after) +
             " and " + std::to_string(gap.before);
    },
    [](const std::string& listed) {
      return "The record misses draws: " + listed + "; the replay starts again after each gap.";
    },
    [](std::uint64_t lines) {
      return std::to_string(lines) + (lines == 1 ? " line repeats" : " lines repeat") +
             " a draw already read, read once.";
    },
    {"claim", "p", "p adjusted", "±", "stands"},
    {"output", "hit rate", "chance", "shuffles' rate", "excess hits", "p", "p adjusted",
     "pattern's p", "adjusted"}};

const VerdictWords kChinese{
    "没有做置换检验（打乱 0 次），所以说不出哪一项胜过运气。",
    [](std::uint64_t draws, std::uint64_t shuffles, const std::string& edge) {
      return "这 " + std::to_string(draws) + " 期开奖、打乱 " + std::to_string(shuffles) +
             " 次太少，看不出这个预测是否胜过运气：就算它有 " + edge +
             " 个百分点的优势，也多半看不出来。";
    },
    [](std::uint64_t shuffles, const std::string& claims, const std::string& pattern) {
      return "把这份记录打乱 " + std::to_string(shuffles) + " 次作对照，把预测的 " + claims +
             " 项说法（各输出的命中和所说的“" + pattern + "”、各号码范围的返还）放在一起校正后：";
    },
    [](const std::string& level) {
      return "在 " + level +
             " 水平上，没有证据表明哪项输出的命中比运气多、所说的规律比打乱的记录里常见，"
             "或按哪个号码范围下注的返还比运气多。";
    },
    [](const std::string& chief, const std::string& others, const std::string& level) {
      return "在 " + level + " 水平上，这份记录的先后顺序不像运气给出的，主要表现在" + chief +
             (others.empty() ? "" : "；也见于" + others) +
             "。打乱检验说明的只是顺序不像随机，并不说明其中哪一项说法单独成立。";
    },
    [](const std::string& level) { return "没有一项在 " + level + " 水平上成立。"; },
    [](std::string_view game, std::uint64_t draws) {
      return std::string(game) + "的 " + words::groupedNumber(static_cast<std::int64_t>(draws)) +
             " 期";
    },
    [](std::string_view game) { return std::string(game) + "的记录单独看："; },
    [](const std::string& records, std::uint64_t shuffles, const std::string& claims) {
      return "两份记录放在一起（" + records + "），各自在自己之内打乱 " + std::to_string(shuffles) +
             " 次作对照，把预测的 " + claims + " 项说法放在一起校正后：";
    },
    [](const std::string& chief, const std::string& others, const std::string& level) {
      return "在 " + level + " 水平上，这两份记录合起来看，先后顺序不像运气给出的，主要表现在" +
             chief + (others.empty() ? "" : "；也见于" + others) +
             "。打乱检验说明的只是顺序不像随机，并不说明其中哪一项说法单独成立。";
    },
    [](const std::string& claims) { return "目前处在边缘、还要再打乱的有" + claims + "。"; },
    [](const std::string& claims, std::uint64_t shuffles, const std::string& level) {
      return "打乱 " + std::to_string(shuffles) + " 次（本次最多打乱这么多次）后仍未定的有" +
             claims + "：校正后的 p 与 " + level + " 相差不出蒙特卡洛误差。";
    },
    [](bool money, const std::string& rate, const std::string& low, const std::string& high,
       const std::string& shuffled) {
      return std::string(money ? "（返还率 " : "（命中率 ") + rate + "，95% 区间 " + low + "-" +
             high + "，打乱后 " + shuffled + "）";
    },
    [](std::int64_t runs, const std::string& shuffled) {
      return "（这样的连串有 " + std::to_string(runs) + " 次，打乱后平均 " + shuffled + " 次）";
    },
    [](std::string_view output, bool, std::size_t kind) {
      constexpr std::array<std::string_view, 3> kKinds = {"命中", "规律", "返还"};
      return "「" + std::string(output) + "」的" + std::string(kKinds[kind]);
    },
    [](std::pair<int, int> hits, std::pair<int, int> misses) {
      return "连准" + range(hits) + "期后错" + range(misses) + "期";
    },
    [](const std::string& claim, const std::string& p, const std::string& error) {
      return claim + "（p = " + p + " ± " + error + "）";
    },
    {"无证据", "边缘", "未定", "成立"},
    "这份记录最新一期在前，已按时间先后重演。",
    "这份记录没有期号：按各行的先后重演，缺了哪几期也无从知道。",
    [](const backtest::Gap& gap) {
      return std::to_string(gap.after) + " 期与 " + std::to_string(gap.before) + " 期之间缺 " +
             std::to_string(gap.missing) + " 期";
    },
    [](const std::string& listed) {
      return "记录缺了几期：" + listed + "；每个缺口之后重新开始重演。";
    },
    [](std::uint64_t lines) {
      return "有 " + std::to_string(lines) + " 行重复了已读过的开奖，只算一次。";
    },
    {"说法", "p", "校正后 p", "±", "结论"},
    {"输出", "命中率", "运气", "打乱后的命中率", "多中几次", "p", "校正后 p", "规律的 p",
     "校正后"}};

const Catalogue<VerdictWords> kWords{kEnglish, kChinese};

// The claims that stand as `standing`, named and joined as the language joins a list.
std::string claimsStanding(const backtest::FamilyTest& family, Standing standing,
                           Language language) {
  const VerdictWords& words = kWords.in(language);
  std::vector<std::string> names;
  for (std::size_t j = 0; j < backtest::kClaims; ++j) {
    const ClaimTest& test = family.claims[j];
    if (test.standing != standing) continue;
    const std::string name = claimName(backtest::kFamily[j], language);
    const bool open = standing == Standing::Borderline || standing == Standing::Undecided;
    names.push_back(open ? words.borderlineClaim(name, fixed(test.pValueAdjusted, 3),
                                                 fixed(test.monteCarloError, 3))
                         : name);
  }
  return listedNames(names, language, ", ", " and ", false);
}

// Claim `j` named with what the record shows of it: its rate beside the shuffles', or the
// claimed runs beside theirs.
std::string withEffect(const BacktestResult& result, std::size_t j, Language language) {
  const VerdictWords& words = kWords.in(language);
  const Claim& claim = backtest::kFamily[j];
  const auto i = static_cast<std::size_t>(claim.output);
  const backtest::OutputSummary& o = result.summary.output(static_cast<int>(i));
  const OutputTest& test = result.tests[i];
  const std::string name = claimName(claim, language);
  switch (claim.kind) {
    case backtest::ClaimKind::Hits: {
      const auto [low, high] = backtest::wilsonInterval(o.hits, o.calls);
      return name + words.rateEffect(false, percentText(o.hitRate()), percentText(low),
                                     percentText(high), percentText(test.nullHitRate));
    }
    case backtest::ClaimKind::Money: {
      const auto [low, high] = backtest::returnRateInterval95(o);
      return name + words.rateEffect(true, percentText(o.money.rate()), percentText(low),
                                     percentText(high), percentText(test.nullReturnRate));
    }
    case backtest::ClaimKind::Pattern:
      break;
  }
  return name + words.runsEffect(test.patterns, fixed(result.family.centre[j], 1));
}

// The sentence of a family with a shown claim: the chief one with its effect, then the others.
std::string shownSentence(const BacktestResult& result, Language language) {
  const std::size_t chief = *backtest::chiefClaim(result.family);
  std::vector<std::string> others;
  for (std::size_t j = 0; j < backtest::kClaims; ++j) {
    if (j != chief && result.family.claims[j].standing == Standing::Shown)
      others.push_back(claimName(backtest::kFamily[j], language));
  }
  return kWords.in(language).shown(withEffect(result, chief, language),
                                   listedNames(others, language, ", ", " and ", false),
                                   levelText());
}

}  // namespace

std::string recordNote(const BacktestResult& result, Language language) {
  const VerdictWords& words = kWords.in(language);
  const backtest::RecordNotes& notes = result.notes;
  std::vector<std::string> sentences;
  if (notes.order == backtest::RecordOrder::NewestFirst) sentences.emplace_back(words.newestFirst);
  if (!notes.periods) sentences.emplace_back(words.noPeriods);
  if (!notes.gaps.empty()) {
    std::vector<std::string> gaps;
    for (const backtest::Gap& gap : notes.gaps) {
      gaps.push_back(words.gap({backtest::writtenPeriod(gap.after, notes),
                                backtest::writtenPeriod(gap.before, notes), gap.missing}));
    }
    sentences.push_back(words.gaps(listedNames(gaps, language, ", ", ", ", false)));
  }
  if (notes.repeated > 0) sentences.push_back(words.repeated(notes.repeated));
  std::string text;
  for (const std::string& sentence : sentences) text += (text.empty() ? "" : " ") + sentence;
  return text;
}

std::string_view standingWord(Standing standing, Language language) {
  return kWords.in(language).standings[static_cast<std::size_t>(standing)];
}

std::string_view gameName(const game::Game& game, Language language) {
  return language == Language::English ? game.englishName : game.names->name;
}

std::string claimName(const Claim& claim, Language language) {
  return kWords.in(language).claim(outputName(claim.output, language), engine::isList(claim.output),
                                   static_cast<std::size_t>(claim.kind));
}

std::string verdictSentence(const BacktestResult& result, Language language) {
  const VerdictWords& words = kWords.in(language);
  if (result.shuffles == 0) return std::string(words.untested);
  if (!result.canTell()) {
    return words.tooFew(static_cast<std::uint64_t>(result.summary.replays()) + 3, result.shuffles,
                        fixed(100 * backtest::kLargeEdge, 0));
  }
  const std::string level = levelText();
  const std::string borderline = claimsStanding(result.family, Standing::Borderline, language);
  const std::string undecided = claimsStanding(result.family, Standing::Undecided, language);
  const bool shown = backtest::chiefClaim(result.family).has_value();
  std::string sentence =
      words.against(result.shuffles, std::to_string(backtest::kClaims),
                    words.pattern(backtest::kPatternHits, backtest::kPatternMisses));
  if (!shown && borderline.empty() && undecided.empty()) return sentence + words.nothing(level);
  sentence += shown ? shownSentence(result, language) : words.noneShown(level);
  if (!borderline.empty()) sentence += words.borderline(borderline);
  if (!undecided.empty()) sentence += words.undecided(undecided, result.shuffles, level);
  return sentence;
}

std::string aloneSentence(const BacktestResult& result, Language language) {
  return kWords.in(language).alone(gameName(*result.game, language)) +
         verdictSentence(result, language);
}

std::string togetherSentence(const backtest::TogetherTest& test,
                             std::span<const BacktestResult* const> results, Language language) {
  const VerdictWords& words = kWords.in(language);
  if (test.shuffles == 0) return std::string(words.untested);
  std::vector<std::string> records;
  std::uint64_t draws = 0;
  for (const BacktestResult* result : results) {
    const std::uint64_t count = static_cast<std::uint64_t>(result->summary.replays()) + 3;
    draws += count;
    records.push_back(words.recordDraws(gameName(*result->game, language), count));
  }
  if (!test.family.criticalZ) {
    return words.tooFew(draws, test.shuffles, fixed(100 * backtest::kLargeEdge, 0));
  }
  const std::string level = levelText();
  const std::string borderline = claimsStanding(test.family, Standing::Borderline, language);
  const std::string undecided = claimsStanding(test.family, Standing::Undecided, language);
  const std::optional<std::size_t> chief = backtest::chiefClaim(test.family);
  std::string sentence = words.together(listedNames(records, language, ", ", " and ", false),
                                        test.shuffles, std::to_string(backtest::kClaims));
  if (!chief && borderline.empty() && undecided.empty()) return sentence + words.nothing(level);
  if (chief) {
    std::vector<std::string> others;
    for (std::size_t j = 0; j < backtest::kClaims; ++j) {
      if (j != *chief && test.family.claims[j].standing == Standing::Shown)
        others.push_back(claimName(backtest::kFamily[j], language));
    }
    sentence += words.togetherShown(claimName(backtest::kFamily[*chief], language),
                                    listedNames(others, language, ", ", " and ", false), level);
  } else {
    sentence += words.noneShown(level);
  }
  if (!borderline.empty()) sentence += words.borderline(borderline);
  if (!undecided.empty()) sentence += words.undecided(undecided, test.shuffles, level);
  return sentence;
}

std::vector<ClaimRow> claimsTable(const BacktestResult& result, Language language) {
  return claimsTable(result.family, result.shuffles, language);
}

std::vector<ClaimRow> claimsTable(const backtest::FamilyTest& family, std::uint64_t shuffles,
                                  Language language) {
  const VerdictWords& words = kWords.in(language);
  std::vector<ClaimRow> rows;
  if (shuffles == 0) return rows;
  rows.push_back(words.claimsHeading);
  for (std::size_t j = 0; j < backtest::kClaims; ++j) {
    const ClaimTest& test = family.claims[j];
    rows.push_back({claimName(backtest::kFamily[j], language), fixed(test.pValue, 3),
                    fixed(test.pValueAdjusted, 3), fixed(test.monteCarloError, 3),
                    std::string(words.standings[static_cast<std::size_t>(test.standing)])});
  }
  return rows;
}

std::vector<ReportRow> reportTable(const BacktestResult& result, Language language) {
  std::vector<ReportRow> rows = {kWords.in(language).heading};
  const bool tested = result.shuffles > 0;
  auto p = [&](double value) { return tested ? fixed(value, 3) : std::string("-"); };
  for (const engine::Output output : engine::kAllOutputs) {
    const auto i = static_cast<std::size_t>(output);
    const backtest::OutputSummary& o = result.summary.output(static_cast<int>(i));
    const OutputTest& t = result.tests[i];
    const backtest::FamilyTest& family = result.family;
    rows.push_back({std::string(outputName(output, language)), percentText(o.hitRate()),
                    percentText(o.chanceRate()), tested ? percentText(t.nullHitRate) : "-",
                    fixed(static_cast<double>(t.excessThousandths) / 1000.0, 1), p(t.pValue),
                    p(family.claims[i].pValueAdjusted), p(t.patternPValue),
                    p(family.claims[engine::kOutputs + i].pValueAdjusted)});
  }
  return rows;
}

}  // namespace quorvel::report
