#!/usr/bin/env bash
# Draws a sample part with the command-line program and says where it is.
set -euo pipefail
build=${1:-build}
qzdbs="$build/apps/qzdbs/qzdbs"
out="$build/demo"
mkdir -p "$out"
"$qzdbs" --version
# An M12 x 60 hexagon head bolt (ISO 4014, value row 17 of the sample library), both views.
"$qzdbs" show "GB/T 5782" --row 65 | sed -n '1p'
for format in dxf png; do
  file="$out/bolt-M12x60.$format"
  "$qzdbs" draw "GB/T 5782" --row 65 -o "$file" >/dev/null
  echo "The drawing is in $(realpath "$file")"
done
# The thread length b of an M10x40 hex bolt, from its library formula.
echo "b = $("$qzdbs" eval "IIf(O.L<=125, 2*S.d+6, 2*S.d+12)" --var O.L=40 --var S.d=10)"
