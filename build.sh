#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kovrenda and builds it. Installs only the
# Debian packages that are missing, so a second run goes straight to the
# build. Verbs:
#   run      build, then start the program
#   test     build, run the whole test suite and the deeper checks
#            (tools/checks.sh), then make and test the Windows build; Qt for
#            Windows is built meanwhile, on the cores the tests leave idle
#   quick    build, run the Linux test suite alone: the loop while you work
#   windows  make and test the Windows build alone
#   package  make the Debian package in build-release
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case $mode in
run | test | quick | windows | package) ;;
*)
    echo "usage: $0 run|test|quick|windows|package" >&2
    exit 2
    ;;
esac

# What building and running needs; dpkg-dev gives the hardening flags
# (dpkg-buildflags), libboost-dev the header-only big numbers of the exact
# steps (Boost.Multiprecision), fonts-dejavu-core the superscript digits
# that the window's serif lacks.
packages=(cmake ninja-build g++ dpkg-dev qt6-base-dev qt6-svg-dev libboost-dev fonts-liberation2
    fonts-dejavu-core qt6-translations-l10n)
# What the tests need besides: packaging and Debian's checks of the package
# (lintian, and hardening-check from devscripts), the end-to-end test in a
# real X server driven through the accessibility bus, the window as a client
# of a Wayland compositor, MPFR for the accuracy test's exact answers, and
# poppler's pdftotext to read a worksheet's text back.
test_packages=(file desktop-file-utils appstream lintian devscripts xvfb xauth xdotool dbus-daemon
    at-spi2-core python3-pyatspi weston qt6-wayland libmpfr-dev poppler-utils)
# The fuzzers, the sanitizer build and the benchmarks.
check_packages=(clang-14 libclang-rt-14-dev libbenchmark-dev valgrind)
# The Windows build: MinGW-w64's cross compiler (posix threads, which Qt's
# threads need), dpkg-dev and xz-utils to unpack Qt's Debian source, wine to
# run the tests (python3-fonttools names Liberation Serif as Windows' Times
# New Roman for them), NSIS for the installer; its smoke test drives the real
# window in Xvfb with xdotool, reads the clipboard with xclip and compares
# screenshots with ImageMagick.
windows_packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    xz-utils wine wine64 nsis zip unzip xvfb xauth xdotool xclip imagemagick python3-fonttools)
case $mode in
test) packages+=("${test_packages[@]}" "${check_packages[@]}" "${windows_packages[@]}") ;;
quick) packages+=("${test_packages[@]}") ;;
windows) packages+=("${windows_packages[@]}") ;;
package) packages+=(file) ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Qt for Windows, built once from Debian's source into a cache outside the
# checkout (packaging/windows/build-qt.sh); the program cross-built with it
# in build-win64; its tests run under wine in a virtual X server; the zip and
# the installer made and tried as a user would (packaging/windows/smoke_test.sh).
# Ends the wine server of the Windows build's prefix and the programs it
# keeps, and waits until it has gone: `wineserver -k` alone returns while the
# server is still exiting, and a program started then may connect to it and
# be cut off.
stop_wine() {
    WINEPREFIX=$PWD/build-win64/wine /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    WINEPREFIX=$PWD/build-win64/wine /usr/lib/wine/wineserver64 -w 2>/dev/null || true
}

windows() {
    local qt version status=0
    qt=$(bash packaging/windows/build-qt.sh)
    # Boost.Multiprecision is headers alone, the same for every platform: the
    # cross build is shown them in a folder of their own, never the host's
    # whole /usr/include, whose C library would stand in for MinGW's.
    mkdir -p build-win64/boost-headers
    ln -sfn /usr/include/boost build-win64/boost-headers/boost
    cmake -S . -B build-win64 -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVRENDA_BENCH=ON \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DBoost_INCLUDE_DIR="$PWD/build-win64/boost-headers"
    cmake --build build-win64
    # A server left by an earlier run, which may still be exiting.
    stop_wine
    xvfb-run -a -s '-screen 0 1024x768x24 -noreset' \
        ctest --test-dir build-win64 --output-on-failure || status=$?
    # The wine server that the tests kept running for one another.
    stop_wine
    ((status == 0)) || return "$status"
    (cd build-win64 && cpack)
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win64/CMakeCache.txt)
    xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash packaging/windows/smoke_test.sh \
        "build-win64/kovrenda-$version-win64.zip" "build-win64/kovrenda-$version-setup.exe" \
        build-win64/kovrenda-under-wine.png
    # The start-up benchmark once, so that it keeps working (bench/run.sh
    # gives the figures).
    xvfb-run -a -s '-screen 0 1024x768x24 -noreset' /usr/bin/python3 bench/wine_startup.py \
        build-win64/tests/wine-run.sh build-win64/bench 1
    stop_wine
}

# Qt for Windows takes longer than anything else and needs nothing of the
# Linux build, so `test` builds it meanwhile, in the background at a lower
# priority (build-qt.sh runs its compiler niced), on the cores that the
# tests and checks leave idle: most of them run one process at a time. It
# runs in a process group of its own, ended with this script.
qt_job=
start_qt() {
    mkdir -p build-win64
    set -m
    bash packaging/windows/build-qt.sh >build-win64/build-qt.out 2>&1 &
    qt_job=$!
    set +m
    trap 'kill -TERM -- "-$qt_job" 2>/dev/null || true' EXIT
}
wait_qt() {
    local status=0
    echo "Waiting for Qt for Windows (build-win64/build-qt.out)"
    wait "$qt_job" || status=$?
    trap - EXIT
    cat build-win64/build-qt.out
    return "$status"
}

case $mode in
windows)
    windows
    exit
    ;;
test)
    start_qt
    # The benchmarks are built here too, for the checks' one short run of
    # each: the same build type as the program, so no build of their own.
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVRENDA_BENCH=ON
    ;;
package)
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build build-release --target package
    ls build-release/*.deb
    exit
    ;;
*) cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
esac
cmake --build build

case $mode in
run) exec build/app/kovrenda ;;
quick) ctest --test-dir build --output-on-failure ;;
test)
    ctest --test-dir build --output-on-failure
    bash tools/checks.sh build
    wait_qt
    windows
    ;;
esac
