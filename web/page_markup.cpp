// Writes the page's MainForm from the window's layout table, at build time: the controls'
// markup into the page's template, and their places, sizes and colours as a style sheet. The page
// then shows the same controls, captions and Tab order as the window, before any script runs.
//   node page-markup.js TEMPLATE.html OUT.html OUT.css

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "quorvel/presentation/failure_report.h"
#include "quorvel/presentation/main_form_layout.h"
#include "quorvel/presentation/screen_layout.h"

namespace quorvel::web {
namespace {

using presentation::Control;
using presentation::ControlKind;
using presentation::ControlRole;

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string css(presentation::Rgb rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
  return text;
}

// What a control says it is for, as the page's script finds it.
std::string roleAttributes(const Control& control) {
  const std::string index = std::to_string(control.index);
  switch (control.role) {
    case ControlRole::GridCell:
      return " class=\"cell\" data-cell=\"" + index +
             "\" inputmode=\"decimal\" autocomplete=\"off\"";
    case ControlRole::Output:
      return std::string(" class=\"") + (control.index < engine::kLists ? "list" : "verdict") +
             "\" data-output=\"" + index + "\" autocomplete=\"off\"";
    case ControlRole::Predict:
      return " type=\"button\" data-action=\"predict\"";
    case ControlRole::DrawShift:
      return " type=\"button\" data-action=\"shift\"";
    case ControlRole::Shop:
      return " type=\"button\" data-action=\"shop\" data-href=\"" +
             escaped(presentation::kShopPageAddress) + "\"";
    case ControlRole::Frame:
      return " class=\"frame\"";
    case ControlRole::Disclaimer:
      return " role=\"note\"";
  }
  return "";
}

// One control's element. The form's order is the table's: frames under the controls laid over
// them, the focusable controls in Tab order.
std::string element(const Control& control) {
  const std::string id = " id=\"" + presentation::elementId(control.name) + "\"";
  const std::string attributes = id + roleAttributes(control);
  const std::string spoken = " aria-label=\"" + escaped(control.accessibleName) + "\"";
  switch (control.kind) {
    case ControlKind::Frame:
      return "<div" + attributes + "><span class=\"caption\">" + escaped(control.caption) +
             "</span></div>";
    case ControlKind::TextBox:
      // A list box is a text area, so that a narrow screen can wrap every number into view.
      if (control.role == ControlRole::Output && control.index < engine::kLists) {
        return "<textarea" + attributes + " rows=\"1\" spellcheck=\"false\"" + spoken +
               "></textarea>";
      }
      return "<input" + attributes + spoken + ">";
    case ControlKind::Button:
      return "<button" + attributes + spoken + ">" + escaped(control.caption) + "</button>";
    case ControlKind::Label:
      return "<p" + attributes + spoken + ">" + escaped(control.caption) + "</p>";
  }
  return "";
}

std::string formMarkup() {
  std::string markup;
  for (const Control& control : presentation::mainFormControls()) {
    markup += "  " + element(control) + "\n";
  }
  return markup;
}

// The disclaimer's font as CSS: its size in pixels at 96 per inch, and its families.
std::string disclaimerFont() {
  const presentation::Font font = presentation::disclaimerFont();
  std::ostringstream out;
  out << font.points * 96 / 72 << "px ";
  for (const std::string_view family : font.families) out << '"' << family << "\", ";
  out << "serif";
  return out.str();
}

// Every control's place, size and colours on the form, and the form's own size.
std::string formStyle() {
  std::ostringstream out;
  out << "/* Generated from MainForm's layout table: every control at its pixel place. */\n";
  out << ":root { --form-width: " << presentation::kFormWidth
      << "px; --form-height: " << presentation::kFormHeight << "px; }\n";
  out << "#MainForm { --layout: desktop; }\n";
  for (const Control& control : presentation::mainFormControls()) {
    const presentation::Rect r = presentation::rectOnForm(control);
    const presentation::PageColours colours = presentation::pageColours(control);
    const std::string id = "#" + presentation::elementId(control.name);
    out << id << " { left: " << r.left << "px; top: " << r.top << "px; width: " << r.width
        << "px; height: " << r.height << "px;";
    if (colours.background) out << " background: " << css(*colours.background) << ";";
    const bool frame = control.kind == ControlKind::Frame;
    if (colours.text && !frame) out << " color: " << css(*colours.text) << ";";
    if (control.role == ControlRole::Disclaimer) out << " font: " << disclaimerFont() << ";";
    out << " }\n";
    if (frame && colours.text) out << id << " .caption { color: " << css(*colours.text) << "; }\n";
  }
  return out.str();
}

// The same controls arranged for a phone, where the form drawn at its pixels would be too small to
// read or tap: one column of rows on a grid of kPhoneColumns, each control at its phone place,
// frames reduced to their captions above the boxes they hold. The page's script reads --layout.
std::string phoneStyle() {
  const presentation::PhoneMeasures& m = presentation::kPhone;
  std::ostringstream out;
  out << "@media (max-width: " << presentation::kFormWidth - 1 << ".98px) {\n"
      << "  #Screen { width: auto; height: auto; overflow: visible; }\n"
      << "  #MainForm { --layout: phone; display: grid; grid-template-columns: repeat("
      << presentation::kPhoneColumns << ", minmax(0, 1fr)); gap: " << m.gap
      << "px; padding: " << m.margin << "px; width: auto; height: auto; overflow: visible; "
      << "font-size: " << m.text << "px; }\n"
      << "  #MainForm > * { position: static; width: auto; height: auto; min-height: "
      << m.touchTarget << "px; }\n"
      << "  #MainForm > .frame { display: contents; }\n"
      << "  #MainForm .caption { position: static; min-height: 0; padding: 0; }\n"
      << "  #MainForm textarea.list { white-space: pre-wrap; line-height: 1.4; field-sizing: "
         "content; "
      << "overflow: visible; }\n"
      << "  #MainForm > [data-action=\"predict\"], #MainForm > [data-action=\"shift\"] { "
         "min-height: "
      << m.mainButton << "px; }\n"
      << "  #MainForm > [role=\"note\"] { min-height: 0; overflow: visible; font-size: " << m.text
      << "px; }\n";
  for (const Control& control : presentation::mainFormControls()) {
    const presentation::PhonePlace place = control.phone;
    out << "  #" << presentation::elementId(control.name)
        << (control.kind == ControlKind::Frame ? " .caption" : "") << " { grid-row: " << place.row
        << "; grid-column: " << place.column << " / span " << place.span << "; }\n";
  }
  out << "}\n";
  return out.str();
}

void replace(std::string& text, const std::string& placeholder, const std::string& value) {
  const std::size_t at = text.find(placeholder);
  if (at == std::string::npos) throw std::runtime_error("the template has no " + placeholder);
  text.replace(at, placeholder.size(), value);
}

int run(const char* templatePath, const char* htmlPath, const char* cssPath) {
  std::ifstream in(templatePath, std::ios::binary);
  std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) throw std::runtime_error(std::string("cannot read ") + templatePath);
  replace(page, "@TITLE@", presentation::windowTitle(presentation::Edition::Web));
  replace(page, "@PROGRAM@", std::string(presentation::kProgramName));
  replace(page, "@FORM@\n", formMarkup());
  replace(page, "@REPORT_OK@", std::string(presentation::kReportConfirm));
  std::ofstream html(htmlPath, std::ios::binary);
  html << page;
  std::ofstream style(cssPath, std::ios::binary);
  style << formStyle() << phoneStyle();
  if (!html.flush() || !style.flush()) throw std::runtime_error("cannot write the page");
  return 0;
}

}  // namespace
}  // namespace quorvel::web

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: page-markup TEMPLATE.html OUT.html OUT.css\n";
    return 2;
  }
  try {
    return quorvel::web::run(argv[1], argv[2], argv[3]);
  } catch (const std::exception& error) {
    std::cerr << "page-markup: " << error.what() << '\n';
    return 1;
  }
}
