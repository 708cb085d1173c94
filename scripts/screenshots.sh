#!/bin/sh
# Screenshots of the studio and its dialogs over the sample library, as a
# newcomer sees them, on a virtual X display; the README's go to docs/.
set -e
BUILD=${1:-build}
cmake --build "$BUILD" --target tests_ui_qt qzdbs-studio sample_library
rm -rf "$BUILD/screenshots"
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$BUILD/tests/tests_ui_qt" --gtest_also_run_disabled_tests --gtest_filter='StudioTest.DISABLED_Screenshots'
cp "$BUILD/screenshots/qzdbs-studio.png" "$BUILD/screenshots/qzdbs-studio-placing.png" "$BUILD/screenshots/frmPartSel.png" docs/
echo "docs/qzdbs-studio.png, docs/qzdbs-studio-placing.png, docs/frmPartSel.png; the others are in $BUILD/screenshots/"
