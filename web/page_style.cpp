#include "quorvel/web/page_style.h"

#include <cstdio>

namespace quorvel::web {

using presentation::ControlKind;
using presentation::Rgb;

std::string elementId(std::string_view name) {
  std::string id;
  for (const char c : name) {
    if (c == '(') id += '_';
    if (c != '(' && c != ')') id += c;
  }
  return id;
}

PageColours pageColours(const presentation::Control& control) {
  constexpr Rgb kPageRedOnWhite{224, 0, 0};
  PageColours colours{control.background, control.text};
  if (control.kind == ControlKind::TextBox) {
    colours.background = control.background.value_or(presentation::kWhite);
    colours.text = control.text.value_or(presentation::kBlack);
  }
  if (colours.text == presentation::kRed && colours.background == presentation::kWhite) {
    colours.text = kPageRedOnWhite;
  }
  return colours;
}

std::string cssColour(Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
  return text;
}

}  // namespace quorvel::web
