#!/usr/bin/env bash
# Renders the first, middle and last value row of every part of a library to
# one PNG sheet per part in docs/contact-sheets/ (part-PARTID.png), the rows
# side by side with their row numbers, to look at after a part or the drawing
# server changed.
#
#   scripts/contact-sheet.sh [--library FILE] [--qzdbs PROGRAM] [--out DIR] [--part ID ...]
#
# --part (repeatable) renders only the given PartIDs, e.g. the parts just added.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
qzdbs="$root/build/apps/qzdbs/qzdbs"
out="$root/docs/contact-sheets"
library=()
only=()
while [ $# -gt 0 ]; do
  case "$1" in
    --library) library=(--library "$2"); shift 2 ;;
    --qzdbs) qzdbs="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    --part) only+=("$2"); shift 2 ;;
    *) echo "contact-sheet: unknown argument $1" >&2; exit 2 ;;
  esac
done
for tool in jq montage; do
  command -v "$tool" >/dev/null || { echo "contact-sheet: $tool is needed" >&2; exit 2; }
done
[ -x "$qzdbs" ] || { echo "contact-sheet: no program $qzdbs (build the qzdbs target)" >&2; exit 2; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out"
parts=$("$qzdbs" catalog "${library[@]}" --json | jq -r '.. | objects | select(.kind? == "part") | .partId')
if [ ${#only[@]} -gt 0 ]; then
  parts=$(printf '%s\n' $parts | grep -Fxf <(printf '%s\n' "${only[@]}") || true)
fi
for part in $parts; do
  rows=($("$qzdbs" show "$part" "${library[@]}" --json | jq -r '.parameters.rows[].row'))
  picks=()
  if [ ${#rows[@]} -gt 0 ]; then
    picks=("${rows[0]}" "${rows[$(((${#rows[@]} - 1) / 2))]}" "${rows[${#rows[@]} - 1]}")
    picks=($(printf '%s\n' "${picks[@]}" | awk '!seen[$0]++'))
  fi
  tiles=()
  for row in "${picks[@]:-}"; do
    tile="$scratch/p$part-r${row:-0}.png"
    "$qzdbs" draw "$part" "${library[@]}" ${row:+--row "$row"} -o "$tile" >/dev/null
    tiles+=(-label "row ${row:-(none)}" "$tile")
  done
  sheet="$out/part-$part.png"
  montage "${tiles[@]}" -tile "${#picks[@]}x1" -geometry 800x800+8+8 -pointsize 20 \
    -background white -depth 8 -colors 64 "$sheet.part.png"
  mv -f "$sheet.part.png" "$sheet"
  echo "contact-sheet: $sheet"
done
