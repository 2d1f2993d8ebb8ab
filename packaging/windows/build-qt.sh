#!/usr/bin/env bash
# Builds Qt for 64-bit Windows from Debian's own sources, once, into a cache
# outside the checkout, and prints the folder it is installed in.
#
# Debian has no Qt for Windows, but its archive has Qt's source with Debian's
# patches (the security fixes among them), and the MinGW-w64 cross compiler.
# This takes qtbase of the same version as the host's Qt 6, whose build tools
# (moc, rcc, uic) the cross build uses through QT_HOST_PATH, and configures it
# for x86_64-w64-mingw32: shared, release, with the third-party libraries
# Qt carries in its source (zlib, pcre2, freetype, harfbuzz, libpng,
# double-conversion), and without the modules the program does not use
# (OpenGL, Vulkan, SQL, network, D-Bus, XML, concurrency, the image format
# plug-ins). docs/development.md gives how long it takes.
#
# The folder's name holds the Qt version and a key made of the Debian source
# version, these options and the toolchain file, so a change of any of them
# builds anew beside the old one; an unfinished build is never taken.
#
# Qt Svg is not built: Debian's archive serves the description of its source
# package (qt6-svg) but not its tarballs, so the Windows build saves the
# drawing as PNG and PDF only.
#
# Usage: build-qt.sh            prints the installed Qt's folder
# Environment: KOVRENDA_CACHE (default ~/.cache/kovrenda)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${KOVRENDA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kovrenda}
qt_version=$(dpkg-query -W -f='${source:Upstream-Version}' qt6-base-dev | sed 's/+dfsg.*//')
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)

options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_opengl=OFF
    # Loading OpenGL at run time; on by itself on Windows, and Qt 6.4.2's
    # windows platform plug-in does not compile with it but without OpenGL.
    -DFEATURE_dynamicgl=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_network=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_concurrent=OFF
    # The image format plug-ins and the JPEG library bundled for them: the
    # program reads PNG alone, which QtGui does by itself, and ships no
    # plug-in of them (InstallDlls.cmake).
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    # Debian's source leaves out src/3rdparty/wintab, which tablet events need.
    -DFEATURE_tabletevent=OFF
    # The Direct2D platform plugin; turning off direct2d itself breaks the
    # link of Qt6PrintSupport.
    -DFEATURE_direct2d1_1=OFF
)
key=$({
    echo "$source_version"
    printf '%s\n' "${options[@]}"
    cat "$here/mingw-w64.cmake"
} | sha256sum | cut -c1-12)
prefix=$cache/qt-$qt_version-mingw-$key

if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

echo "Building Qt $qt_version for Windows from Debian's source $source_version into $prefix" >&2
work=$prefix.build
rm -rf "$prefix" "$work"
mkdir -p "$work/apt/lists/partial" "$prefix"

# A private apt configuration with the source entries of the archive the
# machine installs from, so that apt-get source works without touching the
# machine's own configuration.
{
    echo "deb-src http://deb.debian.org/debian bookworm main"
    echo "deb-src http://deb.debian.org/debian bookworm-updates main"
    echo "deb-src http://deb.debian.org/debian-security bookworm-security main"
} >"$work/apt/sources.list"
apt=(-o APT::Sandbox::User=root -o Dir::Etc::sourcelist="$work/apt/sources.list" -o Dir::Etc::sourceparts=/dev/null
    -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache")
apt-get "${apt[@]}" -q update >&2
(cd "$work" && apt-get "${apt[@]}" -q source "qt6-base=$source_version" >&2)
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')

# Qt's projects load this copy of the toolchain file, wherever the checkout
# that built Qt goes afterwards.
mkdir -p "$prefix/share/kovrenda"
cp "$here/mingw-w64.cmake" "$prefix/share/kovrenda/mingw-w64.cmake"

# The compiler's output (some thousand warnings about MinGW's dllimport) goes
# to a log, shown in part if the build fails.
log=$cache/qt-$qt_version-mingw-$key.log
echo "Configuring and building; the log is $log" >&2
if ! {
    cmake -S "$src" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/share/kovrenda/mingw-w64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}" &&
        nice -n 10 cmake --build "$work/build" --parallel "$(nproc)" &&
        cmake --install "$work/build"
} >"$log" 2>&1; then
    grep -A20 -e '^FAILED' -e 'CMake Error' "$log" | head -80 >&2 || true
    tail -n 20 "$log" >&2
    echo "The Qt build failed; its log is $log" >&2
    exit 1
fi
rm -rf "$work"
touch "$prefix/.complete"
echo "$prefix"
