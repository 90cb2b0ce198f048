#pragma once

#include <array>
#include <string>
#include <string_view>

#include "quorvel/prediction_pass.h"

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

// The line the error report adds under its first: the blamed cells by row and column with their
// texts, "出错的格子：最新一期和值“50000” × 上一期和值“50000”"; "" when the cause names no cell.
std::string blamedCellsLine(const FailureCause& cause, const GridTexts& cells);

// The cell the user should fix first: the first blamed cell that is not empty, or the first one
// when all are; -1 when the cause names no cell.
int cellToFix(const FailureCause& cause, const GridTexts& cells);

}  // namespace quorvel
