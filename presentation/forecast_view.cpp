#include "quorvel/presentation/forecast_view.h"

#include <algorithm>

#include "quorvel/engine/prediction_pass.h"
#include "quorvel/presentation/failure_report.h"
#include "quorvel/presentation/grid_notes.h"
#include "quorvel/presentation/main_form_layout.h"
#include "quorvel/presentation/odds.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/words/output_names.h"

namespace quorvel::presentation {

const std::array<engine::Output, engine::kOutputs> kOutputsOnScreen = [] {
  std::array<engine::Output, engine::kOutputs> order{};
  std::copy_n(engine::kAllOutputs.begin(), engine::kLists, order.begin());
  std::copy(kVerdictsOnScreen.begin(), kVerdictsOnScreen.end(), order.begin() + engine::kLists);
  return order;
}();

namespace {

OutputView outputView(const engine::PassResult& result, engine::Output output,
                      const game::Game& game, words::Language language) {
  OutputView view;
  view.output = output;
  view.written = result.isWritten(output);
  view.box = outputBoxName(output);
  view.caption =
      engine::isList(output) ? words::listCaption(output) : words::verdictBoxName(output);
  if (!view.written) return view;
  view.text = result.text(output);
  view.odds = oddsParts(result, output, game, language);
  view.oddsLine = oddsLine(view.odds, language);
  if (engine::isList(output)) {
    view.listOdds = game::listOdds(result.list(output), game.sumBet);
    view.chanceThousandths = view.listOdds->chanceThousandths;
  } else {
    view.chanceThousandths = game::verdictChanceThousandths(result.verdict(output));
  }
  return view;
}

}  // namespace

FailureView failureView(engine::Failure failure, const engine::FailureCause& cause,
                        const engine::GridTexts& cells) {
  FailureView view;
  view.failure = failure;
  view.cellsLine = blamedCellsLine(cause, cells);
  if (!view.failed()) return view;
  view.report = failureReport(failure);
  view.message = failureMessage(failure, cause, cells);
  view.cellToFix = cellToFix(cause, cells);
  return view;
}

ForecastView forecastView(const engine::GridTexts& cells, const game::Game& game,
                          words::Language language) {
  const engine::PassResult result = engine::runPredictionPass(cells);
  ForecastView view;
  for (const engine::Output output : engine::kAllOutputs)
    view.outputs[static_cast<std::size_t>(output)] = outputView(result, output, game, language);
  for (const GridNote& note : gridNotes(cells)) {
    const std::string text = noteText(note, cells, language);
    view.notes.push_back(text);
    for (const int cell : noteCells(note)) view.cellNotes[static_cast<std::size_t>(cell)].push_back(text);
  }
  view.failure = failureView(result.failure, result.cause, cells);
  return view;
}

}  // namespace quorvel::presentation
