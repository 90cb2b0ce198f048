#pragma once

#include <string_view>

#include "quorvel/engine/output.h"
#include "quorvel/presentation/language.h"

namespace quorvel::report {

using presentation::Language;

// An output's name in the reports' data, "predicted range", "mod 3": the JSON and the CSV rows
// name the outputs so whatever the language.
std::string_view outputKey(engine::Output output);

// An output's name as a player reads it: its key in English, the window's caption in Chinese
// ("预测号码范围", "中边").
std::string_view outputName(engine::Output output, Language language);

}  // namespace quorvel::report
