#include "quorvel/presentation/main_form_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "quorvel/engine/grid.h"
#include "quorvel/engine/output.h"
#include "quorvel/engine/verdict.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/screen_layout.h"

namespace quorvel::presentation {
namespace {

bool inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

bool overlap(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

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

const Rect kForm{0, 0, kFormWidth, kFormHeight};

// The frame a control lies over, by what it holds: the grid and its buttons over Frame1, each list
// over its own frame, the verdicts and the shop button over Frame4.
std::string_view frameUnder(const Control& control) {
  switch (control.role) {
    case ControlRole::GridCell:
    case ControlRole::Predict:
    case ControlRole::DrawShift:
      return "Frame1";
    case ControlRole::Output:
      return control.index == 0   ? "Frame2"
             : control.index == 1 ? "Frame3(0)"
             : control.index == 2 ? "Frame3(1)"
                                  : "Frame4";
    case ControlRole::Shop:
      return "Frame4";
    case ControlRole::Frame:
    case ControlRole::Disclaimer:
      return "";
  }
  return "";
}

TEST(MainFormLayout, EveryControlLiesOverItsFrameInsideTheForm) {
  std::set<std::string_view> framesMade;  // a frame is made before the controls over it
  for (const Control& control : mainFormControls()) {
    if (control.kind == ControlKind::Frame) framesMade.insert(control.name);
    const Rect onForm = rectOnForm(control);
    if (control.role == ControlRole::Disclaimer) {
      // It reaches below the client area, which cuts it off there.
      EXPECT_GT(onForm.top + onForm.height, kFormHeight);
      continue;
    }
    EXPECT_TRUE(inside(onForm, kForm)) << control.name;
    if (const std::string_view frame = frameUnder(control); !frame.empty()) {
      EXPECT_TRUE(inside(onForm, formControl(frame).rect)) << control.name << " over " << frame;
      EXPECT_TRUE(framesMade.contains(frame)) << control.name << " before " << frame;
    }
  }
}

TEST(MainFormLayout, ControlsThatTakeTheFocusComeInTabOrderAndDoNotOverlap) {
  std::vector<const Control*> focusable;
  std::set<std::string> names, ids;
  for (const Control& control : mainFormControls()) {
    EXPECT_TRUE(names.insert(std::string(control.name)).second) << control.name;
    EXPECT_TRUE(ids.insert(elementId(control.name)).second) << control.name;
    EXPECT_FALSE(control.accessibleName.empty()) << control.name;
    if (control.tabPosition < 0) continue;
    EXPECT_EQ(control.tabPosition, static_cast<int>(focusable.size())) << control.name;
    for (const Control* other : focusable) {
      EXPECT_FALSE(overlap(rectOnForm(control), rectOnForm(*other)))
          << control.name << " and " << other->name;
    }
    focusable.push_back(&control);
  }
  EXPECT_EQ(focusable.size(), 23u);
  EXPECT_EQ(focusable.front()->name, "Text1(0)");
  EXPECT_EQ(elementId("Text1(10)"), "Text1_10");
}

TEST(MainFormLayout, EveryCellAndOutputHasOneBoxNamedForIt) {
  std::vector<int> cells, outputs;
  for (const Control& control : mainFormControls()) {
    if (control.role == ControlRole::GridCell) {
      cells.push_back(control.index);
      EXPECT_EQ(control.accessibleName, cellName(control.index));
      EXPECT_EQ(control.name, "Text1(" + std::to_string(control.index) + ")");
    }
    if (control.role == ControlRole::Output) outputs.push_back(control.index);
  }
  std::sort(cells.begin(), cells.end());
  std::sort(outputs.begin(), outputs.end());
  for (int i = 0; i < engine::kGridCells; ++i) EXPECT_EQ(cells.at(static_cast<std::size_t>(i)), i);
  for (int i = 0; i < engine::kOutputs; ++i) EXPECT_EQ(outputs.at(static_cast<std::size_t>(i)), i);
}

// The verdict boxes are named by the label their verdicts begin with, the engine's own words.
TEST(MainFormLayout, VerdictBoxesAreNamedAsTheirVerdictsBegin) {
  for (int v = 0; v < engine::kVerdictValues; ++v) {
    const auto verdict = static_cast<engine::Verdict>(v);
    if (verdict == engine::Verdict::NoCall) continue;
    const std::string name(verdictBoxName(engine::boxOf(verdict)));
    EXPECT_TRUE(std::string(engine::verdictText(verdict)).starts_with(name + "：")) << name;
  }
  EXPECT_EQ(verdictBoxName(engine::Output::Mod3), "3N");
  EXPECT_EQ(verdictBoxName(engine::Output::KeyRange), "");
}

// The page keeps to WCAG's 4.5:1 for the text of every box, where the window draws pure red.
TEST(MainFormLayout, ThePagesTextBoxesReadAtFourAndAHalfToOne) {
  for (const Control& control : mainFormControls()) {
    if (control.kind != ControlKind::TextBox) continue;
    const PageColours colours = pageColours(control);
    ASSERT_TRUE(colours.background && colours.text) << control.name;
    EXPECT_GE(contrast(*colours.text, *colours.background), 4.5) << control.name;
  }
  EXPECT_LT(contrast(kRed, kWhite), 4.5);
}

}  // namespace
}  // namespace quorvel::presentation
