#pragma once

namespace quorvel::engine {

// The character classes the number readers share.
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace quorvel::engine
