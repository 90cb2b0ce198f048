#!/usr/bin/env bash
# The web edition's page tests (web/tests/, Node's test runner driving Debian's Chromium through
# Playwright) against the built site and the native quorvel-predict and quorvel-backtest.
#   tests/web/page_test.sh SOURCE_DIR SITE_DIR NATIVE_PREDICT NATIVE_BACKTEST
set -u
source=$1
export QUORVEL_SITE=$2 QUORVEL_PREDICT=$3 QUORVEL_BACKTEST=$4
for need in "$QUORVEL_SITE/index.html" "$source/web/node_modules/playwright-core" /usr/bin/chromium; do
  if [[ ! -e $need ]]; then
    echo "missing $need (bash dev.sh test installs and builds everything): skipped"
    exit 77
  fi
done
cd "$source/web" && exec node --test --test-concurrency=1 tests/
