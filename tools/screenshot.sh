#!/usr/bin/env bash
# Takes the README's screenshot: the real window under Xvfb, the worked grid typed in and
# Predict pressed. Needs the built window and: apt-get install xvfb xdotool imagemagick
set -euo pipefail
cd "$(dirname "$0")/.."
window=${1:-build/ui/quorvel}
out=${2:-docs/window.png}

Xvfb :97 -screen 0 800x500x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 1
export DISPLAY=:97
"$window" >/dev/null 2>&1 &
app=$!
id=$(xdotool search --sync --onlyvisible --name 'Quorvel' | tail -1)
xdotool windowfocus --sync "$id"  # the window opens with the focus in the first grid cell
sleep 1
for cell in 3 5 8 16 2 7 1 10 9 0 4 13; do
  xdotool type "$cell"
  xdotool key Tab
done
xdotool key space                 # the focus is on Predict after the twelfth cell
sleep 1
import -window "$id" "$out"       # the client area: Xvfb draws no frame around it
echo "wrote $out"
