#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quorvel, builds it, and starts the window or runs the tests.
#
#   bash dev.sh run    install what is missing, build, start the window
#   bash dev.sh test   install what is missing, build, run the whole test suite
#
# Run it as root, or as a user who may use sudo for apt-get.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  cmake ninja-build g++ pkg-config      # the toolchain
  qt6-base-dev fonts-noto-cjk           # the window, and a font with the Chinese captions
  libcli11-dev                          # command-line parsing
  libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils
)

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

build() {  # build DIR [CMAKE OPTIONS...]
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DQUORVEL_WERROR=ON "$@" >/dev/null
  cmake --build "$dir"
}

case ${1:-} in
  run)
    install_missing "${packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    exec build/ui/quorvel
    ;;
  test)
    install_missing "${packages[@]}"
    build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    ctest --test-dir build --output-on-failure
    ;;
  *)
    echo "usage: bash dev.sh run | test" >&2
    exit 2
    ;;
esac
