#!/usr/bin/env bash
# Refreshes translations/*.ts from the sources (new strings appear as
# unfinished). Our classes live in the nested namespace qzdbs::ui::qt, which
# lupdate's parser does not follow, while tr() looks strings up under the
# class's qualified name; the contexts are unqualified for lupdate and
# qualified again afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
LUPDATE=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
classes='DrawingCanvas\|DrawingStyleDialog\|PartSelWindow\|StudioWindow'
ts=(translations/qzdbs-studio_en.ts translations/qzdbs-studio_zh_CN.ts)
sed -i "s#<name>qzdbs::ui::qt::\($classes\)</name>#<name>\1</name>#" "${ts[@]}"
"$LUPDATE" -no-obsolete -locations none src/ui/qt apps/qzdbs-studio -ts "${ts[@]}"
sed -i "s#<name>\($classes\)</name>#<name>qzdbs::ui::qt::\1</name>#" "${ts[@]}"
