#include "quorvel/words/output_names.h"

#include "quorvel/engine/verdict.h"

namespace quorvel::words {
namespace {

using Names = std::array<std::string_view, engine::kOutputs>;

constexpr Names kKeys = {"predicted range", "key range", "extreme numbers", "middle/edge",
                         "big/small",       "odd/even",  "front/back",      "mod 3"};

// The window's own names: the lists' captions and the verdict boxes' labels.
const Names& windowNames() {
  static const Names kNames = [] {
    Names names;
    for (const engine::Output output : engine::kAllOutputs) {
      names[static_cast<std::size_t>(output)] =
          engine::isList(output) ? listCaption(output) : verdictBoxName(output);
    }
    return names;
  }();
  return kNames;
}

}  // namespace

std::string_view verdictBoxName(engine::Output output) {
  // A box's verdicts are written "label：call"; its name is the label.
  for (int v = 0; v < engine::kVerdictValues; ++v) {
    const auto verdict = static_cast<engine::Verdict>(v);
    const std::string_view text = engine::verdictText(verdict);
    const std::size_t colon = text.find("：");
    if (engine::boxOf(verdict) == output && colon != std::string_view::npos) {
      return text.substr(0, colon);
    }
  }
  return {};
}

std::string_view outputKey(engine::Output output) {
  return kKeys[static_cast<std::size_t>(output)];
}

std::string_view outputName(engine::Output output, Language language) {
  static const Catalogue<Names> kNames{kKeys, windowNames()};
  return kNames.in(language)[static_cast<std::size_t>(output)];
}

}  // namespace quorvel::words
