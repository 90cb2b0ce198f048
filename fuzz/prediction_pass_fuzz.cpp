// A full prediction pass over twelve arbitrary byte strings.

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <string>

#include "fuzz_check.h"
#include "quorvel/engine/prediction_pass.h"

namespace engine = quorvel::engine;

namespace {

using engine::Output;

bool isListText(const std::string& text) {
  int previous = -1;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t space = text.find(' ', i);
    if (space == std::string::npos || space == i || space - i > 2) return false;
    const std::string number = text.substr(i, space - i);
    if (number.size() == 2 && number[0] == '0') return false;
    for (char c : number) {
      if (c < '0' || c > '9') return false;
    }
    const int value = std::stoi(number);
    if (value <= previous || value > 27) return false;
    previous = value;
    i = space + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  engine::GridStrings cells;
  for (std::size_t i = 0; i + 1 < cells.size(); ++i) cells[i] = input.ConsumeRandomLengthString(64);
  cells.back() = input.ConsumeRemainingBytesAsString();
  const engine::GridTexts texts = engine::viewsOf(cells);

  const engine::PassResult result = engine::runPredictionPass(texts);
  const int failure = static_cast<int>(result.failure);
  FUZZ_CHECK(failure == 0 || failure == 6 || failure == 9);
  FUZZ_CHECK(result.written >= 0 && result.written <= engine::kOutputs);
  FUZZ_CHECK((result.failure == engine::Failure::None) == (result.written == engine::kOutputs));
  // A failure ends the pass where it arises: between stages, never inside the verdicts.
  FUZZ_CHECK(result.written == 0 || result.written == 1 || result.written == 3 ||
             result.written == 8);

  for (int i = 0; i < engine::kOutputs; ++i) {
    const Output box = engine::kWriteOrder[static_cast<std::size_t>(i)];
    FUZZ_CHECK(result.isWritten(box) == (i < result.written));
    if (i >= result.written) FUZZ_CHECK(result.text(box).empty());
  }
  for (Output box : {Output::PredictedRange, Output::KeyRange, Output::ExtremeNumbers}) {
    FUZZ_CHECK(isListText(result.text(box)));
  }
  if (result.written >= 3) {
    // Weights only go down: every later list is part of the earlier one.
    FUZZ_CHECK((result.list(Output::KeyRange) & ~result.list(Output::PredictedRange)) == 0);
    FUZZ_CHECK((result.list(Output::ExtremeNumbers) & ~result.list(Output::KeyRange)) == 0);
  }
  if (result.written == 8) {
    using engine::Verdict;
    const auto v = [&](Output output) { return result.verdict(output); };
    FUZZ_CHECK(v(Output::MiddleEdge) == Verdict::Middle || v(Output::MiddleEdge) == Verdict::Edge);
    FUZZ_CHECK(v(Output::BigSmall) == Verdict::Big || v(Output::BigSmall) == Verdict::Small);
    FUZZ_CHECK(v(Output::OddEven) == Verdict::Even || v(Output::OddEven) == Verdict::Odd);
    FUZZ_CHECK(v(Output::FrontBack) == Verdict::Front || v(Output::FrontBack) == Verdict::Back);
    FUZZ_CHECK(v(Output::Mod3) == Verdict::Mod3Is0 || v(Output::Mod3) == Verdict::Mod3Is1 ||
               v(Output::Mod3) == Verdict::Mod3Is2 || v(Output::Mod3) == Verdict::NoCall);
  }

  // The result depends on the texts alone.
  const engine::PassResult again = engine::runPredictionPass(texts);
  FUZZ_CHECK(again.failure == result.failure && again.written == result.written);
  for (const Output output : engine::kAllOutputs) {
    FUZZ_CHECK(again.text(output) == result.text(output));
  }
  return 0;
}
