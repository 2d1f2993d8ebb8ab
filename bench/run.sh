#!/usr/bin/env bash
# Reruns every benchmark and prints the figures that docs/performance.md quotes: the
# machine, the solver and number text in ns per call, start-up and peak
# memory against a bare window, the intro's timing, and the companion
# window's redraw after «Изчисли», «Упражнение» and the worksheet. Needs the packages of
# `bash build.sh test` (libbenchmark-dev among them); takes about two
# minutes. Arguments: the number of start-up pairs (15) and intro runs (10).
# Where the Windows build is there (bash build.sh windows), also its start-up
# under wine.
set -euo pipefail
cd "$(dirname "$0")/.."
pairs=${1:-15}
runs=${2:-10}

cmake --preset bench >/dev/null
cmake --build --preset bench
bin=build-bench/bench

echo
echo "== Machine"
echo "cores: $(nproc)"
lscpu | sed -n 's/^Model name: *//p'
free -h | sed -n 's/^Mem: *\([^ ]*\).*/memory: \1/p'
echo "Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6), $(g++ --version | head -1)"

echo
echo "== Solver and number text (median of 5 repetitions)"
"$bin/bench_core" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_filter='.*' 2>&1 | grep -v -e '_mean' -e '_stddev' -e '_cv'

echo
echo "== Start-up to the first frame and peak memory, against a bare window"
"$bin/bench_startup" "$bin/startup_probe_window" "$bin/startup_probe_bare" \
    "$bin/startup_probe_text" "$pairs"

echo
echo "== The intro's end"
QT_QPA_PLATFORM=offscreen "$bin/intro_timing" "$runs"

echo
echo "== The companion window after «Изчисли»"
QT_QPA_PLATFORM=offscreen "$bin/companion_timing" 30

echo
echo "== «Упражнение»: opening, posing a problem, checking answers"
QT_QPA_PLATFORM=offscreen "$bin/practice_timing" 30

echo
echo "== The practice record: reading, writing, and «Провери» with it"
QT_QPA_PLATFORM=offscreen "$bin/record_timing" 30

echo
echo "== «Задача по избор»: dragging C, against a bare repaint"
QT_QPA_PLATFORM=offscreen "$bin/drag_timing" 1000

echo
echo "== The largest worksheet, against one empty PDF page"
QT_QPA_PLATFORM=offscreen "$bin/worksheet_timing" 5
if [[ -d build-win64/bench ]]; then
    echo
    echo "== Start-up of the Windows build under wine (real windows, Xvfb), against a bare window"
    echo "   (the Linux probes beside it on xcb in the same X server)"
    xvfb-run -a -s '-screen 0 1024x768x24 -noreset' /usr/bin/python3 bench/wine_startup.py \
        build-win64/tests/wine-run.sh build-win64/bench "$pairs" "$bin"
    WINEPREFIX=$PWD/build-win64/wine /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    WINEPREFIX=$PWD/build-win64/wine /usr/lib/wine/wineserver64 -w 2>/dev/null || true
fi
