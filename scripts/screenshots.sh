#!/bin/sh
# Screenshots of the studio and its dialogs over the sample library, as a
# newcomer sees them, on a virtual X display; the README's go to docs/.
set -e
BUILD=${1:-build}
cmake --build "$BUILD" --target tests_ui_qt qzdbs-studio sample_library
rm -rf "$BUILD/screenshots"
xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$BUILD/tests/tests_ui_qt" --gtest_also_run_disabled_tests --gtest_filter='StudioTest.DISABLED_Screenshots'
for name in qzdbs-studio qzdbs-studio-placing frmPartSel frmStructPara frmAttribute; do
  cp "$BUILD/screenshots/$name.png" docs/
done
# The README's studio drawing, its library named from the clone's top folder.
sed "s|$(cd "$BUILD" && pwd)/library/|$BUILD/library/|g" "$BUILD/screenshots/bolt-and-nut.qzdrawing" >docs/bolt-and-nut.qzdrawing
echo "docs/bolt-and-nut.qzdrawing; docs/: qzdbs-studio, qzdbs-studio-placing, frmPartSel, frmStructPara, frmAttribute; the others are in $BUILD/screenshots/"
