#!/usr/bin/env bash
# Applies small mutations to src/ one at a time, rebuilds only the test programs, runs them
# and records whether some test failed (killed) or none did (survived); then restores the file.
# The test programs of the mutated file's own folder run first and the run stops at the first
# program that fails, so a killed mutant costs one link and one run.
#
#   scripts/mutation-sample.sh BUILD_DIR MUTATIONS RESULTS [FIRST [LAST]]
#
# MUTATIONS holds one mutation a line: id<TAB>file<TAB>original text<TAB>replacement text.
# The original text must occur exactly once in the file. RESULTS gets a line per mutation:
# id<TAB>killed|survived|invalid<TAB>the test program that failed.
set -u
build=$1 mutations=$2 results=$3 first=${4:-1} last=${5:-999}
root=$(cd "$(dirname "$0")/.." && pwd)
programs=(server output compute db library engine ui apps platform)

order_for() {  # the mutated folder's programs first, then the rest
  local p
  echo "$1"
  for p in "${programs[@]}"; do [[ $p != "$1" ]] && echo "$p"; done
}

while IFS=$'\t' read -r id file from to; do
  [[ -z $id || $id == \#* ]] && continue
  ((id < first || id > last)) && continue
  path=$root/$file
  cp "$path" "$path.orig"
  if ! python3 - "$path" "$from" "$to" <<'PY'; then
import sys
path, old, new = sys.argv[1:]
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(f"{path}: {old!r} occurs {text.count(old)} times")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
    mv "$path.orig" "$path"
    printf '%s\tinvalid\tpattern\n' "$id" >>"$results"
    continue
  fi
  folder=$(echo "$file" | cut -d/ -f2)
  verdict=survived by=-
  for p in $(order_for "$folder"); do
    target=tests_$p
    [[ -f $root/tests/$p/CMakeLists.txt || -d $root/tests/$p ]] || continue
    if ! cmake --build "$build" -j2 --target "$target" >"$build/mutation-build.log" 2>&1; then
      verdict=invalid by=build:$target
      break
    fi
    if ! (cd "$root/tests" && QT_QPA_PLATFORM=offscreen timeout 600 "$build/tests/$target" --gtest_brief=1 --gtest_fail_fast >"$build/mutation-run.log" 2>&1); then
      verdict=killed by=$target
      break
    fi
  done
  mv "$path.orig" "$path"
  printf '%s\t%s\t%s\n' "$id" "$verdict" "$by" | tee -a "$results"
done <"$mutations"
