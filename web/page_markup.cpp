// Writes the page's MainForm from the window's layout table, at build time: the controls'
// markup into the page's template, and each control's place, size and colours, on the form and
// on a phone, as a style sheet. The page then shows the same controls, captions and Tab order as
// the window, before any script runs. The page's fixed rules are its own style sheet's, which
// learns the form's width here.
//   node page_markup.js SOURCE_SITE OUT_SITE LAYOUT_JSON
// It writes index.html, the one-file edition's quorvel.html.in, style.css and form.css, and, for
// the page's tests to hold the page against, the layout table as LAYOUT_JSON outside the site.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "quorvel/game/game.h"
#include "quorvel/web/page_style.h"
#include "quorvel/presentation/failure_report.h"
#include "quorvel/presentation/main_form_layout.h"
#include "quorvel/presentation/page_words.h"
#include "quorvel/presentation/screen_layout.h"
#include "quorvel/words/json_text.h"

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

// What a control says it is for, as the page's script finds it.
std::string roleAttributes(const Control& control) {
  switch (control.role) {
    case ControlRole::GridCell:
      return " class=\"cell\" data-cell=\"" + std::to_string(control.cell.value()) +
             "\" inputmode=\"decimal\" autocomplete=\"off\"";
    case ControlRole::Output:
      return std::string(" class=\"") +
             (engine::isList(control.output.value()) ? "list" : "verdict") + "\" data-output=\"" +
             std::to_string(static_cast<int>(*control.output)) + "\" autocomplete=\"off\"";
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
  const std::string id = " id=\"" + elementId(control.name) + "\"";
  const std::string attributes = id + roleAttributes(control);
  const std::string spoken = " aria-label=\"" + escaped(control.accessibleName) + "\"";
  switch (control.kind) {
    case ControlKind::Frame:
      return "<div" + attributes + "><span class=\"caption\">" + escaped(control.caption) +
             "</span></div>";
    case ControlKind::TextBox:
      // A list box is a text area, so that a narrow screen can wrap every number into view.
      if (control.output && engine::isList(*control.output)) {
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

// The widest screen that takes the phone's arrangement: any narrower than the form.
std::string phoneMaxWidth() { return std::to_string(presentation::kFormWidth - 1) + ".98px"; }

// Every control's place, size and colours on the form, and the form's own size.
std::string formStyle() {
  std::ostringstream out;
  out << "/* Generated from MainForm's layout table: every control at its pixel place. */\n";
  out << ":root { --form-width: " << presentation::kFormWidth
      << "px; --form-height: " << presentation::kFormHeight << "px; }\n";
  for (const Control& control : presentation::mainFormControls()) {
    const presentation::Rect r = presentation::rectOnForm(control);
    const PageColours colours = pageColours(control);
    const std::string id = "#" + elementId(control.name);
    out << id << " { left: " << r.left << "px; top: " << r.top << "px; width: " << r.width
        << "px; height: " << r.height << "px;";
    if (colours.background) out << " background: " << cssColour(*colours.background) << ";";
    const bool frame = control.kind == ControlKind::Frame;
    if (colours.text && !frame) out << " color: " << cssColour(*colours.text) << ";";
    if (control.role == ControlRole::Disclaimer) out << " font: " << disclaimerFont() << ";";
    out << " }\n";
    if (frame && colours.text)
      out << id << " .caption { color: " << cssColour(*colours.text) << "; }\n";
  }
  return out.str();
}

// Each control's place when the form is arranged for a phone, a grid of kPhoneColumns columns
// that the style sheet sets out below the form's width; a frame's place is its caption's.
std::string phoneStyle() {
  std::ostringstream out;
  out << "@media (max-width: " << phoneMaxWidth() << ") {\n";
  for (const Control& control : presentation::mainFormControls()) {
    const presentation::PhonePlace place = presentation::phonePlace(control);
    out << "  #" << elementId(control.name)
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

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) throw std::runtime_error("cannot read " + path);
  return text;
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

// The template's lines for one edition of the page. Lines between "<!--site-->" and "<!--/site-->"
// are the hosted site's alone, and those between "<!--file" and "/file-->" the one-file edition's
// (a comment anywhere else); the marker lines themselves are dropped.
std::string edition(const std::string& page, bool site) {
  std::istringstream lines(page);
  std::string out, line;
  bool inSite = false, inFile = false;
  while (std::getline(lines, line)) {
    if (line == "<!--site-->" || line == "<!--/site-->") {
      if (inSite == (line == "<!--site-->")) throw std::runtime_error("unpaired " + line);
      inSite = !inSite;
      continue;
    }
    if (line == "<!--file" || line == "/file-->") {
      if (inFile == (line == "<!--file")) throw std::runtime_error("unpaired " + line);
      inFile = !inFile;
      continue;
    }
    if ((inSite && !site) || (inFile && site)) continue;
    out += line + '\n';
  }
  if (inSite || inFile) throw std::runtime_error("the template leaves a block open");
  return out;
}

// MainForm's controls as the page's markup was made from them: [{ id, name, parent, rect: [left,
// top, width, height] on the form, caption, tabIndex (-1 for none), accessibleName }].
std::string layoutJson() {
  const std::vector<const Control*> tabOrder = presentation::tabOrder();
  std::string json = "[";
  for (const Control& control : presentation::mainFormControls()) {
    const presentation::Rect r = presentation::rectOnForm(control);
    const auto tab = std::find(tabOrder.begin(), tabOrder.end(), &control);
    if (json.size() > 1) json += ",\n";
    json += "{\"id\":" + words::jsonString(elementId(control.name)) + ",\"name\":" + words::jsonString(control.name) +
            ",\"parent\":" + words::jsonString(control.parent) + ",\"rect\":[" + std::to_string(r.left) + "," +
            std::to_string(r.top) + "," + std::to_string(r.width) + "," + std::to_string(r.height) +
            "],\"caption\":" + words::jsonString(control.caption) + ",\"tabIndex\":" +
            std::to_string(tab == tabOrder.end() ? -1 : tab - tabOrder.begin()) +
            ",\"accessibleName\":" + words::jsonString(control.accessibleName) + "}";
  }
  return json + "]\n";
}

// The choice of game above the form: a button a game, pressed for the first, each naming the
// game's shipped record; the page's script presses the one the player chose last.
std::string gamesMarkup() {
  std::string out = "<div id=\"Games\" role=\"group\" data-word-label=\"gamesLabel\">";
  for (const game::Game* known : game::kGames) {
    out += "<button type=\"button\" data-game=\"" + escaped(known->id) + "\" data-record=\"" +
           escaped(known->recordFile) + "\" aria-pressed=\"" +
           (known == game::kGames.front() ? "true" : "false") + "\">" +
           escaped(known->names->name) + "</button>";
  }
  return out + "</div>\n";
}

int run(const std::string& source, const std::string& site, const std::string& layout) {
  std::string page = readFile(source + "/index.html.in");
  replace(page, "@TITLE@", presentation::windowTitle(presentation::Edition::Web));
  replace(page, "@PROGRAM@", std::string(presentation::kProgramName));
  replace(page, "@FORM@\n", formMarkup());
  replace(page, "@GAMES@\n", gamesMarkup());
  replace(page, "@REPORT_OK@", std::string(presentation::kReportConfirm));
  // Both languages, the page's own first: the engine that would choose one is what failed.
  replace(page, "@LOAD_FAILURE@",
          "<p lang=\"zh-CN\">" +
              escaped(std::string(presentation::loadFailure(words::Language::Chinese))) +
              "</p><p lang=\"en\">" +
              escaped(std::string(presentation::loadFailure(words::Language::English))) +
              "</p>");
  writeFile(site + "/index.html", edition(page, true));
  // The one-file edition's page, which single_file.mjs fills with its styles and script.
  writeFile(site + "/quorvel.html.in", edition(page, false));
  std::string style = readFile(source + "/style.css.in");
  replace(style, "@PHONE_MAX_WIDTH@", phoneMaxWidth());
  replace(style, "@PHONE_COLUMNS@", std::to_string(presentation::kPhoneColumns));
  writeFile(site + "/style.css", style);
  writeFile(site + "/form.css", formStyle() + phoneStyle());
  writeFile(layout, layoutJson());
  return 0;
}

}  // namespace
}  // namespace quorvel::web

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: page_markup SOURCE_SITE OUT_SITE LAYOUT_JSON\n";
    return 2;
  }
  try {
    return quorvel::web::run(argv[1], argv[2], argv[3]);
  } catch (const std::exception& error) {
    std::cerr << "page-markup: " << error.what() << '\n';
    return 1;
  }
}
