#include "quorvel/report/json_report.h"

#include "quorvel/report/strategy_texts.h"
#include "quorvel/report/trend_texts.h"

#include <string>

#include "common_words.h"
#include "quorvel/backtest/effects.h"
#include "quorvel/backtest/statistics.h"
#include "quorvel/words/output_names.h"

namespace quorvel::report {

using backtest::Audit;
using backtest::AuditTest;
using backtest::BacktestResult;
using backtest::BestAndWorst;
using backtest::OutputSummary;
using backtest::OutputTest;
using backtest::Power;
using backtest::RecordOrder;
using backtest::Summary;

namespace {

// How a claim stands, as the JSON keys it, by Standing.
constexpr std::array<std::string_view, 4> kStandings = {"no-evidence", "borderline", "undecided",
                                                        "shown"};

// A list's money, in yuan, rates as fractions: {"stake", "returned", "expectedReturn",
// "returnRate", "expectedRate", "pValue", "pValueHolm", "bestYearRate", "worstYearRate"}, the
// year rates null when the periods give no years.
void writeMoney(std::ostream& out, const OutputSummary& o, const OutputTest& test) {
  const std::optional<BestAndWorst> years = backtest::bestAndWorstYears(o);
  const auto rate = [](const std::optional<double>& value) {
    return value ? fixed(*value, 6) : std::string("null");
  };
  out << ",\"money\":{\"stake\":" << o.money.stakeYuan << ",\"returned\":" << o.money.returnedYuan
      << ",\"expectedReturn\":" << fixed(static_cast<double>(o.expectedReturnMills) / 1000.0, 3)
      << ",\"returnRate\":" << fixed(o.money.rate(), 6)
      << ",\"expectedRate\":" << fixed(o.expectedRate(), 6)
      << ",\"pValue\":" << fixed(test.returnPValue, 6)
      << ",\"pValueHolm\":" << fixed(test.returnPValueHolm, 6)
      << ",\"bestYearRate\":" << rate(years ? std::optional(years->best.rate) : std::nullopt)
      << ",\"worstYearRate\":" << rate(years ? std::optional(years->worst.rate) : std::nullopt);
  const auto [low, high] = backtest::returnRateInterval95(o);
  out << ",\"nullRate\":" << fixed(test.nullReturnRate, 6) << ",\"rateInterval95\":["
      << fixed(low, 6) << ',' << fixed(high, 6)
      << "],\"breakEvenHitRate\":" << fixed(backtest::breakEvenHitRate(o), 6) << '}';
}

// The hit rate at the smallest edge the test would catch, and a list's return rate at it.
void writePower(std::ostream& out, const Power& power) {
  out << ",\"detectableRate\":" << fixed(power.detectableRate, 6);
  if (power.returnRate) out << ",\"detectableReturnRate\":" << fixed(*power.returnRate, 6);
}

// The family of claims: "family": {"method", "level", "monteCarloErrors",
// "tests": [{"output", "kind", "pValue", "pValueAdjusted", "monteCarloError", "standing"}],
// "significant": [{"output", "kind"}], "borderline": [...], "undecided": [...]}.
void writeFamily(std::ostream& out, const backtest::FamilyTest& family) {
  constexpr std::array<std::string_view, 3> kKinds = {"hits", "pattern", "money"};
    const auto claim = [&](std::size_t j) {
    return "{\"output\":\"" + std::string(outputKey(backtest::kFamily[j].output)) +
           "\",\"kind\":\"" +
           std::string(kKinds[static_cast<std::size_t>(backtest::kFamily[j].kind)]) + '"';
  };
  const auto standing = [&](backtest::Standing wanted) {
    std::string list;
    for (std::size_t j = 0; j < backtest::kClaims; ++j) {
      if (family.claims[j].standing != wanted) continue;
      list += (list.empty() ? "" : ",") + claim(j) + '}';
    }
    return '[' + list + ']';
  };
  out << ",\"family\":{\"method\":\"westfall-young-step-down-maxt\",\"level\":"
      << fixed(backtest::kLevel, 2)
      << ",\"monteCarloErrors\":" << fixed(backtest::kMonteCarloErrors, 0) << ",\"tests\":[";
  for (std::size_t j = 0; j < backtest::kClaims; ++j) {
    const backtest::ClaimTest& test = family.claims[j];
    out << (j > 0 ? "," : "") << claim(j) << ",\"pValue\":" << fixed(test.pValue, 6)
        << ",\"pValueAdjusted\":" << fixed(test.pValueAdjusted, 6)
        << ",\"monteCarloError\":" << fixed(test.monteCarloError, 6) << ",\"standing\":\""
        << kStandings[static_cast<std::size_t>(test.standing)] << "\"}";
  }
  out << "],\"significant\":" << standing(backtest::Standing::Shown)
      << ",\"borderline\":" << standing(backtest::Standing::Borderline)
      << ",\"undecided\":" << standing(backtest::Standing::Undecided) << '}';
}

// "together": {"with": {"game", "draws", "shuffles", "family"}, "shuffles", "family"}: the other
// record's own test, and the claims tested on both records at once.
void writeTogether(std::ostream& out, const TestedTogether& together) {
  const BacktestResult& other = *together.other;
  out << ",\"together\":{\"with\":{\"game\":\"" << other.game->id
      << "\",\"draws\":" << other.summary.replays() + 3 << ",\"shuffles\":" << other.shuffles;
  writeFamily(out, other.family);
  out << "},\"shuffles\":" << together.test.shuffles;
  writeFamily(out, together.test.family);
  out << '}';
}

// "audit": {"draws", "tests": [{"name", "statistic", "df", "pValue", "pValueHolm"}], "random"},
// df null for a z.
void writeAudit(std::ostream& out, const Audit& audit) {
  out << ",\"audit\":{\"draws\":" << audit.draws << ",\"tests\":[";
  for (std::size_t i = 0; i < audit.tests.size(); ++i) {
    const AuditTest& test = audit.tests[i];
    out << (i > 0 ? "," : "") << "{\"name\":\"" << test.name
        << "\",\"statistic\":" << fixed(test.statistic, 6)
        << ",\"df\":" << (test.df ? std::to_string(*test.df) : "null")
        << ",\"pValue\":" << fixed(test.pValue, 6)
        << ",\"pValueHolm\":" << fixed(test.pValueHolm, 6) << '}';
  }
  out << "],\"random\":" << (audit.random() ? "true" : "false") << '}';
}

// What the reader noted: "periods" (whether the record gave any), "gaps": [{"after", "before",
// "missing"}] with the periods as the record wrote them, and "repeatedLines".
void writeNotes(std::ostream& out, const backtest::RecordNotes& notes) {
  out << ",\"periods\":" << (notes.periods ? "true" : "false") << ",\"gaps\":[";
  for (std::size_t i = 0; i < notes.gaps.size(); ++i) {
    const backtest::Gap& gap = notes.gaps[i];
    out << (i > 0 ? "," : "") << "{\"after\":" << backtest::writtenPeriod(gap.after, notes)
        << ",\"before\":" << backtest::writtenPeriod(gap.before, notes)
        << ",\"missing\":" << gap.missing << '}';
  }
  out << "],\"repeatedLines\":" << notes.repeated;
}

// "prospective": {"since", "draws", "eValue", "outputs": [{"name", "calls", "hits",
// "expectedHits", "eValue"}]}: the draws after the verdict was fixed.
void writeLaterDraws(std::ostream& out, const backtest::LaterDraws& p) {
  out << ",\"prospective\":{\"since\":" << p.since << ",\"draws\":" << p.draws
      << ",\"eValue\":" << significant(p.eValue(), 6) << ",\"outputs\":[";
  for (std::size_t i = 0; i < p.outputs.size(); ++i) {
    const backtest::LaterOutput& o = p.outputs[i];
    out << (i > 0 ? "," : "") << "{\"name\":\"" << outputKey(engine::kAllOutputs[i])
        << "\",\"calls\":" << o.calls << ",\"hits\":" << o.hits
        << ",\"expectedHits\":" << fixed(o.expectedHits, 3)
        << ",\"eValue\":" << significant(o.eValue(), 6) << '}';
  }
  out << "]}";
}

// "trend": the chart's views, each value's figures beside chance's.
void writeTrend(std::ostream& out, const std::vector<backtest::TrendChart>& charts) {
  constexpr std::array<std::string_view, 3> kFrequencies = {"within-chance", "frequent", "rare"};
  out << ",\"trend\":{\"periods\":" << (charts.empty() ? 0 : charts.front().rows.size())
      << ",\"views\":[";
  for (std::size_t c = 0; c < charts.size(); ++c) {
    const backtest::TrendChart& chart = charts[c];
    out << (c > 0 ? "," : "") << "{\"name\":\"" << trendViewKey(chart.view) << "\",\"rows\":[";
    for (std::size_t r = 0; r < chart.rows.size(); ++r) {
      const backtest::TrendRow& row = chart.rows[r];
      out << (r > 0 ? "," : "") << "{\"period\":" << row.period << ",\"value\":" << row.value
          << ",\"gaps\":[";
      for (std::size_t v = 0; v < row.gaps.size(); ++v) out << (v > 0 ? "," : "") << row.gaps[v];
      out << "]}";
    }
    out << "],\"values\":[";
    for (std::size_t v = 0; v < chart.values.size(); ++v) {
      const backtest::TrendValue& f = chart.values[v];
      out << (v > 0 ? "," : "") << "{\"value\":" << f.value << ",\"count\":" << f.count
          << ",\"expected\":" << fixed(f.expected, 4) << ",\"range95\":[" << f.range95[0] << ','
          << f.range95[1] << "],\"meanGap\":" << fixed(f.meanGap, 4)
          << ",\"expectedGap\":" << fixed(f.expectedGap, 4) << ",\"maxGap\":" << f.maxGap
          << ",\"currentGap\":" << f.currentGap << ",\"tailChance\":" << significant(f.tailChance, 6)
          << ",\"frequency\":\"" << kFrequencies[static_cast<std::size_t>(f.frequency)] << "\"}";
    }
    out << "]}";
  }
  out << "]}";
}

// "strategies": the family's method and shuffles, and each strategy's calls, hits, money and test.
void writeStrategies(std::ostream& out, const backtest::StrategiesTest& test) {
  out << ",\"strategies\":{\"family\":{\"method\":\"westfall-young-step-down-maxt\",\"level\":"
      << fixed(backtest::kLevel, 2) << ",\"monteCarloErrors\":" << fixed(backtest::kMonteCarloErrors, 0)
      << ",\"shuffles\":" << test.shuffles << "},\"tests\":[";
  for (std::size_t s = 0; s < backtest::kStrategies; ++s) {
    const backtest::StrategyTally& t = test.tallies[s];
    const backtest::ClaimTest& claim = test.family.claims[s];
    out << (s > 0 ? "," : "") << "{\"name\":\"" << strategyKey(backtest::kAllStrategies[s])
        << "\",\"calls\":" << t.calls << ",\"hits\":" << t.hits
        << ",\"chance\":" << fixed(static_cast<double>(t.chanceThousandths) / 1000.0, 3)
        << ",\"stake\":" << t.stakeYuan << ",\"returned\":" << t.returnedYuan
        << ",\"expectedReturn\":" << fixed(static_cast<double>(t.expectedReturnMills) / 1000.0, 3)
        << ",\"pValue\":" << fixed(claim.pValue, 6) << ",\"pValueAdjusted\":" << fixed(claim.pValueAdjusted, 6)
        << ",\"monteCarloError\":" << fixed(claim.monteCarloError, 6) << ",\"standing\":\""
        << kStandings[static_cast<std::size_t>(claim.standing)] << "\"}";
  }
  out << "]}";
}

}  // namespace

void writeJson(std::ostream& out, const BacktestResult& result, const Audit* audit,
               const TestedTogether* together, const TrendReport* trend) {
  const Summary& summary = result.summary;
  auto runsJson = [](const std::map<int, long long>& runs) {
    std::string text = "{";
    for (auto [length, n] : runs) {
      if (text.size() > 1) text += ",";
      text += "\"" + std::to_string(length) + "\":" + std::to_string(n);
    }
    return text + "}";
  };
  out << "{\"game\":\"" << result.game->id << "\",\"shuffles\":" << result.shuffles << ",\"seed\":" << result.seed
      << ",\"replays\":" << summary.replays();
  if (result.notes.order == RecordOrder::NewestFirst) out << ",\"newestFirst\":true";
  writeNotes(out, result.notes);
  out << ",\"outputs\":[";
  for (int i = 0; i < engine::kOutputs; ++i) {
    const OutputSummary& o = summary.output(i);
    const auto [low, high] = backtest::wilsonInterval(o.hits, o.calls);
    if (i > 0) out << ',';
    out << "{\"name\":\"" << outputKey(engine::kAllOutputs[static_cast<std::size_t>(i)])
        << "\",\"calls\":" << o.calls << ",\"hits\":" << o.hits << ",\"noCalls\":" << o.noCalls
        << ",\"hitRate\":" << fixed(o.hitRate(), 6)
        << ",\"chanceRate\":" << fixed(o.chanceRate(), 6) << ",\"interval95\":[" << fixed(low, 6)
        << ',' << fixed(high, 6) << ']';
    if (engine::isList(engine::kAllOutputs[static_cast<std::size_t>(i)])) {
      out << ",\"meanListSize\":" << fixed(meanSize(o.listSizeSum, o.calls), 4);
    }
    const OutputTest& test = result.tests[static_cast<std::size_t>(i)];
    out << ",\"chanceThousandths\":" << o.chanceThousandths
        << ",\"excessHits\":" << fixed(static_cast<double>(test.excessThousandths) / 1000.0, 3)
        << ",\"pValue\":" << fixed(test.pValue, 6)
        << ",\"pValueHolm\":" << fixed(test.pValueHolm, 6)
        << ",\"pattern\":{\"observed\":" << test.patterns
        << ",\"pValue\":" << fixed(test.patternPValue, 6)
        << ",\"pValueHolm\":" << fixed(test.patternPValueHolm, 6) << '}';
    out << ",\"hitRuns\":" << runsJson(o.runs.hits) << ",\"missRuns\":" << runsJson(o.runs.misses);
    if (engine::isList(engine::kAllOutputs[static_cast<std::size_t>(i)])) writeMoney(out, o, test);
    writePower(out, result.power[static_cast<std::size_t>(i)]);
    out << ",\"nullHitRate\":" << fixed(test.nullHitRate, 6)
        << ",\"edgeUpper95\":" << fixed(backtest::edgeUpper95(o, test), 6) << '}';
  }
  out << ']';
  writeFamily(out, result.family);
  out << ",\"canTell\":" << (result.canTell() ? "true" : "false");
  if (result.laterDraws) writeLaterDraws(out, *result.laterDraws);
  if (audit != nullptr) writeAudit(out, *audit);
  if (together != nullptr) writeTogether(out, *together);
  if (trend != nullptr) {
    writeTrend(out, trend->charts);
    writeStrategies(out, trend->strategies);
  }
  out << "}\n";
}

}  // namespace quorvel::report
