#!/usr/bin/env bash
# Remakes docs/screenshot.png, docs/intro.gif, docs/solution.png and docs/solve.png from the
# real windows, shown in a virtual X server. Needs the packages of
# `bash build.sh run` and xvfb, xauth and imagemagick.
#
# Usage: docs/make-images.sh [CHECK_DIR]
# CHECK_DIR, if given, also receives the companion window at scale factors 1
# and 2, for «Вариант 4» and for a thin triangle, to look at for sharpness.
set -euo pipefail
check=${1:+$(realpath -m "$1")}
cd "$(dirname "$0")/.."

cmake -S . -B build-docs -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DKOVRENDA_DOC_IMAGES=ON
cmake --build build-docs --target kovrenda-capture

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 800x600x24' build-docs/docs/kovrenda-capture "$frames"
cp "$frames/screenshot.png" docs/screenshot.png
# Ten frames half a second apart, then a pause on the last before it loops.
convert -delay 50 -loop 0 "$frames"/intro-{0..8}.png -delay 150 "$frames/intro-9.png" \
    -layers Optimize docs/intro.gif

# The companion window; for checking, also at twice the scale on a screen
# large enough for it.
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x800x24' build-docs/docs/kovrenda-capture "$frames" solution
cp "$frames/solution.png" docs/solution.png
if [ -n "$check" ]; then
    mkdir -p "$check"
    cp "$frames/solution.png" "$check/solution-scale1.png"
    cp "$frames/solution-thin.png" "$check/solution-thin-scale1.png"
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 xvfb-run -a -s '-screen 0 2560x1600x24' \
        build-docs/docs/kovrenda-capture "$frames" solution
    cp "$frames/solution.png" "$check/solution-scale2.png"
    cp "$frames/solution-thin.png" "$check/solution-thin-scale2.png"
fi
# «Задача по избор», m = 5 and n = 12.
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x800x24' build-docs/docs/kovrenda-capture "$frames" solve
cp "$frames/solve.png" docs/solve.png
# «Моят напредък» after twenty problems, some wrong at first.
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x800x24' build-docs/docs/kovrenda-capture "$frames" progress
cp "$frames/progress.png" docs/progress.png
echo "docs/screenshot.png, docs/intro.gif, docs/solution.png, docs/solve.png and docs/progress.png written"
