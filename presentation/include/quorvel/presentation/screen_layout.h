#pragma once

#include <array>
#include <string>
#include <string_view>

#include "quorvel/prediction_pass.h"

// How the front ends lay the forecast out: the same captions and order in the window, the page
// and the command line.
namespace quorvel {

// The caption of a list's frame: "预测号码范围", "重点号码范围", "极限号码"; "" for a verdict.
constexpr std::string_view listCaption(Output output) {
  constexpr std::array<std::string_view, kLists> kCaptions = {"预测号码范围", "重点号码范围",
                                                              "极限号码"};
  return isList(output) ? kCaptions[static_cast<std::size_t>(output)] : std::string_view{};
}

// The caption of the frame around the five verdict boxes.
inline constexpr std::string_view kVerdictCaption = "属性选择";

// The verdict boxes from left to right as the window shows them.
inline constexpr std::array<Output, kVerdicts> kVerdictsOnScreen = {
    Output::MiddleEdge, Output::Mod3, Output::BigSmall, Output::OddEven, Output::FrontBack};

// The shop page that 去 淘 宝 opens: a fixed http address with a host name only.
inline constexpr std::string_view kShopPageAddress = "http://www.taobao.com";

// The beginning of the window's title; an edition tag in parentheses and "V" with the version
// follow it: "Quorvel预测软件(Qt版)V1.6".
inline constexpr std::string_view kTitleStart = "Quorvel预测软件";

}  // namespace quorvel
