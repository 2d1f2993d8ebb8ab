#!/usr/bin/env bash
# The Windows build as a user gets it, on wine in a virtual X server (Xvfb),
# with Qt's real `windows` platform plug-in, in a wine prefix of its own:
#   1. the zip, unpacked: --version prints through a pipe; the window appears
#      with its caption; a calculation typed with the keyboard alone (xdotool)
#      gives its result, read back as text from the clipboard (the companion
#      window's «Копирай»), not from the screen's pixels; a screenshot of the
#      window is compared with the Linux window's in the same state
#      (docs/screenshot.png: «Вариант 3», a = 3, R = 2,6); «Упражнение»
#      opens with F3, poses a problem by its number, and a right answer typed
#      is judged «Вярно» (read back through the window's Ctrl+Shift+C);
#      «Задача по избор» opens with F4 and solves c = 13, h = 6 typed into
#      it, its table read back the same way;
#   2. the installer, run silently (/S): the program under Program Files with
#      its Start menu entry, started from there; then the uninstaller, run
#      silently, removes all of it.
#
# Usage: xvfb-run -a -s '-screen 0 1024x768x24 -noreset' smoke_test.sh ZIP SETUP_EXE [SCREENSHOT.png]
# SCREENSHOT.png receives the window after the calculation.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
zip=$(realpath "$1")
setup=$(realpath "$2")
shot=$(realpath -m "${3:-$(dirname "$zip")/kovrenda-under-wine.png}")
reference=$here/../../docs/screenshot.png
version=$(basename "$zip" | sed -n 's/^kovrenda-\(.*\)-win64\.zip$/\1/p')
caption='^www\.example\.org '

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
wine=$WINELOADER
cleanup() {
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
step() {
    echo "-- $*"
}
# Waits up to $1 seconds for a command to succeed.
wait_for() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 5))); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}

[[ -n ${DISPLAY:-} ]] || fail "no X display: run this under xvfb-run"

# A prefix of its own, as a new Windows machine: Times New Roman is there
# (Liberation Serif, with the same metrics, stands in for it).
step "a new wine prefix"
"$wine" wineboot --init </dev/null >/dev/null 2>&1
"$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
    /d 'Liberation Serif' /f </dev/null >/dev/null 2>&1

# Starts the program in the background and waits for its window; sets
# $program_pid and $window.
start_window() {
    "$wine" "$1" </dev/null >"$work/program.log" 2>&1 &
    program_pid=$!
    wait_for 60 xdotool search --onlyvisible --name "$caption" ||
        fail "no window with the caption «www.example.org   Математика - ...» (log: $(cat "$work/program.log"))"
    window=$(xdotool search --onlyvisible --name "$caption" | head -1)
    xdotool windowfocus --sync "$window"
}
stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    "$WINESERVER" -w
}
keys() {
    xdotool key --delay 150 "$@"
}

step "1. the zip, unpacked anywhere"
unzip -q "$zip" -d "$work/unpacked"
folder=$work/unpacked/kovrenda-$version-win64
[[ -f $folder/kovrenda.exe ]] || fail "kovrenda.exe is not in the zip's folder"
out=$("$wine" "$folder/kovrenda.exe" --version </dev/null 2>&1 | tr -d '\r')
[[ $out == "kovrenda $version" ]] || fail "--version printed «$out»"

step "the window appears with its caption"
start_window "$folder/kovrenda.exe"
name=$(xdotool getwindowname "$window")
[[ $name == "www.example.org   Математика - правоъгълен триъгълник" ]] || fail "caption «$name»"

step "a calculation from the keyboard: «Вариант 3», a = 3, R = 2,6"
# The focus starts in the task text: Tab to the picture, Space ends the
# intro; Tab to «Вариант 1», Space, Down twice to «Вариант 3»; Tab to the R
# box of the row above, then to a; Tab over b and r to R; Tab to «Изчисли».
keys Tab space
sleep 1
keys Tab space Down Down Tab Tab
xdotool type --delay 100 3
keys Tab Tab Tab
xdotool type --delay 100 2,6
keys Tab Return
sleep 1

step "the window's layout against the Linux window's"
import -window "$window" "$shot"
size=$(identify -format '%wx%h' "$shot")
reference_size=$(identify -format '%wx%h' "$reference")
[[ $size == "$reference_size" ]] || fail "the window is $size, on Linux $reference_size"
# Compared in blocks of 8 x 8 pixels, each the mean of its pixels: the
# letters' rasterising (Windows' font engine against FreeType) and the
# native scroll bar change a few blocks, a control moved by 4 pixels many
# (3.6 % of them, against 1.2 % for wine's window as it is).
convert "$shot" -scale 12.5% "$work/shot-blocks.png"
convert "$reference" -scale 12.5% "$work/reference-blocks.png"
differing=$(compare -metric AE -fuzz 15% "$work/shot-blocks.png" "$work/reference-blocks.png" null: 2>&1 || true)
total=$(identify -format '%[fx:w*h]' "$work/reference-blocks.png")
echo "   $differing of $total blocks of 8 x 8 pixels differ from the Linux window's"
((differing * 100 < total * 2)) || fail "the window differs from the Linux window in $differing of $total blocks"

step "the result, read back as text: F2, then «Копирай» (Ctrl+Shift+C)"
keys F2
wait_for 30 xdotool search --onlyvisible --name '^Чертеж и решение' ||
    fail "«Чертеж и решение» did not open"
solution=$(xdotool search --onlyvisible --name '^Чертеж и решение' | head -1)
xdotool windowfocus --sync "$solution"
keys ctrl+shift+c
wait_for 20 sh -c "xclip -o -selection clipboard -t UTF8_STRING | grep -q 'r = '" ||
    fail "nothing copied to the clipboard"
steps=$(xclip -o -selection clipboard -t UTF8_STRING | tr -d '\r')
# The answer line: each value's exact form, then the box's digits.
answer=$(grep '^Отговор: ' <<<"$steps") || fail "no answer in the steps: $steps"
grep -q 'b = [^;]*≈ 4[.,]24735211631906;' <<<"$answer" || fail "no b = 4.24735211631906 in «$answer»"
grep -q 'r = [^;]*≈ 1[.,]02367605815953' <<<"$answer" || fail "no r = 1.02367605815953 in «$answer»"
echo "   $(grep -c '' <<<"$steps") lines of steps, ending «$(tail -1 <<<"$steps")»"

step "«Упражнение» with F3: problem № 10000 by its number, a right answer, «Вярно»"
# Esc closes the companion, and the main window is active again.
keys Escape
sleep 1
xdotool windowfocus --sync "$window"
keys F3
wait_for 30 xdotool search --onlyvisible --name '^Упражнение' || fail "«Упражнение» did not open"
practice=$(xdotool search --onlyvisible --name '^Упражнение' | head -1)
xdotool windowfocus --sync "$practice"
# The focus starts on the problem; Shift+Tab three times goes back over
# «Работен лист…» and «Моят напредък» to the problem's number. Then Tab over
# those two and the problem to the first answer (r = 27), Tab to the second
# (R = 76,5); Enter checks, Ctrl+Shift+C copies the problem and the verdicts.
keys shift+Tab shift+Tab shift+Tab ctrl+a
xdotool type --delay 100 10000
keys Return Tab Tab Tab Tab
xdotool type --delay 100 27
keys Tab
xdotool type --delay 100 76,5
keys Return ctrl+shift+c
wait_for 20 sh -c "xclip -o -selection clipboard -t UTF8_STRING | grep -q '№ 10000'" ||
    import -window "$practice" "${shot%.png}-practice.png" 2>/dev/null || true
copied=$(xclip -o -selection clipboard -t UTF8_STRING | tr -d '\r')
grep -q '№ 10000' <<<"$copied" || copied=
[[ -n $copied ]] || fail "«Упражнение» copied nothing"
grep -q '^r = 27 Вярно\.$' <<<"$copied" || fail "no «Вярно» for r = 27 in «$copied»"
grep -q '^R = 76,5 Вярно\.$' <<<"$copied" || fail "no «Вярно» for R = 76,5 in «$copied»"
echo "   $(grep '^r = ' <<<"$copied"); $(grep '^R = ' <<<"$copied")"

step "«Задача по избор» with F4: c = 13 and h = 6 give a = 3√13 and b = 2√13"
keys Escape
sleep 1
xdotool windowfocus --sync "$window"
keys F4
wait_for 30 xdotool search --onlyvisible --name '^Задача по избор' || fail "«Задача по избор» did not open"
solve=$(xdotool search --onlyvisible --name '^Задача по избор' | head -1)
xdotool windowfocus --sync "$solve"
# The focus starts in the first value (c, the first choice); Tab over the
# second chooser (h) to its value; Enter solves, Ctrl+Shift+C copies.
xdotool type --delay 100 13
keys Tab Tab
xdotool type --delay 100 6
keys Return ctrl+shift+c
wait_for 20 sh -c "xclip -o -selection clipboard -t UTF8_STRING | grep -q '√13'" ||
    import -window "$solve" "${shot%.png}-solve.png" 2>/dev/null || true
solved=$(xclip -o -selection clipboard -t UTF8_STRING | tr -d '\r')
grep -q '^a = 3√13 ≈ 10[.,]82' <<<"$solved" || fail "no a = 3√13 in «$solved»"
grep -q '^b = 2√13 ≈ 7[.,]211' <<<"$solved" || fail "no b = 2√13 in «$solved»"
echo "   $(grep '^a = ' <<<"$solved" | head -1); $(grep '^b = ' <<<"$solved" | head -1)"
stop_program

step "2. the installer, silently"
"$wine" "$setup" /S </dev/null >/dev/null 2>&1
"$WINESERVER" -w
installed=$WINEPREFIX/drive_c/Program\ Files/Kovrenda
[[ -f $installed/kovrenda.exe ]] || fail "kovrenda.exe is not under Program Files"
[[ -f $installed/platforms/qwindows.dll ]] || fail "the platform plug-in was not installed"
menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
entry=$(find "$menu" -name 'Ковренда.lnk' | head -1)
[[ -n $entry ]] || fail "no Start menu entry «Ковренда»"
echo "   installed; Start menu: ${entry#"$menu"/}"

step "the installed program starts"
out=$("$wine" 'C:\Program Files\Kovrenda\kovrenda.exe' --version </dev/null 2>&1 | tr -d '\r')
[[ $out == "kovrenda $version" ]] || fail "the installed program printed «$out»"
start_window 'C:\Program Files\Kovrenda\kovrenda.exe'
stop_program

step "the uninstaller, silently, removes all of it"
"$wine" 'C:\Program Files\Kovrenda\Uninstall.exe' /S </dev/null >/dev/null 2>&1
# The uninstaller copies itself away and goes on from there.
wait_for 60 test ! -e "$installed" || fail "the uninstaller left $(find "$installed" | head -5)"
"$WINESERVER" -w
[[ -z $(find "$menu" -name 'Ковренда.lnk') ]] || fail "the Start menu entry is still there"
if "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kovrenda' \
    </dev/null >/dev/null 2>&1; then
    fail "the program is still in the list of installed programs"
fi
echo "PASS: the zip's program calculates, the installer installs and the uninstaller removes"
