#!/usr/bin/env bash
# Takes the drawing server's new golden outputs (NAME.out.EXT, written by the
# golden tests on a mismatch) as the goldens. Look at them first: open the PNG
# and the PDF, read the diff of the text formats.
set -euo pipefail
dir="$(cd "$(dirname "$0")/.." && pwd)/tests/data/server/golden"
shopt -s nullglob
outputs=("$dir"/*.out.*)
if [ ${#outputs[@]} -eq 0 ]; then
  echo "bless-server-goldens: nothing to bless in $dir"
  exit 0
fi
for out in "${outputs[@]}"; do
  golden="${out/.out./.}"
  mv -f "$out" "$golden"
  echo "blessed $(basename "$golden")"
done
