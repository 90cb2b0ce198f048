#include "quorvel/report/table_report.h"

#include <algorithm>
#include <string>

#include "common_words.h"
#include "quorvel/backtest/statistics.h"
#include "quorvel/game/game.h"
#include "quorvel/report/answer_texts.h"
#include "quorvel/report/audit_texts.h"
#include "quorvel/report/later_draws_texts.h"
#include "quorvel/report/money_texts.h"
#include "quorvel/words/output_names.h"
#include "quorvel/report/power_texts.h"
#include "quorvel/report/strategy_texts.h"
#include "quorvel/report/trend_texts.h"
#include "quorvel/report/verdict_texts.h"

namespace quorvel::report {

using backtest::Audit;
using backtest::OutputSummary;

namespace {

constexpr int kLongestRun = 10;  // runs this long or longer share the last column

// The outputs whose runs are shown: the predicted range and the five calls.
constexpr std::array<engine::Output, 6> kRunOutputs = {
    engine::Output::PredictedRange, engine::Output::MiddleEdge, engine::Output::BigSmall,
    engine::Output::OddEven,        engine::Output::FrontBack,  engine::Output::Mod3};

// The headings of the table report's blocks.
struct TableWords {
  std::string (*claims)(std::uint64_t shuffles);
  std::string_view together;  // the block of the records tested together
  std::string (*money)(int stakeYuan);
  std::string (*outputs)(long long replays);
  std::string_view power;  // before the power table's own heading
  std::string (*runs)(int longest);
  std::string_view hitRuns, missRuns, observed, chance;
  std::string (*audit)(const std::string& draws);
  std::string_view noCall;  // after an output that made no call in some passes
};

const TableWords kEnglish{
    [](std::uint64_t shuffles) {
      return "the claims, tested together (Westfall and Young's step-down maxT over " +
             std::to_string(shuffles) + " shuffles):";
    },
    "the two records together:",
    [](int stake) {
      return "money: one " + std::to_string(stake) +
             "-yuan bet on every sum of the list, every period, at the sum play's prizes";
    },
    [](long long replays) {
      return "each output, over " + std::to_string(replays) + " replayed passes:";
    },
    "power: ",
    [](int longest) {
      return "runs of consecutive hits and misses, by length (the last column is " +
             std::to_string(longest) +
             " or more),\nbeside the runs independent calls at the same hit rate would give:";
    },
    "hits  ",
    "misses",
    "observed",
    "chance  ",
    [](const std::string& draws) { return "the record's randomness, on its " + draws + " draws:"; },
    " passes made no call"};

const TableWords kChinese{
    [](std::uint64_t shuffles) {
      return "各项说法放在一起的检验（Westfall 与 Young 的逐步 maxT，打乱 " +
             std::to_string(shuffles) + " 次）：";
    },
    "两份记录放在一起：",

    [](int stake) {
      return "下注：每期把号码范围的每个和值各买一注，每注 " + std::to_string(stake) +
             " 元，按和值玩法的奖金";
    },
    [](long long replays) { return "各项输出，共重演 " + std::to_string(replays) + " 期："; },
    "检验的力度：",
    [](int longest) {
      return "连中与连错的段数，按长度（最后一栏是 " + std::to_string(longest) +
             " 期或更长），\n旁边是同样命中率的独立猜测会有的段数：";
    },
    "连中",
    "连错",
    "实际",
    "运气",
    [](const std::string& draws) { return "开奖记录的随机性，共 " + draws + " 期："; },
    " 期没有给出判断"};

const Catalogue<TableWords> kWords{kEnglish, kChinese};

// How many columns a text takes on a terminal: a wide (East Asian) character two, others one.
std::size_t displayWidth(const std::string& text) {
  std::size_t width = 0;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    width += length >= 3 ? 2 : 1;  // three- and four-byte characters here are CJK and full width
    i += length;
  }
  return width;
}

std::string padTo(const std::string& text, std::size_t width, bool left) {
  const std::size_t shown = displayWidth(text);
  const std::string pad(width > shown ? width - shown : 0, ' ');
  return left ? text + pad : pad + text;
}

// Rows of texts in columns as wide as their widest, two spaces apart, the first column to the
// left and the others to the right.
template <class Row>
void writeRows(std::ostream& out, const std::vector<Row>& rows) {
  std::vector<std::size_t> widths;
  for (const Row& row : rows) {
    widths.resize(std::max(widths.size(), std::size(row)));
    for (std::size_t c = 0; c < std::size(row); ++c)
      widths[c] = std::max(widths[c], displayWidth(row[c]));
  }
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t c = 0; c < std::size(row); ++c)
      line += (c > 0 ? "  " : "") + padTo(row[c], widths[c], c == 0);
    out << line.substr(0, line.find_last_not_of(' ') + 1) << '\n';
  }
}

long long observedRuns(const std::map<int, long long>& runs, int length) {
  long long count = 0;
  for (auto [runLength, n] : runs) {
    if (runLength == length || (length == kLongestRun && runLength > kLongestRun)) count += n;
  }
  return count;
}

double chanceRuns(int length, long long trials, double p) {
  if (length < kLongestRun) return backtest::expectedRuns(length, trials, p);
  double tail = 0;
  for (long long k = kLongestRun; k <= std::min<long long>(trials, 200); ++k) {
    tail += backtest::expectedRuns(static_cast<int>(k), trials, p);
  }
  return tail;
}

// The runs of the predicted range and the calls, beside what independent calls would give.
void writeRunsBlock(std::ostream& out, const BacktestResult& result, Language language) {
  const TableWords& words = kWords.in(language);
  out << '\n' << words.runs(kLongestRun) << '\n';
  std::vector<std::vector<std::string>> rows = {{""}};
  for (int k = 1; k <= kLongestRun; ++k) rows[0].push_back(std::to_string(k));
  for (const engine::Output output : kRunOutputs) {
    const OutputSummary& o = result.summary.output(static_cast<int>(output));
    rows.push_back({std::string(outputName(output, language))});
    for (const bool hits : {true, false}) {
      const std::map<int, long long>& runs = hits ? o.runs.hits : o.runs.misses;
      const double p = hits ? o.hitRate() : 1 - o.hitRate();
      const std::string label = "  " + std::string(hits ? words.hitRuns : words.missRuns) + " ";
      std::vector<std::string> observed = {label + std::string(words.observed)};
      std::vector<std::string> chance = {label + std::string(words.chance)};
      for (int k = 1; k <= kLongestRun; ++k) {
        observed.push_back(std::to_string(observedRuns(runs, k)));
        chance.push_back(fixed(chanceRuns(k, o.calls, p), 1));
      }
      rows.push_back(observed);
      rows.push_back(chance);
    }
  }
  writeRows(out, rows);
}

// Each output's hit rate, chance, the shuffles' rate and its tests, as the wide table gives them.
void writeOutputsBlock(std::ostream& out, const BacktestResult& result, Language language) {
  const TableWords& words = kWords.in(language);
  out << '\n' << words.outputs(result.summary.replays()) << '\n';
  std::vector<ReportRow> rows = reportTable(result, language);
  for (std::size_t i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = result.summary.output(static_cast<int>(i));
    if (o.noCalls > 0)
      rows[i + 1][0] += " (" + std::to_string(o.noCalls) + std::string(words.noCall) + ")";
  }
  writeRows(out, rows);
}

void writeAuditBlock(std::ostream& out, const Audit& audit, Language language) {
  const std::string draws = std::to_string(audit.draws);
  out << '\n' << kWords.in(language).audit(draws) << '\n';
  std::vector<AuditRow> rows = auditTable(audit, language);
  for (AuditRow& row : rows) row[1].clear();  // the words come with the sentence
  writeRows(out, rows);
  out << auditSentence(audit, language) << '\n';
}

// The other record's own verdict, then the claims tested on both records at once.
void writeTogetherBlock(std::ostream& out, const BacktestResult& result,
                        const TestedTogether& together, Language language) {
  const TableWords& words = kWords.in(language);
  const BacktestResult& other = *together.other;
  out << '\n' << words.together << '\n' << aloneSentence(other, language) << '\n';
  const std::array<const BacktestResult*, 2> both = {&result, &other};
  out << togetherSentence(together.test, both, language) << '\n';
  writeRows(out, claimsTable(together.test.family, together.test.shuffles, language));
}

}  // namespace

void writeTable(std::ostream& out, const BacktestResult& result, Language language,
                const Audit* audit, const TestedTogether* together,
                const TrendReport* trend) {
  const TableWords& words = kWords.in(language);
  const Answer answer = answerOf(result, language);
  out << answer.headline << '\n'
      << answer.figure << ' ' << answer.figureCaption << '\n'
      << answer.beside << '\n';
  if (const std::string note = recordNote(result, language); !note.empty()) {
    out << note << '\n';
  }
  out << '\n' << verdictSentence(result, language) << '\n';
  if (result.shuffles > 0) {
    out << '\n' << words.claims(result.shuffles) << '\n';
    writeRows(out, claimsTable(result, language));
  }
  if (together != nullptr) writeTogetherBlock(out, result, *together, language);
  if (result.laterDraws) {
    out << '\n' << laterDrawsHeading(*result.laterDraws, language) << '\n';
    writeRows(out, laterDrawsTable(*result.laterDraws, language));
    out << laterDrawsSentence(result, language) << '\n';
  }
  out << '\n' << words.money(result.game->sumBet.ticketYuan) << '\n';
  writeRows(out, moneyTable(result, language));
  writeOutputsBlock(out, result, language);
  out << '\n' << words.power << powerHeading(language) << '\n';
  writeRows(out, powerTable(result, language));
  out << powerNote(language) << '\n';
  writeRunsBlock(out, result, language);
  if (audit != nullptr) writeAuditBlock(out, *audit, language);
  if (trend == nullptr) return;
  for (const backtest::TrendChart& chart : trend->charts) {
    out << '\n' << trendHeading(chart, language) << '\n';
    writeRows(out, trendRows(chart, language));
    out << '\n';
    writeRows(out, trendFigures(chart, language));
    out << trendSentence(chart, language) << '\n';
  }
  out << '\n' << strategiesSentence(trend->strategies, language) << '\n';
  writeRows(out, strategiesTable(trend->strategies, language));
}

}  // namespace quorvel::report
