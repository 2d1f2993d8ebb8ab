#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kovrenda and builds it. Installs only the
# Debian packages that are missing, so a second run goes straight to the
# build. Verbs:
#   run      build, then start the program
#   test     build, run the whole test suite and the deeper checks
#            (tools/checks.sh), then make and test the Windows build; Qt for
#            Windows is built first, while the packages install
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
# Building Qt for Windows and the program with it: MinGW-w64's cross
# compiler (posix threads, which Qt's threads need), dpkg-dev, xz-utils and
# perl to unpack Qt's Debian source and generate its headers.
cross_packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    xz-utils perl)
# Testing the Windows build: wine to run the tests (python3-fonttools names
# Liberation Serif as Windows' Times New Roman for them), NSIS for the
# installer; its smoke test drives the real window in Xvfb with xdotool,
# reads the clipboard with xclip and compares screenshots with ImageMagick.
windows_packages=(wine wine64 nsis zip unzip xvfb xauth xdotool xclip imagemagick python3-fonttools)

# Installs those of the named packages that are missing, with one
# `apt-get update` before the first installation of this run.
updated=
install_missing() {
    local package missing=() sudo=()
    for package; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    if [[ -z $updated ]]; then
        "${sudo[@]}" apt-get update
        updated=1
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

# The Windows build's compiler yields the cores to the Linux stages: it runs
# beside them in `test`, on what the tests, one at a time, leave idle, and
# the tests, some of which wait for windows and timers, keep theirs.
low=(nice -n 10)

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

# windows_build [COMMAND PREFIX...]: Qt for Windows at the normal priority,
# then the program's Windows build, its compiler run through the prefix.
windows_build() {
    local qt
    qt=$(bash packaging/windows/build-qt.sh)
    # Boost.Multiprecision is headers alone, the same for every platform: the
    # cross build is shown them in a folder of their own, never the host's
    # whole /usr/include, whose C library would stand in for MinGW's.
    mkdir -p build-win64/boost-headers
    ln -sfn /usr/include/boost build-win64/boost-headers/boost
    cmake -S . -B build-win64 -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVRENDA_BENCH=ON \
        -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DBoost_INCLUDE_DIR="$PWD/build-win64/boost-headers"
    "$@" cmake --build build-win64
}

windows_test() {
    local version status=0
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

# On a fresh machine Qt for Windows takes longer than everything else, and
# needs nothing of the Linux build, so `test` starts it as soon as its
# packages are in, in the background, and gives it the cores alone: the rest
# of the packages install meanwhile, and the Linux stages wait for it, since
# compilers beside it slow it down by more than they get done (in one run,
# three at a lower priority made it take 38 % longer). Then the program's
# Windows build runs in the background at the lower priority while the
# Linux stages go on. Each background job is a process group of its own,
# ended with this script.
jobs_to_end=()
trap 'for job in "${jobs_to_end[@]}"; do kill -TERM -- "-$job" 2>/dev/null || true; done' EXIT
background() {
    local output=$1
    shift
    mkdir -p build-win64
    set -m
    "$@" >"$output" 2>&1 &
    jobs_to_end+=("$!")
    set +m
}
# Waits for the last background job and shows what it wrote.
wait_background() {
    local output=$1 status=0
    echo "Waiting for ${2} ($output)"
    wait "${jobs_to_end[-1]}" || status=$?
    unset 'jobs_to_end[-1]'
    cat "$output"
    return "$status"
}

case $mode in
run) install_missing "${packages[@]}" ;;
quick) install_missing "${packages[@]}" "${test_packages[@]}" ;;
package) install_missing "${packages[@]}" file ;;
windows)
    install_missing "${packages[@]}" "${cross_packages[@]}" "${windows_packages[@]}"
    windows_build
    windows_test
    exit
    ;;
test)
    # What Qt for Windows needs first, so that it starts at once; the rest
    # is installed while it builds.
    install_missing "${packages[@]}" "${cross_packages[@]}"
    background build-win64/build-qt.out bash packaging/windows/build-qt.sh
    install_missing "${test_packages[@]}" "${check_packages[@]}" "${windows_packages[@]}"
    ;;
esac

case $mode in
test)
    # The benchmarks are built here too, for the checks' one short run of
    # each: the same build type as the program, so no build of their own.
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVRENDA_BENCH=ON
    wait_background build-win64/build-qt.out "Qt for Windows"
    background build-win64/build.out windows_build "${low[@]}"
    cmake --build build
    ;;
package)
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build build-release --target package
    ls build-release/*.deb
    exit
    ;;
*)
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build
    ;;
esac

case $mode in
run) exec build/app/kovrenda ;;
quick) ctest --test-dir build --output-on-failure ;;
test)
    ctest --test-dir build --output-on-failure
    bash tools/checks.sh build
    wait_background build-win64/build.out "the Windows build"
    windows_test
    ;;
esac
