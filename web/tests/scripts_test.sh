#!/usr/bin/env bash
# The page's scripts hold to their declared types (TypeScript's checker over their JSDoc, strict,
# the page's and the workers' separately) and every function fits in 60 lines, as every function
# of the C++ does.
#   web/tests/scripts_test.sh
set -u
cd "$(dirname "$0")/.."
if [[ ! -d node_modules/typescript ]]; then
  echo "missing web/node_modules (bash dev.sh test installs it): skipped"
  exit 77
fi
status=0
for project in tsconfig.json tsconfig.workers.json; do
  node node_modules/typescript/bin/tsc -p "$project" || status=1
done
node tests/function_size.mjs site/*.js || status=1
[[ $status -eq 0 ]] && echo "1 passed, 0 failed: the page's types hold" || echo "0 passed, 1 failed"
exit $status
