#!/usr/bin/env bash
# A mutation sample: how many small faults in src/ the test suite notices.
#
#   scripts/mutation-sample.sh TREE BUILD_DIR RESULTS [IDS...]
#
# Every mutation of scripts/mutations.tsv is compiled into TREE's sources at once, each behind
# the environment variable QZDBS_MUTANT (a mutant schema), so that one build serves them all.
# The test programs then run once per mutation with QZDBS_MUTANT=<id>; the run stops at the
# first program that fails (killed) or passes them all (survived). Programs the command-line
# tests start inherit the variable. A run without the variable comes first: the suite must pass
# unmutated. TREE's sources are restored at the end. The widget tests (tests_ui_qt) are left
# out: the mutations are below the user interface.
set -u
tree=$(cd "$1" && pwd) build=$(cd "$2" && pwd) results=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
# The programs to run, in this order; PROGRAMS="db output" runs only those.
read -r -a programs <<<"${PROGRAMS:-server output compute db library engine ui apps platform}"

# A restored file is touched: it is older than the mutated objects, which the next build would
# otherwise keep.
restore() {
  find "$tree/src" -name '*.mutation-orig' | while read -r orig; do
    mv "$orig" "${orig%.mutation-orig}" && touch "${orig%.mutation-orig}"
  done
}
trap restore EXIT

/usr/bin/python3 - "$tree" "$here/mutations.tsv" <<'PY' || exit 1
import collections, sys
tree, table = sys.argv[1:]
by_file = collections.defaultdict(list)
for line in open(table, encoding="utf-8"):
    if line.startswith("#") or not line.strip():
        continue
    mid, path, context, original, mutated = line.rstrip("\n").split("\t")
    by_file[path].append((int(mid), context, original, mutated))
for path, mutations in by_file.items():
    full = f"{tree}/{path}"
    text = open(full, encoding="utf-8").read()
    open(full + ".mutation-orig", "w", encoding="utf-8").write(text)
    for mid, context, original, mutated in mutations:
        if text.count(context) != 1 or context.count(original) != 1:
            sys.exit(f"{path}: mutation {mid} does not match exactly once")
        schema = f"(QZDBS_MUTANT_ON({mid}) ? ({mutated}) : ({original}))"
        text = text.replace(context, context.replace(original, schema))
    first = text.index("#include")
    text = (text[:first] + "#include <cstdlib>\n#define QZDBS_MUTANT_ON(n) "
            "(std::getenv(\"QZDBS_MUTANT\") && std::atoi(std::getenv(\"QZDBS_MUTANT\")) == (n))\n"
            + text[first:])
    open(full, "w", encoding="utf-8").write(text)
PY

targets=()
for p in "${programs[@]}"; do [[ -d $tree/tests/$p ]] && targets+=("tests_$p"); done
cmake --build "$build" -j2 --target "${targets[@]}" >"$build/mutation-build.log" 2>&1 ||
  { echo "build failed: $build/mutation-build.log"; exit 1; }

run() {  # run MUTANT [FOLDER]: the first program that fails, or nothing; FOLDER's runs first
  local order=() p
  for p in "${programs[@]}"; do [[ $p == "${2:-}" ]] && order+=("$p"); done
  for p in "${programs[@]}"; do [[ $p != "${2:-}" ]] && order+=("$p"); done
  for p in "${order[@]}"; do
    [[ -x $build/tests/tests_$p ]] || continue
    if ! (cd "$tree/tests" && QZDBS_MUTANT=$1 QT_QPA_PLATFORM=offscreen timeout 900 \
          "$build/tests/tests_$p" --gtest_brief=1 --gtest_fail_fast >"$build/mutation-run-$1.log" 2>&1); then
      echo "tests_$p"
      return
    fi
  done
}

baseline=$(run 0)
[[ -z $baseline ]] || { echo "the unmutated suite fails in $baseline"; exit 1; }
ids=("$@")
[[ ${#ids[@]} -gt 0 ]] || mapfile -t ids < <(grep -v '^#' "$here/mutations.tsv" | cut -f1)
for id in "${ids[@]}"; do
  folder=$(awk -F'\t' -v id="$id" '$1 == id {print $2}' "$here/mutations.tsv" | cut -d/ -f2)
  by=$(run "$id" "$folder")
  printf '%s\t%s\t%s\n' "$id" "$([[ -n $by ]] && echo killed || echo survived)" "${by:--}" | tee -a "$results"
done
