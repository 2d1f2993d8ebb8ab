#!/usr/bin/env bash
# The checks that go deeper than the test suite; `bash build.sh test` runs
# them after the suite:
#   1. the benchmarks run once each, briefly, so that they keep working (the
#      figures come from bench/run.sh, not from here);
#   2. valgrind's memcheck over the widget tests of the ordinary build: no
#      memory error and no definite leak;
#   3. everything built by clang with AddressSanitizer, UBSan and libFuzzer's
#      coverage, with Qt's and the standard library's assertions on (preset
#      "fuzz", in build-fuzz): the whole test suite under the sanitizers (the
#      packaging tests are left out, since they make and validate the Debian
#      package rather than run our code), and every fuzzer for
#      KOVRENDA_FUZZ_SECONDS (30) from its seed corpus.
#
# Usage: tools/checks.sh [BUILD_DIR]
# BUILD_DIR is the ordinary build with its tests (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
fuzz_seconds=${KOVRENDA_FUZZ_SECONDS:-30}
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8

section() {
    printf '\n== %s\n' "$*"
}

# The ordinary build has the benchmarks where it was configured with
# KOVRENDA_BENCH=ON (as `bash build.sh test` does); else the bench preset
# builds them.
bench=$build/bench
if [[ ! -x $bench/bench_core ]]; then
    cmake --preset bench >/dev/null
    cmake --build --preset bench
    bench=build-bench/bench
fi
section "Benchmarks, one short run each ($bench)"
"$bench/bench_core" --benchmark_min_time=0.01
"$bench/bench_startup" "$bench/startup_probe_window" "$bench/startup_probe_bare" \
    "$bench/startup_probe_text" 1
"$bench/intro_timing" 1
"$bench/companion_timing" 1
"$bench/practice_timing" 1
"$bench/record_timing" 1
"$bench/solve_timing" 1
"$bench/worksheet_timing" 1
"$bench/drag_timing" 1000

section "valgrind memcheck over the widget tests ($build)"
for test in tst_window tst_intro tst_drawingsurface; do
    echo "-- $test"
    valgrind --quiet --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=1 \
        "$build/tests/$test" -silent
done

section "The test suite and the fuzzers for $fuzz_seconds s each, built by clang with ASan and UBSan (build-fuzz)"
cmake --preset fuzz -DKOVRENDA_FUZZ_SECONDS="$fuzz_seconds" >/dev/null
cmake --build --preset fuzz
# The fuzzers side by side, each for its fixed time; then the suite, one test
# at a time as everywhere.
ctest --preset fuzzers
ctest --preset sanitized
