#!/usr/bin/env bash
# Draws a sample part with the command-line program.
set -euo pipefail
build=${1:-build}
qzdbs="$build/apps/qzdbs/qzdbs"
"$qzdbs" --version
# The thread length b of an M10x40 hex bolt, from its library formula.
echo "b = $("$qzdbs" eval "IIf(O.L<=125, 2*S.d+6, 2*S.d+12)" --var O.L=40 --var S.d=10)"
