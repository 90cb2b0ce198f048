#include "quorvel/report/output_names.h"

#include <array>

#include "quorvel/presentation/screen_layout.h"

namespace quorvel::report {
namespace {

using Names = std::array<std::string_view, engine::kOutputs>;

constexpr Names kKeys = {"predicted range", "key range", "extreme numbers", "middle/edge",
                         "big/small",       "odd/even",  "front/back",      "mod 3"};

// The window's own names: the lists' captions and the verdict boxes' labels.
const Names& windowNames() {
  static const Names kNames = [] {
    Names names;
    for (const engine::Output output : engine::kAllOutputs) {
      names[static_cast<std::size_t>(output)] = engine::isList(output)
                                                    ? presentation::listCaption(output)
                                                    : presentation::verdictBoxName(output);
    }
    return names;
  }();
  return kNames;
}

}  // namespace

std::string_view outputKey(engine::Output output) {
  return kKeys[static_cast<std::size_t>(output)];
}

std::string_view outputName(engine::Output output, Language language) {
  static const presentation::Catalogue<Names> kNames{kKeys, windowNames()};
  return kNames.in(language)[static_cast<std::size_t>(output)];
}

}  // namespace quorvel::report
