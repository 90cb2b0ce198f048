#pragma once

namespace quorvel::tsv {

// Reads one grid a line from file descriptor `in` and writes one result line for each to `out`.
// Input is read in large blocks and lines are split where they lie; output goes through one
// large buffer, written whenever it fills and whenever the input has nothing more waiting, so a
// long run streams at full speed and an interactive one is answered line by line. At the first
// malformed line, throws the LocatedError that names it, after every line before it has been
// written; a failed read or write throws std::system_error.
void runFilter(int in, int out);

}  // namespace quorvel::tsv
