#pragma once

#include <array>
#include <string>
#include <string_view>

#include "quorvel/located_error.h"
#include "quorvel/prediction_pass.h"

namespace quorvel::tsv {

// Input line number `lineNumber` (its line feed already removed) as twelve cells. Inside a field
// \t, \n, \r and \\ stand for tab, line feed, carriage return and backslash; a lone carriage
// return at the end of the line is dropped. Throws LocatedError saying what is wrong with a line
// that is not twelve such fields; `cells` is then unspecified.
void decodeLine(std::string_view line, std::size_t lineNumber, GridStrings& cells);

// Appends `field` with tab, line feed, carriage return and backslash escaped.
void appendEscaped(std::string& out, std::string_view field);

// The output line for a pass: the eight boxes in index order, then the failure number, tab
// separated and escaped, ending in a line feed.
void appendResultLine(std::string& out, const PassResult& result);

}  // namespace quorvel::tsv
