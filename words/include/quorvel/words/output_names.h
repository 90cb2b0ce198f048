#pragma once

#include <array>
#include <string_view>

#include "quorvel/engine/output.h"
#include "quorvel/words/language.h"

// The outputs' names: the window's captions, and the keys the reports' data name them by.
namespace quorvel::words {

// The caption of a list's frame: "预测号码范围", "重点号码范围", "极限号码"; "" for a verdict.
constexpr std::string_view listCaption(engine::Output output) {
  constexpr std::array<std::string_view, engine::kLists> kCaptions = {"预测号码范围",
                                                                      "重点号码范围", "极限号码"};
  return engine::isList(output) ? kCaptions[static_cast<std::size_t>(output)] : std::string_view{};
}

// The caption of the frame around the five verdict boxes.
inline constexpr std::string_view kVerdictCaption = "属性选择";

// The label of a verdict box, as its verdicts begin: "中边", "大小", "单双", "前后", "3N"; "" for
// a list.
std::string_view verdictBoxName(engine::Output output);

// An output's name in the reports' data, "predicted range", "mod 3": the JSON and the CSV rows
// name the outputs so whatever the language.
std::string_view outputKey(engine::Output output);

// An output's name as a player reads it: its key in English, the window's caption in Chinese
// ("预测号码范围", "中边").
std::string_view outputName(engine::Output output, Language language);

}  // namespace quorvel::words
