#!/usr/bin/env bash
# Installs the build into a scratch prefix, stripped, and checks what a desktop and a shell find
# there: the programs, their man pages and completions, a valid desktop entry and AppStream
# metainfo, the icon in every size and the shipped record.
#   tests/ui/install_test.sh BUILD_DIR RECORD
set -euo pipefail
build=$1
record=$(basename "$2")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" --strip >/dev/null
share=$prefix/share
id=org.quorvel.Quorvel
files=("$share/applications/$id.desktop" "$share/metainfo/$id.metainfo.xml"
       "$share/icons/hicolor/scalable/apps/$id.svg" "$share/doc/quorvel/copyright"
       "$share/quorvel/$record" "$share/quorvel/pl3-draws-2004-2026.csv")
for program in quorvel quorvel-predict quorvel-backtest; do
  files+=("$prefix/bin/$program" "$share/man/man1/$program.1.gz")
done
for tool in quorvel-predict quorvel-backtest; do
  files+=("$share/bash-completion/completions/$tool")
done
for size in 16 24 32 48 64 128 256; do
  files+=("$share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${files[@]}"; do
  [[ -f $file ]] || { echo "missing: $file"; exit 1; }
done
for program in quorvel quorvel-predict quorvel-backtest; do
  file "$prefix/bin/$program" | grep -q ", stripped" || { echo "not stripped: $program"; exit 1; }
done
for entry in $id $id.Pick3; do
  desktop-file-validate "$share/applications/$entry.desktop"
  grep -qx "Icon=$id" "$share/applications/$entry.desktop"
done
grep -qx "Exec=quorvel --game pl3" "$share/applications/$id.Pick3.desktop"
validation=$(appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" 2>&1) || {
  echo "$validation"; exit 1; }
if grep -qE "^[EW]:" <<<"$validation"; then echo "$validation"; exit 1; fi
# The completion offers the options, and files where a history is expected.
source "$share/bash-completion/completions/quorvel-backtest"
COMP_WORDS=(quorvel-backtest --sh); COMP_CWORD=1; _quorvel_backtest
[[ ${COMPREPLY[*]} == "--shuffles" ]] || { echo "completion: ${COMPREPLY[*]}"; exit 1; }
echo "installed and valid"
