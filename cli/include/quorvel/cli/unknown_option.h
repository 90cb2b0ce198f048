#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::cli {

// The message for the first argument before a "--" that is written as a long option ("--name" or
// "--name=value") and is none of `known`: "unknown option --sed (did you mean --seed?)", with the
// suggestion only when a known option is one or two edits away. Empty when every such argument
// is known. The arguments are checked before any parsing, so that an unknown option is never
// taken for a value or a file and nothing else is blamed for it.
std::string unknownOptionMessage(std::span<const char* const> arguments,
                                 const std::vector<std::string>& known);

// The long options a CLI11 `app` knows, "--name" each, its help and version flags included.
template <class App>
std::vector<std::string> longOptionNames(const App& app) {
  std::vector<std::string> names;
  for (const auto* option : app.get_options()) {
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
  }
  return names;
}

// The number of single-character insertions, deletions and substitutions that turn `a` into `b`.
std::size_t editDistance(std::string_view a, std::string_view b);

}  // namespace quorvel::cli
