#include "quorvel/cli/unknown_option.h"

#include <algorithm>
#include <numeric>

namespace quorvel::cli {

std::size_t editDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  std::iota(row.begin(), row.end(), std::size_t{0});
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

std::string unknownOptionMessage(std::span<const char* const> arguments,
                                 const std::vector<std::string>& known) {
  for (const char* argument : arguments) {
    const std::string_view text(argument);
    if (text == "--") break;
    if (text.size() <= 2 || !text.starts_with("--")) continue;
    const std::string_view name = text.substr(0, text.find('='));
    if (std::find(known.begin(), known.end(), name) != known.end()) continue;
    std::string message = "unknown option " + std::string(name);
    const auto closest = std::min_element(known.begin(), known.end(),
                                          [&](const std::string& x, const std::string& y) {
                                            return editDistance(name, x) < editDistance(name, y);
                                          });
    if (closest != known.end() && editDistance(name, *closest) <= 2) {
      message += " (did you mean " + *closest + "?)";
    }
    return message;
  }
  return "";
}

}  // namespace quorvel::cli
