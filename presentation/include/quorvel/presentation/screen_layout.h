#pragma once

#include <array>
#include <string>
#include <string_view>

#include "quorvel/prediction_pass.h"

// How the front ends lay the forecast out: the same captions and order in the window, the page
// and the command line.
namespace quorvel {

// The captions of the three lists' frames, for Text2, Text3 and Text4.
inline constexpr std::array<std::string_view, kListBoxes> kListCaptions = {
    "预测号码范围", "重点号码范围", "极限号码"};

// The caption of the frame around the five verdict boxes.
inline constexpr std::string_view kVerdictCaption = "属性选择";

// The verdict boxes from left to right as the window shows them.
inline constexpr std::array<OutputBox, kVerdictBoxes> kVerdictsOnScreen = {
    OutputBox::Text5_0, OutputBox::Text5_4, OutputBox::Text5_1, OutputBox::Text5_2,
    OutputBox::Text5_3};

}  // namespace quorvel
