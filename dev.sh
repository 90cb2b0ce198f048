#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quorvel, builds it, and starts the window or runs the tests.
#
#   bash dev.sh run    install what is missing, build, start the window
#   bash dev.sh test   install what is missing, build, run the whole test suite
#   bash dev.sh web    install what is missing, build the web edition, serve it on 127.0.0.1:8080
#
# Run it as root, or as a user who may use sudo for apt-get.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake ninja-build g++ pkg-config      # the toolchain
  qt6-base-dev fonts-noto-cjk           # the window, and a font with the Chinese captions
  libcli11-dev                          # command-line parsing
  libboost-dev                          # Boost.Math's distributions, for the backtest's tests
  help2man librsvg2-bin                 # the man pages and the icons, made at build time
  qt6-translations-l10n                 # Qt's own dialogs in Chinese
  libgtest-dev libgmock-dev libbenchmark-dev
)
# The web edition's compiler, and the browser its tests drive. Its JavaScript optimiser takes
# acorn from web/package-lock.json, as the page's own checks do.
web_packages=(emscripten chromium)
# What the tests check the desktop files and the Debian package with.
test_packages=(clang libclang-rt-14-dev clang-tidy  # libFuzzer, clang's sanitizer runtimes, the size check
               desktop-file-utils appstream lintian dpkg-dev file)

install_missing() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
      missing+=("$package")
  done
  [[ ${#missing[@]} -eq 0 ]] && return
  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  echo "dev.sh: installing ${missing[*]}"
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {  # build PRESET (from CMakePresets.json)
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

web_setup() {  # the pinned packages of web/package-lock.json: the page's checks and tests
  [[ -d web/node_modules/typescript ]] || (cd web && npm ci --no-audit --no-fund)
}

case ${1:-} in
  run)
    install_missing "${packages[@]}"
    cmake --preset dev >/dev/null
    cmake --build --preset dev --target quorvel  # the window alone, not the tests
    exec build/ui/quorvel
    ;;
  test)
    install_missing "${packages[@]}" "${test_packages[@]}" "${web_packages[@]}"
    web_setup
    echo "== the web edition (WebAssembly)"
    build web
    echo "== the normal build"
    build dev
    ctest --preset dev
    echo "== everything again under AddressSanitizer and UndefinedBehaviorSanitizer"
    build asan
    ctest --preset asan
    echo "== the fuzz targets, briefly"
    build fuzz
    fuzz/run.sh build-fuzz 15
    ;;
  web)
    install_missing cmake ninja-build librsvg2-bin libcli11-dev libboost-dev "${web_packages[@]}"
    web_setup
    build web
    exec node web/serve.mjs build-web/site 8080
    ;;
  *)
    echo "usage: bash dev.sh run | test | web" >&2
    exit 2
    ;;
esac
