#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the desktop finds the tool there.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
desktop=$prefix/share/applications/org.quorvel.Quorvel.desktop
for file in "$prefix/bin/quorvel" "$prefix/bin/quorvel-predict" "$desktop" \
            "$prefix/share/icons/hicolor/32x32/apps/org.quorvel.Quorvel.png"; do
  [[ -f $file ]] || { echo "missing: $file"; exit 1; }
done
desktop-file-validate "$desktop"
grep -qx "Icon=org.quorvel.Quorvel" "$desktop"
echo "installed and valid"
