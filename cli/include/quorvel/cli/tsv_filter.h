#pragma once

namespace quorvel::cli {

// Reads one grid a line from file descriptor `in` and writes one result line for each to `out`.
// Input is read in large blocks and lines are split where they lie; output goes through one
// large buffer, written whenever it fills and whenever the input has nothing more waiting, so a
// long run streams at full speed and an interactive one is answered line by line. A UTF-8 byte
// order mark at the very start is skipped. At the first malformed line, or as soon as a line
// passes kMaxLineBytes, throws the LocatedError that names it, after every line before it has
// been written; a failed read or write throws std::system_error. Memory stays within about the
// line limit and the time is linear in the input.
void runFilter(int in, int out);

}  // namespace quorvel::cli
