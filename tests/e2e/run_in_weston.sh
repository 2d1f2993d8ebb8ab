#!/usr/bin/env bash
# Runs a command as a client of a private Wayland compositor: weston with its
# headless backend (no screen, no input devices), on a socket of its own in a
# throw-away runtime folder, and stops weston afterwards.
#
# Usage: run_in_weston.sh COMMAND [ARGUMENT...]
set -euo pipefail

runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=kovrenda-test
weston_pid=
cleanup() {
    [[ -n $weston_pid ]] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
    rm -rf "$runtime"
}
trap cleanup EXIT

XDG_RUNTIME_DIR=$runtime weston --no-config --backend=headless-backend.so \
    --shell=desktop-shell.so --socket="$socket" --idle-time=0 --width=1024 --height=768 \
    >"$runtime/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [[ -S $runtime/$socket ]] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [[ ! -S $runtime/$socket ]]; then
    cat "$runtime/weston.log" >&2
    echo "FAIL: weston did not start" >&2
    exit 1
fi

status=0
env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
    "$@" || status=$?
if ((status != 0)); then
    echo "-- weston's log:" >&2
    tail -n 20 "$runtime/weston.log" >&2
fi
exit "$status"
