#!/usr/bin/env bash
# Remakes docs/screenshot.png and docs/intro.gif from the real window, shown
# in a virtual X server. Needs the packages of `bash build.sh run` and
# xvfb, xauth and imagemagick.
set -euo pipefail
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
echo "docs/screenshot.png and docs/intro.gif written"
