# Warnings for the project's own targets: link quorvel_warnings to get them.
add_library(quorvel_warnings INTERFACE)
target_compile_options(quorvel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
  $<$<BOOL:${QUORVEL_WERROR}>:-Werror>)
