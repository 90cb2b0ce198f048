#pragma once

#include <iosfwd>

namespace quorvel::tsv {

// Reads one grid a line from `in` and writes one result line for each to `out`, as it goes.
// Returns 0 when every line was a grid. At the first malformed line, writes a message naming its
// line number to `err` and returns 2; every line before it has been written.
int runFilter(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorvel::tsv
