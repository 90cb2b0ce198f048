#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "quorvel/presentation/main_form_layout.h"

// How the page draws MainForm's controls: their element ids and their colours.
namespace quorvel::web {

// The control's name as an element id of the page: "Text1(0)" gives "Text1_0".
std::string elementId(std::string_view name);

// A control's colours as the page draws them: the toolkit's own text-box colours are a white box
// with black text, and red text on white is drawn a little darker, (224, 0, 0), since pure red
// reads at only 4.0:1 there and the page keeps to WCAG's 4.5:1. Nothing for a colour the page
// leaves to the browser, as for the buttons.
struct PageColours {
  std::optional<presentation::Rgb> background, text;
};
PageColours pageColours(const presentation::Control& control);

// A colour as CSS writes it: "#e00000".
std::string cssColour(presentation::Rgb rgb);

}  // namespace quorvel::web
