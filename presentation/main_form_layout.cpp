#include "quorvel/presentation/main_form_layout.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "quorvel/engine/grid.h"
#include "quorvel/presentation/cell_names.h"
#include "quorvel/presentation/screen_layout.h"

namespace quorvel::presentation {
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

// A frame; on a phone its caption heads row `phoneRow`, across the screen.
Control frame(std::string_view name, std::string_view caption, Rect rect, int phoneRow) {
  // Frame1's and Frame4's backgrounds are the system's window-text and button-text colours,
  // black under the standard scheme, so all four frames look alike.
  return {name,
          ControlKind::Frame,
          ControlRole::Frame,
          0,
          "",
          rect,
          caption,
          kBlack,
          kRed,
          -1,
          caption,
          PhonePlace{phoneRow, 1, kPhoneColumns}};
}

Control button(std::string_view name, ControlRole role, std::string_view container,
               std::string_view caption, Rect rect, int tab, std::string_view spoken,
               PhonePlace phone) {
  return {name, ControlKind::Button, role, 0, container, rect, caption, {}, {}, tab, spoken, phone};
}

// On a phone each list takes a row of its own under its caption, and the verdicts and the shop
// button three to a row in their order on the screen: shop, 中边, 3N, then 大小, 单双, 前后.
PhonePlace phonePlace(Output output) {
  if (engine::isList(output)) return {7 + 2 * static_cast<int>(output), 1, kPhoneColumns};
  const auto place = std::find(kVerdictsOnScreen.begin(), kVerdictsOnScreen.end(), output) -
                     kVerdictsOnScreen.begin() + 1;  // the shop button comes first
  return {13 + static_cast<int>(place) / 3, 1 + 4 * (static_cast<int>(place) % 3), 4};
}

Control outputBox(Output output, Rect rect, int tab, std::string_view spoken) {
  const auto box = static_cast<std::size_t>(output) - engine::kLists;
  const bool list = engine::isList(output);
  return {list ? (output == Output::PredictedRange ? "Text2"
                  : output == Output::KeyRange     ? "Text3"
                                                   : "Text4")
               : kVerdictBoxNames[box],
          ControlKind::TextBox,
          ControlRole::Output,
          static_cast<int>(output),
          "",
          rect,
          "",
          {},
          list ? std::optional<Rgb>{} : kRed,
          tab,
          spoken,
          phonePlace(output)};
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

std::vector<Control> makeControls() {
  std::vector<Control> controls = {
      frame("Frame1", "输入前三期的开奖数据", {8, 8, 209, 185}, 1),
      frame("Frame2", listCaption(Output::PredictedRange), {232, 8, 353, 57}, 6),
      frame("Frame3(0)", listCaption(Output::KeyRange), {232, 72, 353, 57}, 8),
      frame("Frame3(1)", listCaption(Output::ExtremeNumbers), {232, 136, 353, 57}, 10),
      frame("Frame4", kVerdictCaption, {16, 200, 569, 49}, 12)};
  // Cell 4p + k: period p (0 latest) down, column k (three digits, then the sum) across.
  for (int i = 0; i < engine::kGridCells; ++i) {
    const int p = i / engine::kGridColumns, k = i % engine::kGridColumns;
    controls.push_back({kCellNames[static_cast<std::size_t>(i)], ControlKind::TextBox,
                        ControlRole::GridCell, i, "", Rect{16 + 48 * k, 24 + 32 * p, 41, 25}, "",
                        kWhite, kRed, i, cellName(i), PhonePlace{2 + p, 1 + 3 * k, 3}});
  }
  const std::vector<Control> rest = {
      button("Command1", ControlRole::Predict, "Frame1", "预 测", {8, 128, 81, 33}, 12, "预测",
             {5, 1, 6}),
      outputBox(Output::PredictedRange, {240, 24, 337, 33}, 13,
                listCaption(Output::PredictedRange)),
      button("Command2", ControlRole::DrawShift, "Frame1", "开奖了", {112, 128, 81, 33}, 14,
             "开奖了", {5, 7, 6}),
      outputBox(Output::KeyRange, {240, 88, 337, 33}, 15, listCaption(Output::KeyRange)),
      outputBox(Output::ExtremeNumbers, {240, 152, 337, 33}, 16,
                listCaption(Output::ExtremeNumbers)),
      outputBox(Output::MiddleEdge, verdictRect(Output::MiddleEdge), 17,
                verdictSpoken(Output::MiddleEdge)),
      outputBox(Output::BigSmall, verdictRect(Output::BigSmall), 18,
                verdictSpoken(Output::BigSmall)),
      outputBox(Output::OddEven, verdictRect(Output::OddEven), 19, verdictSpoken(Output::OddEven)),
      outputBox(Output::Mod3, verdictRect(Output::Mod3), 20, verdictSpoken(Output::Mod3)),
      button("Command3", ControlRole::Shop, "Frame4", "去 淘 宝", {8, 16, 57, 25}, 21, "去淘宝",
             {13, 1, 4}),
      outputBox(Output::FrontBack, verdictRect(Output::FrontBack), 22,
                verdictSpoken(Output::FrontBack)),
      // It reaches 14 pixels below the client area, which cuts it off there.
      {"Label1", ControlKind::Label, ControlRole::Disclaimer, 0, "", Rect{40, 264, 497, 65},
       kDisclaimer, kBlack, kRed, -1, "免责声明", PhonePlace{15, 1, kPhoneColumns}}};
  controls.insert(controls.end(), rest.begin(), rest.end());
  return controls;
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
    if (control.role == ControlRole::Output && control.index == static_cast<int>(output)) {
      return control.name;
    }
  }
  return {};
}

Rect rectOnForm(const Control& control) {
  Rect rect = control.rect;
  if (!control.container.empty()) {
    const Rect outer = formControl(control.container).rect;
    rect.left += outer.left;
    rect.top += outer.top;
  }
  return rect;
}

std::string elementId(std::string_view name) {
  std::string id;
  for (const char c : name) {
    if (c == '(') id += '_';
    if (c != '(' && c != ')') id += c;
  }
  return id;
}

PageColours pageColours(const Control& control) {
  constexpr Rgb kPageRedOnWhite{224, 0, 0};
  PageColours colours{control.background, control.text};
  if (control.kind == ControlKind::TextBox) {
    colours.background = control.background.value_or(kWhite);
    colours.text = control.text.value_or(kBlack);
  }
  if (colours.text == kRed && colours.background == kWhite) colours.text = kPageRedOnWhite;
  return colours;
}

Font disclaimerFont() {
  // 宋体, 10.5 points, with the names it goes by elsewhere and the CJK fonts that stand in for it.
  static constexpr std::array<std::string_view, 5> kFamilies = {
      "宋体", "SimSun", "Songti SC", "Noto Serif CJK SC", "Noto Sans CJK SC"};
  return {kFamilies, 10.5};
}

}  // namespace quorvel::presentation
