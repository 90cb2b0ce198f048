#include "screen_report.h"

#include <array>
#include <string_view>

namespace quorvel {
namespace {

struct ListBox {
  OutputBox box;
  std::string_view caption;
};

constexpr std::array<ListBox, 3> kLists = {{{OutputBox::Text2, "预测号码范围"},
                                            {OutputBox::Text3, "重点号码范围"},
                                            {OutputBox::Text4, "极限号码"}}};

// The verdict boxes left to right as the window shows them.
constexpr std::array<OutputBox, 5> kVerdictsOnScreen = {OutputBox::Text5_0, OutputBox::Text5_4,
                                                        OutputBox::Text5_1, OutputBox::Text5_2,
                                                        OutputBox::Text5_3};

}  // namespace

std::string screenReport(const PassResult& result) {
  std::string report;
  for (const ListBox& list : kLists) {
    if (!result.isWritten(list.box)) continue;
    report.append(list.caption).append("\n").append(result.text(list.box)).append("\n");
  }
  bool captioned = false;
  for (OutputBox box : kVerdictsOnScreen) {
    if (!result.isWritten(box)) continue;
    if (!captioned) report.append("属性选择\n");
    captioned = true;
    report.append(result.text(box)).append("\n");
  }
  return report;
}

}  // namespace quorvel
