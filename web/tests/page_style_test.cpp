#include "quorvel/web/page_style.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace quorvel::web {
namespace {

using presentation::Control;
using presentation::Rgb;

// WCAG's contrast ratio of two colours.
double contrast(Rgb a, Rgb b) {
  const auto luminance = [](Rgb c) {
    const auto channel = [](std::uint8_t v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red) + 0.7152 * channel(c.green) + 0.0722 * channel(c.blue);
  };
  const double x = luminance(a), y = luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

// The page keeps to WCAG's 4.5:1 for the text of every box, where the window draws pure red.
TEST(PageStyle, TextBoxesReadAtFourAndAHalfToOne) {
  for (const Control& control : presentation::mainFormControls()) {
    if (control.kind != presentation::ControlKind::TextBox) continue;
    const PageColours colours = pageColours(control);
    ASSERT_TRUE(colours.background && colours.text) << control.name;
    EXPECT_GE(contrast(*colours.text, *colours.background), 4.5) << control.name;
  }
  EXPECT_LT(contrast(presentation::kRed, presentation::kWhite), 4.5);
}

TEST(PageStyle, EveryControlHasItsOwnElementId) {
  std::set<std::string> ids;
  for (const Control& control : presentation::mainFormControls()) {
    const std::string id = elementId(control.name);
    EXPECT_TRUE(ids.insert(id).second) << control.name;
    EXPECT_EQ(id.find_first_of("() "), std::string::npos) << id;
  }
  EXPECT_EQ(elementId("Text1(10)"), "Text1_10");
  EXPECT_EQ(cssColour({224, 0, 0}), "#e00000");
}

}  // namespace
}  // namespace quorvel::web
