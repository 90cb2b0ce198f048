#include "quorvel/presentation/main_form_layout.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <string>

#include "quorvel/engine/grid.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/words/output_names.h"

namespace quorvel::presentation {

using words::kVerdictCaption;
using words::listCaption;
using words::verdictBoxName;

namespace {

using engine::Output;

constexpr std::string_view kDisclaimer =
    "本软件所提供预测只供参考，按此下注--后果自负。(注：本人测试后发现本软件有一规律就是连准4-"
    "5期后会"
    "开始错1-2期然后有开始连准，属性选择基本是连准后连不准的选择。请注意下注方式)";

// The names of the controls that come in arrays: "Text1(0)" ... "Text1(11)", "Text5(0)" ...
constexpr std::array<std::string_view, engine::kGridCells> kCellNames = {
    "Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)",  "Text1(5)",
    "Text1(6)", "Text1(7)", "Text1(8)", "Text1(9)", "Text1(10)", "Text1(11)"};
constexpr std::array<std::string_view, engine::kVerdicts> kVerdictBoxNames = {
    "Text5(0)", "Text5(1)", "Text5(2)", "Text5(3)", "Text5(4)"};

// On a phone four cells share a row, the two main buttons another, each list a row of its own and
// the verdict boxes and the shop button three to a row.
constexpr int kCellSpan = kPhoneColumns / 4;
constexpr int kMainButtonSpan = kPhoneColumns / 2;
constexpr int kVerdictSpan = kPhoneColumns / 3;

// Frame1's and Frame4's backgrounds are the system's window-text and button-text colours, black
// under the standard scheme, so all four frames look alike.
Control frame(std::string_view name, std::string_view caption, Rect rect) {
  return {.name = name,
          .kind = ControlKind::Frame,
          .role = ControlRole::Frame,
          .rect = rect,
          .caption = caption,
          .background = kBlack,
          .text = kRed,
          .accessibleName = caption};
}

Control button(std::string_view name, ControlRole role, std::string_view parent,
               std::string_view caption, Rect rect, std::string_view spoken, int span) {
  return {.name = name,
          .kind = ControlKind::Button,
          .role = role,
          .parent = parent,
          .frame = parent,
          .rect = rect,
          .caption = caption,
          .accessibleName = spoken,
          .phoneSpan = span};
}

// The frame each output lies over: each list its own, the verdicts Frame4.
std::string_view frameOf(Output output) {
  switch (output) {
    case Output::PredictedRange:
      return "Frame2";
    case Output::KeyRange:
      return "Frame3(0)";
    case Output::ExtremeNumbers:
      return "Frame3(1)";
    default:
      return "Frame4";
  }
}

Control outputBox(Output output, Rect rect, std::string_view spoken) {
  const bool list = engine::isList(output);
  const auto box = static_cast<std::size_t>(output) - engine::kLists;
  return {.name = list ? (output == Output::PredictedRange ? "Text2"
                          : output == Output::KeyRange     ? "Text3"
                                                           : "Text4")
                       : kVerdictBoxNames[box],
          .kind = ControlKind::TextBox,
          .role = ControlRole::Output,
          .output = output,
          .frame = frameOf(output),
          .rect = rect,
          .text = list ? std::optional<Rgb>{} : kRed,
          .accessibleName = spoken,
          .phoneSpan = list ? kPhoneColumns : kVerdictSpan};
}

Control gridCell(int i) {
  const int p = i / engine::kGridColumns, k = i % engine::kGridColumns;
  return {.name = kCellNames[static_cast<std::size_t>(i)],
          .kind = ControlKind::TextBox,
          .role = ControlRole::GridCell,
          .cell = i,
          .frame = "Frame1",
          .rect = Rect{16 + 48 * k, 24 + 32 * p, 41, 25},
          .background = kWhite,
          .text = kRed,
          .accessibleName = cellName(i),
          .phoneSpan = kCellSpan};
}

// A verdict box's place: left to right in their screen order, 96 pixels apart.
Rect verdictRect(Output output) {
  const auto place = std::find(kVerdictsOnScreen.begin(), kVerdictsOnScreen.end(), output) -
                     kVerdictsOnScreen.begin();
  return {104 + 96 * static_cast<int>(place), 216, 81, 25};
}

// The accessible names of the verdict boxes, "属性选择 中边", made once.
std::string_view verdictSpoken(Output output) {
  static const std::array<std::string, engine::kVerdicts> kSpoken = [] {
    std::array<std::string, engine::kVerdicts> spoken;
    for (int v = 0; v < engine::kVerdicts; ++v) {
      spoken[static_cast<std::size_t>(v)] =
          std::string(kVerdictCaption) + " " +
          std::string(verdictBoxName(static_cast<Output>(engine::kLists + v)));
    }
    return spoken;
  }();
  return kSpoken[static_cast<std::size_t>(output) - engine::kLists];
}

Control verdictBox(Output output) {
  return outputBox(output, verdictRect(output), verdictSpoken(output));
}

std::vector<Control> makeControls() {
  std::vector<Control> controls = {
      frame("Frame1", "输入前三期的开奖数据", {8, 8, 209, 185}),
      frame("Frame2", listCaption(Output::PredictedRange), {232, 8, 353, 57}),
      frame("Frame3(0)", listCaption(Output::KeyRange), {232, 72, 353, 57}),
      frame("Frame3(1)", listCaption(Output::ExtremeNumbers), {232, 136, 353, 57}),
      frame("Frame4", kVerdictCaption, {16, 200, 569, 49})};
  // Cell 4p + k: period p (0 latest) down, column k (three digits, then the sum) across.
  for (int i = 0; i < engine::kGridCells; ++i) controls.push_back(gridCell(i));
  const std::vector<Control> rest = {
      button("Command1", ControlRole::Predict, "Frame1", "预 测", {8, 128, 81, 33}, "预测",
             kMainButtonSpan),
      outputBox(Output::PredictedRange, {240, 24, 337, 33}, listCaption(Output::PredictedRange)),
      button("Command2", ControlRole::DrawShift, "Frame1", "开奖了", {112, 128, 81, 33}, "开奖了",
             kMainButtonSpan),
      outputBox(Output::KeyRange, {240, 88, 337, 33}, listCaption(Output::KeyRange)),
      outputBox(Output::ExtremeNumbers, {240, 152, 337, 33}, listCaption(Output::ExtremeNumbers)),
      verdictBox(Output::MiddleEdge),
      verdictBox(Output::BigSmall),
      verdictBox(Output::OddEven),
      verdictBox(Output::Mod3),
      button("Command3", ControlRole::Shop, "Frame4", "去 淘 宝", {8, 16, 57, 25}, "去淘宝",
             kVerdictSpan),
      verdictBox(Output::FrontBack),
      // It reaches 14 pixels below the client area, which cuts it off there.
      {.name = "Label1",
       .kind = ControlKind::Label,
       .role = ControlRole::Disclaimer,
       .rect = Rect{40, 264, 497, 65},
       .caption = kDisclaimer,
       .background = kBlack,
       .text = kRed,
       .accessibleName = "免责声明"}};
  controls.insert(controls.end(), rest.begin(), rest.end());
  return controls;
}

// Lays out a phone's rows: `controls` in turn, a new row whenever the next does not fit.
void placeInRows(const std::vector<const Control*>& controls, int& row,
                 std::map<std::string_view, PhonePlace>& places) {
  int column = kPhoneColumns;  // the row so far is full: the first control starts a new one
  for (const Control* control : controls) {
    if (column + control->phoneSpan > kPhoneColumns) {
      ++row;
      column = 0;
    }
    places[control->name] = {row, column + 1, control->phoneSpan};
    column += control->phoneSpan;
  }
}

std::map<std::string_view, PhonePlace> phonePlaces() {
  std::map<std::string_view, PhonePlace> places;
  int row = 0;
  const auto over = [](std::string_view frame) {
    std::vector<const Control*> lying;
    for (const Control& control : mainFormControls()) {
      if (control.kind != ControlKind::Frame && control.frame == frame) lying.push_back(&control);
    }
    std::stable_sort(lying.begin(), lying.end(), [](const Control* a, const Control* b) {
      const Rect ra = rectOnForm(*a), rb = rectOnForm(*b);
      return std::pair(ra.top, ra.left) < std::pair(rb.top, rb.left);
    });
    return lying;
  };
  for (const Control& control : mainFormControls()) {
    if (control.kind != ControlKind::Frame) continue;
    placeInRows({&control}, row, places);
    placeInRows(over(control.name), row, places);
  }
  for (const Control* control : over("")) placeInRows({control}, row, places);
  return places;
}

}  // namespace

std::span<const Control> mainFormControls() {
  static const std::vector<Control> kControls = makeControls();
  return kControls;
}

const Control& formControl(std::string_view name) {
  for (const Control& control : mainFormControls()) {
    if (control.name == name) return control;
  }
  throw std::out_of_range("MainForm has no control " + std::string(name));
}

std::string_view outputBoxName(engine::Output output) {
  for (const Control& control : mainFormControls()) {
    if (control.output == output) return control.name;
  }
  return {};
}

Rect rectOnForm(const Control& control) {
  Rect rect = control.rect;
  if (!control.parent.empty()) {
    const Rect outer = formControl(control.parent).rect;
    rect.left += outer.left;
    rect.top += outer.top;
  }
  return rect;
}

bool takesFocus(const Control& control) {
  return control.kind == ControlKind::TextBox || control.kind == ControlKind::Button;
}

std::vector<const Control*> tabOrder() {
  std::vector<const Control*> order;
  for (const Control& control : mainFormControls()) {
    if (takesFocus(control)) order.push_back(&control);
  }
  return order;
}

PhonePlace phonePlace(const Control& control) {
  static const std::map<std::string_view, PhonePlace> kPlaces = phonePlaces();
  return kPlaces.at(control.name);
}

Font disclaimerFont() {
  // 宋体, 10.5 points, with the names it goes by elsewhere and the CJK fonts that stand in for it.
  static constexpr std::array<std::string_view, 5> kFamilies = {
      "宋体", "SimSun", "Songti SC", "Noto Serif CJK SC", "Noto Sans CJK SC"};
  return {kFamilies, 10.5};
}

}  // namespace quorvel::presentation
