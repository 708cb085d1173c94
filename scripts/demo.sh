#!/usr/bin/env bash
# Draws a sample part with the command-line program.
set -euo pipefail
build=${1:-build}
"$build/apps/qzdbs" --version
