#pragma once

#include <iosfwd>

namespace quorvel::tsv {

// Reads one grid a line from `in` and writes one result line for each to `out`, as it goes.
// At the first malformed line, throws the LocatedError that names its line; every line before
// it has been written and flushed.
void runFilter(std::istream& in, std::ostream& out);

}  // namespace quorvel::tsv
