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
# double-conversion), and without what the program never uses (the options
# below say what each one leaves out and why it is not needed). It is the
# longest stage of `bash build.sh test` on a fresh machine, so everything the
# Windows build neither links nor loads is configured off:
# docs/performance.md gives how long it takes.
#
# The folder's name holds the Qt version and a key made of the Debian source
# version, these options, the toolchain file and qt-unity.cmake, so a change
# of any of them builds anew beside the old one; an unfinished build is never
# taken.
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
    # The modules: the program and its tests link Core, Gui, Widgets,
    # PrintSupport and Test alone (the import tables of kovrenda.exe and of
    # the test and benchmark programs name no other Qt DLL).
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
    # plug-in of them (InstallDlls.cmake). PPM and XBM images are read by
    # nothing either (Qt's own cursors and style icons are XBM and XPM data
    # compiled in, not files).
    -DFEATURE_jpeg=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    -DFEATURE_imageformat_ppm=OFF
    -DFEATURE_imageformat_xbm=OFF
    # Debian's source leaves out src/3rdparty/wintab, which tablet events need.
    -DFEATURE_tabletevent=OFF
    # The Direct2D platform plugin; turning off direct2d itself breaks the
    # link of Qt6PrintSupport.
    -DFEATURE_direct2d1_1=OFF
    # Widgets and dialogs that no window of the program has and that none of
    # those it has uses inside (the import tables name none of them; the
    # print dialog needs the date editor, the print preview the graphics
    # view, the file dialog the tree and list views, and Windows' style the
    # input dialog, so these stay).
    -DFEATURE_mdiarea=OFF
    -DFEATURE_dockwidget=OFF
    -DFEATURE_lcdnumber=OFF
    -DFEATURE_dial=OFF
    -DFEATURE_keysequenceedit=OFF
    -DFEATURE_fontcombobox=OFF
    -DFEATURE_commandlinkbutton=OFF
    -DFEATURE_toolbox=OFF
    -DFEATURE_wizard=OFF
    -DFEATURE_columnview=OFF
    -DFEATURE_datawidgetmapper=OFF
    -DFEATURE_undoview=OFF
    -DFEATURE_syntaxhighlighter=OFF
    -DFEATURE_splashscreen=OFF
    -DFEATURE_textbrowser=OFF
    -DFEATURE_colordialog=OFF
    -DFEATURE_fontdialog=OFF
    -DFEATURE_errormessage=OFF
    -DFEATURE_progressdialog=OFF
    -DFEATURE_graphicseffect=OFF
    -DFEATURE_scroller=OFF
    -DFEATURE_systemtrayicon=OFF
    -DFEATURE_movie=OFF
    # Undo stacks (QUndoStack): the boxes' own undo is QLineEdit's.
    -DFEATURE_undocommand=OFF
    -DFEATURE_undostack=OFF
    -DFEATURE_undogroup=OFF
    # Text documents in other formats than plain and rich text: the program
    # neither reads nor writes Markdown, ODF or XML.
    -DFEATURE_textodfwriter=OFF
    -DFEATURE_textmarkdownreader=OFF
    -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_xmlstream=OFF
    # Core classes nothing uses: shared memory and system semaphores between
    # processes, the MIME type database (files are chosen by name filters),
    # the Jalali and Islamic calendars, two proxy models and the item model
    # tester of Qt Test.
    -DFEATURE_sharedmemory=OFF
    -DFEATURE_systemsemaphore=OFF
    -DFEATURE_mimetype=OFF
    -DFEATURE_jalalicalendar=OFF
    -DFEATURE_hijricalendar=OFF
    -DFEATURE_islamiccivilcalendar=OFF
    -DFEATURE_transposeproxymodel=OFF
    -DFEATURE_concatenatetablesproxymodel=OFF
    -DFEATURE_itemmodeltester=OFF
    # PCRE2's just-in-time compiler, one of the largest files of the build:
    # the program's regular expressions check a few typed characters, which
    # PCRE2's interpreter does as well, and Qt falls back to it by itself.
    -DCMAKE_C_FLAGS=-DPCRE2_DISABLE_JIT
    # HarfBuzz and the Windows platform plug-in compiled as unity sources
    # (qt-unity.cmake says why).
    -DCMAKE_PROJECT_INCLUDE=@here@/qt-unity.cmake
)
key=$({
    echo "$source_version"
    printf '%s\n' "${options[@]}"
    cat "$here/mingw-w64.cmake" "$here/qt-unity.cmake"
} | sha256sum | cut -c1-12)
# The checkout's own path is no part of the key.
options=("${options[@]//@here@/$here}")
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
        cmake --build "$work/build" --parallel "$(nproc)" &&
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
