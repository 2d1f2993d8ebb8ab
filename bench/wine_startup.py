#!/usr/bin/env python3
"""Start-up of the Windows build under wine, against a bare window.

From starting a probe (startup_probe.cpp, built for Windows) to its first
painted frame: Kovrenda's window (A) against a bare QWidget of the same size
built the same way (B), started in turn, A B A B, after one discarded round,
with Qt's real `windows` platform plug-in in the current X display (run this
under xvfb-run). The first frame is the moment the probe's line arrives
through its pipe: wine's clock is not Linux's, so the probe's own time stamp
is not used. Prints the medians and the median of the per-pair ratios.

Given the Linux build's probes too, starts them the same way in the same X
display (Qt's xcb plug-in), for the same ratio on Linux with a real window
system.

Usage: wine_startup.py WINE_RUN WINDOWS_BENCH_DIR [PAIRS] [LINUX_BENCH_DIR]
WINE_RUN is the Windows build's tests/wine-run.sh, which knows the prefix
and where Qt's DLLs are.
"""
import os
import statistics
import subprocess
import sys
import tempfile
import time


def start(command, env):
    """Starts a probe once: the time to its first frame and its window's size,
    or None and why where it ended without its line."""
    # stderr goes to a file, read only if the start fails: a pipe left unread
    # could fill and stall the probe.
    with tempfile.TemporaryFile() as errors:
        begin = time.monotonic_ns()
        process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=errors,
                                   stdin=subprocess.DEVNULL, env=env)
        line = process.stdout.readline()
        arrived = time.monotonic_ns()
        process.stdout.read()
        status = process.wait(timeout=120)
        if status != 0 or len(line.split()) != 3:
            errors.seek(0)
            return None, (f"printed {line!r}, exit status {status}, "
                          f"its errors: {errors.read()[-3000:]!r}")
    _, width, height = line.split()
    return ((arrived - begin) / 1e6, (int(width), int(height))), None


def first_frame(command, env):
    # A start under wine can, rarely, end before its first frame with no word
    # of why (wine's own processes starting or ending about it); that start is
    # reported and made once more. A probe that does not start twice in a row
    # is a failure.
    result, why = start(command, env)
    if result is None:
        print(f"wine_startup: {command[-1]} ended without its first frame ({why}); "
              "starting it once more", file=sys.stderr, flush=True)
        result, why = start(command, env)
        if result is None:
            sys.exit(f"wine_startup: {command[-1]} printed no first frame twice; "
                     f"the second time it {why}")
    return result


def compare(name, window, bare, env, pairs):
    first_frame(window, env)
    first_frame(bare, env)
    window_ms, bare_ms, ratios = [], [], []
    for i in range(pairs):
        a, a_size = first_frame(window, env)
        b, b_size = first_frame(bare, env)
        if a_size != b_size:
            sys.exit(f"wine_startup: the windows differ in size: {a_size} and {b_size}")
        print(f"  {name} pair {i + 1:2}: window {a:7.1f} ms   bare {b:7.1f} ms")
        window_ms.append(a)
        bare_ms.append(b)
        ratios.append(a / b)
    print(f"{name}, medians of {pairs} pairs: window {statistics.median(window_ms):.1f} ms, "
          f"bare window {statistics.median(bare_ms):.1f} ms, "
          f"ratio {statistics.median(ratios):.2f}")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    wine_run, windows_dir = sys.argv[1], sys.argv[2]
    pairs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    linux_dir = sys.argv[4] if len(sys.argv) > 4 else None
    if not os.environ.get("DISPLAY"):
        sys.exit("wine_startup: no X display: run this under xvfb-run")

    # The prefix made and wine's background processes started once, outside
    # the measured starts.
    subprocess.run(["bash", wine_run, "cmd", "/c", "exit"], check=True,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
    env = dict(os.environ, KOVRENDA_WINE_STARTED="1")
    env.pop("WINEQT_QPA_PLATFORM", None)
    probe = lambda name: ["bash", wine_run, os.path.join(windows_dir, name + ".exe")]
    compare("Windows under wine", probe("startup_probe_window"), probe("startup_probe_bare"),
            env, pairs)
    if linux_dir:
        env = dict(os.environ, QT_QPA_PLATFORM="xcb")
        compare("Linux (xcb)", [os.path.join(linux_dir, "startup_probe_window")],
                [os.path.join(linux_dir, "startup_probe_bare")], env, pairs)


if __name__ == "__main__":
    main()
