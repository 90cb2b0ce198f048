#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "quorvel/engine/output.h"

// MainForm described once, as data: every control with its place, caption, colours and place in
// the tab order. The Qt window builds its controls from this table and the page's markup and
// geometry are generated from it, so the two front ends cannot disagree.
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
  GridCell,    // index: the cell, 0...11
  Output,      // index: the engine::Output it shows
  Predict,     // Command1
  DrawShift,   // Command2
  Shop,        // Command3
  Disclaimer,  // Label1
};

// A rectangle in pixels: its left and top edges from the top-left corner of its container's
// client area, and its size.
struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect&) const = default;
};

// Where a control goes when the form is arranged for a phone: one column of rows, each row split
// into kPhoneColumns equal parts, so that four cells, two buttons or three verdict boxes share a
// row. Row and column count from 1; a frame's place is its caption's, above the boxes it holds.
inline constexpr int kPhoneColumns = 12;
struct PhonePlace {
  int row = 0, column = 0, span = 0;
};

// The phone arrangement's measures, in CSS pixels: every box and button at least kTouchTarget
// tall (and the two main buttons kMainButton), kPhoneGap apart, with text of kPhoneText.
struct PhoneMeasures {
  int touchTarget = 44;
  int mainButton = 48;
  int gap = 8;
  int margin = 12;
  int text = 16;
};
inline constexpr PhoneMeasures kPhone{};

struct Control {
  std::string_view name;  // the control's name with its index: "Text1(0)", "Frame3(1)"
  ControlKind kind;
  ControlRole role;
  int index;                      // see ControlRole; 0 where it has none
  std::string_view container;     // "" for the window, else the frame the control sits in
  Rect rect;                      // in the container's client area
  std::string_view caption;       // a frame's, button's or label's text; "" for a text box
  std::optional<Rgb> background;  // nothing: the toolkit's own colour for this kind
  std::optional<Rgb> text;
  int tabPosition;                  // its place in the Tab order from 0; -1 when it takes no focus
  std::string_view accessibleName;  // what a screen reader calls it
  PhonePlace phone;                 // its place in the phone's arrangement
};

// Every control of MainForm in the order they are made: the frames first, so that the controls
// laid over them are drawn on top, then the controls that take the focus in Tab order, then the
// disclaimer.
std::span<const Control> mainFormControls();

// The control named `name`; throws std::out_of_range for a name MainForm does not have.
const Control& formControl(std::string_view name);

// The name of the box that shows `output`: "Text2" ... "Text4", "Text5(0)" ... "Text5(4)".
std::string_view outputBoxName(engine::Output output);

// The control's rectangle on the form's client area (a button's frame's place added).
Rect rectOnForm(const Control& control);

// The control's name as an element id of the page: "Text1(0)" gives "Text1_0".
std::string elementId(std::string_view name);

// A control's colours as the page draws them: the toolkit's own text-box colours are a white box
// with black text, and red text on white is drawn a little darker, (224, 0, 0), since pure red
// reads at only 4.0:1 there and the page keeps to WCAG's 4.5:1. Nothing for a colour the page
// leaves to the browser, as for the buttons.
struct PageColours {
  std::optional<Rgb> background, text;
};
PageColours pageColours(const Control& control);

// The disclaimer's font: the families to try in turn and its size in points.
struct Font {
  std::span<const std::string_view> families;
  double points;
};
Font disclaimerFont();

}  // namespace quorvel::presentation
