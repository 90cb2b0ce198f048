#include "quorvel/presentation/main_form_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "quorvel/engine/grid.h"
#include "quorvel/engine/output.h"
#include "quorvel/engine/verdict.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/words/output_names.h"

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

const Rect kForm{0, 0, kFormWidth, kFormHeight};

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
    if (const std::string_view frame = control.frame; !frame.empty()) {
      EXPECT_TRUE(inside(onForm, formControl(frame).rect)) << control.name << " over " << frame;
      EXPECT_TRUE(framesMade.contains(frame)) << control.name << " before " << frame;
    }
  }
}

TEST(MainFormLayout, ControlsThatTakeTheFocusComeInTabOrderAndDoNotOverlap) {
  std::set<std::string_view> names;
  for (const Control& control : mainFormControls()) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    EXPECT_FALSE(control.accessibleName.empty()) << control.name;
    // A control lies over the frame it is made in, if it is made in one.
    if (!control.parent.empty()) {
      EXPECT_EQ(control.parent, control.frame) << control.name;
    }
  }
  const std::vector<const Control*> focusable = tabOrder();
  for (std::size_t i = 0; i < focusable.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      EXPECT_FALSE(overlap(rectOnForm(*focusable[i]), rectOnForm(*focusable[j])))
          << focusable[i]->name << " and " << focusable[j]->name;
    }
  }
  ASSERT_EQ(focusable.size(), 23u);
  EXPECT_EQ(focusable.front()->name, "Text1(0)");
  EXPECT_EQ(focusable.back()->name, "Text5(3)");
}

// On a phone every control has a place of its own, inside a row, each frame's caption above the
// controls that lie over it, and the rows follow the form from top to bottom.
TEST(MainFormLayout, ThePhonesArrangementGivesEachControlItsOwnPlaceInOrder) {
  std::set<std::pair<int, int>> taken;  // row and column
  for (const Control& control : mainFormControls()) {
    const PhonePlace place = phonePlace(control);
    EXPECT_GE(place.column, 1) << control.name;
    EXPECT_LE(place.column + place.span - 1, kPhoneColumns) << control.name;
    for (int c = place.column; c < place.column + place.span; ++c) {
      EXPECT_TRUE(taken.insert({place.row, c}).second) << control.name;
    }
    if (!control.frame.empty()) {
      EXPECT_GT(place.row, phonePlace(formControl(control.frame)).row) << control.name;
    }
  }
  const auto row = [](std::string_view name) { return phonePlace(formControl(name)).row; };
  EXPECT_EQ(row("Text1(0)"), row("Text1(3)"));
  EXPECT_LT(row("Text1(3)"), row("Text1(4)"));
  EXPECT_EQ(row("Command1"), row("Command2"));
  EXPECT_LT(row("Text2"), row("Text3"));
  EXPECT_EQ(row("Command3"), row("Text5(4)"));  // the shop button, 中边 and 3N, as on the form
  EXPECT_EQ(row("Text5(0)"), row("Text5(4)"));
  EXPECT_EQ(row("Text5(1)"), row("Text5(3)"));
  EXPECT_LT(row("Text5(3)"), row("Label1"));
}

TEST(MainFormLayout, EveryCellAndOutputHasOneBoxNamedForIt) {
  std::vector<int> cells, outputs;
  for (const Control& control : mainFormControls()) {
    EXPECT_EQ(control.cell.has_value(), control.role == ControlRole::GridCell) << control.name;
    EXPECT_EQ(control.output.has_value(), control.role == ControlRole::Output) << control.name;
    if (control.cell) {
      cells.push_back(*control.cell);
      EXPECT_EQ(control.accessibleName, cellName(*control.cell));
      EXPECT_EQ(control.name, "Text1(" + std::to_string(*control.cell) + ")");
    }
    if (control.output) outputs.push_back(static_cast<int>(*control.output));
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
    const std::string name(words::verdictBoxName(engine::boxOf(verdict)));
    EXPECT_TRUE(std::string(engine::verdictText(verdict)).starts_with(name + "：")) << name;
  }
  EXPECT_EQ(words::verdictBoxName(engine::Output::Mod3), "3N");
  EXPECT_EQ(words::verdictBoxName(engine::Output::KeyRange), "");
}

}  // namespace
}  // namespace quorvel::presentation
