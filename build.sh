#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kovrenda, builds it, and then starts the
# program (run) or runs the whole test suite (test). Installs only the Debian
# packages that are missing, so a second run goes straight to the build.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
case $mode in
run | test) ;;
*)
    echo "usage: $0 run|test" >&2
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
# of a Wayland compositor, and MPFR for the accuracy test's exact answers.
test_packages=(file desktop-file-utils appstream lintian devscripts xvfb xauth xdotool dbus-daemon
    at-spi2-core python3-pyatspi weston qt6-wayland libmpfr-dev)
# The fuzzers, the sanitizer build and the benchmarks.
check_packages=(clang-14 libclang-rt-14-dev libbenchmark-dev valgrind)
[ "$mode" = test ] && packages+=("${test_packages[@]}" "${check_packages[@]}")

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

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

case $mode in
run) exec build/app/kovrenda ;;
test)
    ctest --test-dir build --output-on-failure
    bash tools/checks.sh build
    ;;
esac
