#pragma once

#include <string_view>

namespace quorvel::engine {

// The grid check's test: after blanks (spaces and tabs) at either end are ignored, the text is an
// optional sign, digits with at most one "." and at least one digit, and an optional exponent
// (E or e, an optional sign, at least one digit). Anything else, the empty text included, is not.
bool isNumericText(std::string_view text);

}  // namespace quorvel::engine
