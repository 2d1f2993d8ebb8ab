#!/usr/bin/env bash
# Makes the Debian package with CPack, checks the files it holds and the
# fields it declares, has lintian and hardening-check judge it, unpacks it
# into a throw-away root with dpkg -x, checks that its changelog, metainfo
# and manual page agree with the project, and starts the unpacked program on
# Qt's offscreen platform.
#
# Usage: test_package.sh CPACK_CONFIG VERSION DESKTOP_ENTRY METAINFO
# DESKTOP_ENTRY and METAINFO are the files that the validation tests check;
# the package must hold exactly those.
set -euo pipefail

if (($# != 4)); then
    echo "usage: $0 CPACK_CONFIG VERSION DESKTOP_ENTRY METAINFO" >&2
    exit 2
fi
config=$1 version=$2 desktop_entry=$3 metainfo=$4
app_id=org.example.Kovrenda

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The package, made in a folder of its own so that an old one cannot count.
if ! timeout 240 cpack --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack could not make the package" >&2
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$work/out/kovrenda_${version}_${arch}.deb
if [[ ! -f $deb ]]; then
    ls -l "$work/out" >&2
    echo "FAIL: no $(basename "$deb")" >&2
    exit 1
fi
echo "made $(basename "$deb") ($(stat -c %s "$deb") bytes)"

# Its files: exactly these, owned by root, programs 0755 and data 0644.
expected=$(
    cat <<LIST | sort
./usr/bin/kovrenda -rwxr-xr-x
./usr/share/applications/$app_id.desktop -rw-r--r--
./usr/share/doc/kovrenda/changelog.gz -rw-r--r--
./usr/share/doc/kovrenda/copyright -rw-r--r--
./usr/share/icons/hicolor/32x32/apps/$app_id.png -rw-r--r--
./usr/share/icons/hicolor/48x48/apps/$app_id.png -rw-r--r--
./usr/share/icons/hicolor/scalable/apps/$app_id.svg -rw-r--r--
./usr/share/man/man1/kovrenda.1.gz -rw-r--r--
./usr/share/metainfo/$app_id.metainfo.xml -rw-r--r--
LIST
)
listing=$(dpkg-deb -c "$deb")
actual=$(awk '$1 ~ /^-/ { print $6, $1 }' <<<"$listing" | sort)
if [[ $actual != "$expected" ]]; then
    fail "the package holds other files than expected:"
    diff <(echo "$expected") <(echo "$actual") >&2 || true
fi
if awk '$2 != "root/root"' <<<"$listing" | grep -q .; then
    fail "entries not owned by root:"
    awk '$2 != "root/root"' <<<"$listing" >&2
fi
if awk '$1 ~ /^d/ && $1 != "drwxr-xr-x"' <<<"$listing" | grep -q .; then
    fail "folders without mode 0755:"
    awk '$1 ~ /^d/ && $1 != "drwxr-xr-x"' <<<"$listing" >&2
fi

# Its control fields. Depends comes from dpkg-shlibdeps: without it the
# package would install without Qt.
field() { dpkg-deb -f "$deb" "$1"; }
expect_field() {
    local value
    value=$(field "$1")
    [[ $value == "$2" ]] || fail "$1 is '$value', expected '$2'"
}
expect_field Package kovrenda
expect_field Version "$version"
expect_field Architecture "$arch"
expect_field Maintainer "Kovrenda developers <kovrenda@example.org>"
expect_field Section education
expect_field Priority optional
expect_field Recommends "fonts-liberation2, fonts-dejavu-core, qt6-translations-l10n"
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    [[ ", $depends," == *", $library "* ]] || fail "Depends does not name $library: '$depends'"
done
[[ $(field Homepage) == https://www.example.org/* ]] || fail "Homepage is '$(field Homepage)'"
# The synopsis on the first line, then the long description with each line
# indented by exactly one blank, as apt shows it.
description=$(field Description)
[[ ${description%%$'\n'*} == "right triangle with its inscribed and circumscribed circles" ]] ||
    fail "the synopsis is '${description%%$'\n'*}'"
if [[ $description != *$'\n'* ]] || tail -n +2 <<<"$description" | grep -v -q '^ [^ ]'; then
    fail "the long description is missing or not indented by one blank:"
    echo "$description" >&2
fi

# Debian's own judgement: not a single tag at any level, pedantic and
# experimental ones included. A tag that has to stay is overridden in the
# package, with its reason, and then not shown here.
if ! lintian -I -E --pedantic --fail-on error,warning,info,pedantic,experimental \
    "$deb" >"$work/lintian.log" 2>"$work/lintian.err" || [[ -s $work/lintian.log ]]; then
    fail "lintian finds fault with the package:"
    cat "$work/lintian.log" "$work/lintian.err" >&2
fi

# Unpacked into a throw-away root, as dpkg would install it.
root=$work/root
dpkg -x "$deb" "$root"
cmp -s "$root/usr/share/applications/$app_id.desktop" "$desktop_entry" ||
    fail "the packaged desktop entry is not the validated one"
cmp -s "$root/usr/share/metainfo/$app_id.metainfo.xml" "$metainfo" ||
    fail "the packaged metainfo is not the validated one"

# The desktop entry starts a program of the package and names its icon.
exec_line=$(sed -n 's/^Exec=//p' "$root/usr/share/applications/$app_id.desktop")
[[ -x $root/usr/bin/${exec_line%% *} ]] || fail "Exec=$exec_line is not a program of the package"
icon=$(sed -n 's/^Icon=//p' "$root/usr/share/applications/$app_id.desktop")
[[ $icon == "$app_id" ]] || fail "Icon=$icon, expected $app_id"
for size in 32 48; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
    file -b "$png" | grep -q "^PNG image data, $size x $size," ||
        fail "$(basename "$(dirname "$(dirname "$png")")") icon is $(file -b "$png")"
done

program=$root/usr/bin/kovrenda
file -b "$program" | grep -q ', stripped' || fail "the program is not stripped"
# PIE, stack protector, relro and bindnow. Two of hardening-check's checks
# are left out: control flow protection, which needs C start files marked
# for it and Debian 12's are not, so no program linked there can have it;
# and fortify, which it fails on calls to memcpy, memmove and memset whose
# sizes only the run time knows; lintian above checks fortify without
# counting those, the false alarms its own list names.
if ! hardening-check --nocfprotection --nofortify "$program" >"$work/hardening.log" 2>&1; then
    fail "hardening-check finds the program unprotected:"
    cat "$work/hardening.log" >&2
fi
if readelf -d "$program" | grep -E -q '\((RPATH|RUNPATH)\)'; then
    fail "the program carries a library search path:"
    readelf -d "$program" | grep -E '\((RPATH|RUNPATH)\)' >&2
fi
if ldd "$program" | grep -q 'not found'; then
    fail "libraries missing:"
    ldd "$program" | grep 'not found' >&2
fi

# The changelog's newest entry, the metainfo's newest release and the manual
# page name the project's version, and the first two the same day.
changelog=$root/usr/share/doc/kovrenda/changelog.gz
changelog_version=$(zcat "$changelog" | dpkg-parsechangelog -l - -S Version)
changelog_date=$(date -u -d "@$(zcat "$changelog" | dpkg-parsechangelog -l - -S Timestamp)" +%F)
[[ $changelog_version == "$version" ]] ||
    fail "the changelog's newest entry is $changelog_version, the project is $version"
release=$(grep -o -m 1 '<release [^>]*>' "$root/usr/share/metainfo/$app_id.metainfo.xml" || true)
[[ $release == *" version=\"$version\""* && $release == *" date=\"$changelog_date\""* ]] ||
    fail "the metainfo's newest release is '$release', expected version $version of $changelog_date"
manual=$(zcat "$root/usr/share/man/man1/kovrenda.1.gz")
th=$(grep -m 1 '^\.TH ' <<<"$manual" || true)
[[ $th == *"\"kovrenda $version\""* ]] || fail "the manual page is for another version: $th"

# The manual page names every option that --help lists, as roff writes it
# (\-h, \-\-help) and as a whole word. Whether man reads the page without a
# warning is one of lintian's checks.
help=$("$program" --help) || fail "kovrenda --help failed"
options=$(sed -n '/^Options:/,$p' <<<"$help" | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//' |
    tr ',' '\n' | awk '{ print $1 }')
[[ -n $options ]] || fail "no options found in --help:"$'\n'"$help"
for option in $options; do
    roff=${option//-/\\-}
    grep -q -E -- "(^|[^-])${roff//\\/\\\\}([^[:alnum:]-]|\$)" <<<"$manual" ||
        fail "the manual page does not name $option"
done

# Started from the unpacked root with a bare environment, the program must
# come up and keep running. Qt's painting log shows the window painted at its
# full client size (481 x 424), which happens only once it is shown; timeout's
# status 124 says the program was still running when the time ran out.
mkdir -m 0700 "$work/run"
status=0
env -i PATH=/usr/bin:/bin HOME="$work" XDG_RUNTIME_DIR="$work/run" LC_ALL=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=qt.widgets.painting=true \
    timeout 4 "$program" >"$work/run.log" 2>&1 || status=$?
if ((status != 124)); then
    fail "the unpacked program ended with status $status within 4 s"
    tail -n 20 "$work/run.log" >&2
fi
grep -E -q 'Syncing QRegion\(0,0 481x424\) of Kovrenda\(' "$work/run.log" ||
    fail "the unpacked program never painted its window"

if ((failures)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the package holds the program and its desktop files, and the unpacked program starts"
