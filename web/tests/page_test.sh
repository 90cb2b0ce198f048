#!/usr/bin/env bash
# The web edition's page tests (web/tests/*.test.mjs, Node's test runner driving Chromium through
# Playwright) against the built site and the native quorvel-predict and quorvel-backtest.
#   web/tests/page_test.sh SITE_DIR NATIVE_PREDICT NATIVE_BACKTEST RECORD CHROMIUM [TEST_FILE...]
# Without test files it runs them all.
set -u
export QUORVEL_SITE=$1 QUORVEL_PREDICT=$2 QUORVEL_BACKTEST=$3 QUORVEL_RECORD=$4 QUORVEL_CHROMIUM=$5
cd "$(dirname "$0")/.."
for need in "$QUORVEL_SITE/index.html" node_modules/playwright-core "$QUORVEL_CHROMIUM"; do
  if [[ -z $need || ! -e $need ]]; then
    echo "missing ${need:-a Chromium} (bash dev.sh test installs and builds everything): skipped"
    exit 77
  fi
done
shift 5
(($# > 0)) || set -- tests/*.test.mjs
exec node --test --test-concurrency=1 "$@"
