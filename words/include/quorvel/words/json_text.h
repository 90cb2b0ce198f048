#pragma once

#include <string>
#include <string_view>

namespace quorvel::words {

// `text` as a JSON string: quotes, backslashes and control characters escaped, UTF-8 kept.
std::string jsonString(std::string_view text);

}  // namespace quorvel::words
