#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "quorvel/engine/output.h"

// MainForm described once, as data: every control with its place, caption and colours, in the
// order it is made. The Qt window builds its controls from this table and the page's markup and
// geometry are generated from it, so the two front ends cannot disagree. The Tab order and the
// phone's arrangement are not written down beside it: both follow from the table.
namespace quorvel::presentation {

// The window's client area, in pixels.
inline constexpr int kFormWidth = 590;
inline constexpr int kFormHeight = 315;

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};

enum class ControlKind : std::uint8_t { Frame, TextBox, Button, Label };

// What a control is for, so that a front end wires it without reading its name.
enum class ControlRole : std::uint8_t {
  Frame,       // a framed group, drawn under the controls laid over it
  GridCell,    // `cell` says which
  Output,      // `output` says which
  Predict,     // Command1
  DrawShift,   // Command2
  Shop,        // Command3
  Disclaimer,  // Label1
};

// A rectangle in pixels: its left and top edges from the top-left corner of its parent's client
// area, and its size.
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// A phone's row is split into this many equal parts: four cells, two buttons or three verdict
// boxes share a row.
inline constexpr int kPhoneColumns = 12;

struct Control {
  std::string_view name;  // the control's name with its index: "Text1(0)", "Frame3(1)"
  ControlKind kind;
  ControlRole role;
  std::optional<int> cell{};                // a grid cell's number, 0...11
  std::optional<engine::Output> output{};   // what an output box shows
  std::string_view parent{};                // the control it is made in; "" for the window
  std::string_view frame{};                 // the frame whose area it lies over; "" for none
  Rect rect{};                              // in its parent's client area
  std::string_view caption{};               // a frame's, button's or label's text
  std::optional<Rgb> background{}, text{};  // nothing: the toolkit's own colour for this kind
  std::string_view accessibleName{};        // what a screen reader calls it
  int phoneSpan = kPhoneColumns;            // the parts of a phone's row it takes
};

// Every control of MainForm in the order they are made: the frames first, so that the controls
// laid over them are drawn on top, then the controls that take the focus in Tab order, then the
// disclaimer.
std::span<const Control> mainFormControls();

// The control named `name`; throws std::out_of_range for a name MainForm does not have.
const Control& formControl(std::string_view name);

// The name of the box that shows `output`: "Text2" ... "Text4", "Text5(0)" ... "Text5(4)".
std::string_view outputBoxName(engine::Output output);

// The control's rectangle on the form's client area (its parent's place added).
Rect rectOnForm(const Control& control);

// Whether the control takes the keyboard focus: the text boxes and the buttons.
bool takesFocus(const Control& control);

// The controls that take the focus, in Tab order, which is their order in the table.
std::vector<const Control*> tabOrder();

// Where a control goes when the form is arranged for a phone: one column of rows, each split into
// kPhoneColumns parts. Each frame in the table's order gives a row to its caption, then rows to the
// controls that lie over it, in their order on the form (top to bottom, left to right), as many to
// a row as their spans allow; controls over no frame follow, a row each. Row and column count
// from 1.
struct PhonePlace {
  int row = 0, column = 0, span = 0;
  bool operator==(const PhonePlace&) const = default;
};
PhonePlace phonePlace(const Control& control);

// The disclaimer's font: the families to try in turn and its size in points.
struct Font {
  std::span<const std::string_view> families;
  double points;
};
Font disclaimerFont();

}  // namespace quorvel::presentation
