#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks what it holds, that its binaries are
# stripped, that it depends on the Qt libraries it links, and that lintian finds no error.
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/quorvel_"$version"_*.deb)
listing=$(dpkg-deb -c "$deb")
for path in usr/bin/quorvel usr/bin/quorvel-predict usr/bin/quorvel-backtest \
            usr/share/man/man1/quorvel.1.gz usr/share/man/man1/quorvel-predict.1.gz \
            usr/share/man/man1/quorvel-backtest.1.gz \
            usr/share/bash-completion/completions/quorvel-predict \
            usr/share/bash-completion/completions/quorvel-backtest \
            usr/share/metainfo/org.quorvel.Quorvel.metainfo.xml \
            usr/share/applications/org.quorvel.Quorvel.desktop \
            usr/share/icons/hicolor/scalable/apps/org.quorvel.Quorvel.svg \
            usr/share/doc/quorvel/copyright; do
  grep -q " \./$path\$" <<<"$listing" || { echo "the package lacks $path"; exit 1; }
done
for size in 16 24 32 48 64 128 256; do
  grep -q "/${size}x$size/apps/org.quorvel.Quorvel.png\$" <<<"$listing" || {
    echo "the package lacks the ${size}px icon"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
for program in quorvel quorvel-predict quorvel-backtest; do
  file "$work/root/usr/bin/$program" | grep -q ", stripped" || { echo "not stripped: $program"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 qt6-translations-l10n; do
  grep -q "$library" <<<"$depends" || { echo "no dependency on $library: $depends"; exit 1; }
done
report=$(lintian --no-tag-display-limit "$deb" 2>&1 | grep -v "running with root privileges" || true)
if grep -q "^E:" <<<"$report"; then echo "$report"; exit 1; fi
echo "package $(basename "$deb") holds everything; lintian: ${report:-clean}"
