#pragma once

#include <array>
#include <string>
#include <string_view>

#include "quorvel/cli/located_error.h"
#include "quorvel/engine/prediction_pass.h"

namespace quorvel::cli {

// Input line number `lineNumber` (its line feed already removed) as twelve cells. Inside a field
// \t, \n, \r and \\ stand for tab, line feed, carriage return and backslash; a lone carriage
// return at the end of the line is dropped. Throws LocatedError saying what is wrong with a line
// that is not twelve such fields; `cells` is then unspecified.
void decodeLine(std::string_view line, std::size_t lineNumber, engine::GridStrings& cells);

// The same line as views of its twelve fields: into the line itself where no field has an escape,
// else into `decoded`. The views are valid while both live unchanged. Throws as decodeLine does.
void splitLine(std::string_view line, std::size_t lineNumber, engine::GridStrings& decoded,
               engine::GridTexts& fields);

// Appends `field` with tab, line feed, carriage return and backslash escaped.
void appendEscaped(std::string& out, std::string_view field);

// The output line for a pass: the eight boxes in index order, then the failure number, tab
// separated, ending in a line feed. No box text holds a character that needs an escape.
void appendResultLine(std::string& out, const engine::PassResult& result);

}  // namespace quorvel::cli
