#!/usr/bin/env bash
# Sets up and runs every test: installs what is missing, builds the Windows build and the host
# build, and runs both test suites (the Windows one under Wine and Xvfb). Exits non-zero when a
# build or a test fails.
set -u -o pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
export MW_BUILD="${MW_BUILD:-$root/build}"
jobs=$(nproc 2>/dev/null || echo 2)
start=$(date +%s)

"$root/tools/deps.sh" || exit 1

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

echo "== Host build (sanitizers)"
cmake -S "$root" -B "$MW_BUILD/host" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMW_SANITIZE=ON -DMW_FUZZ=ON \
  >"$MW_BUILD.host-configure.log" 2>&1 || { cat "$MW_BUILD.host-configure.log"; fail "configuring the host build"; }
cmake --build "$MW_BUILD/host" -j "$jobs" || fail "the host build"

echo "== Windows build"
cmake -S "$root" -B "$MW_BUILD/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  >"$MW_BUILD.win-configure.log" 2>&1 || { cat "$MW_BUILD.win-configure.log"; fail "configuring the Windows build"; }
cmake --build "$MW_BUILD/win" -j "$jobs" || fail "the Windows build"
rm -f "$MW_BUILD.host-configure.log" "$MW_BUILD.win-configure.log"

. "$root/tools/wine-env.sh"
mw_wine_start
trap mw_wine_stop EXIT

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

status=0
echo "== Host tests"
ctest --test-dir "$MW_BUILD/host" --output-on-failure -j "$jobs" 2>&1 | tee "$MW_BUILD/host-tests.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
echo "== Windows tests (Wine)"
ctest --test-dir "$MW_BUILD/win" --output-on-failure -j "$jobs" 2>&1 | tee "$MW_BUILD/win-tests.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

echo
echo "== Summary"
echo "Host build:    $(grep -E 'tests passed|tests failed' "$MW_BUILD/host-tests.log" | tail -n 1)"
echo "Windows build: $(grep -E 'tests passed|tests failed' "$MW_BUILD/win-tests.log" | tail -n 1)"
echo "Took $(($(date +%s) - start)) s"
exit $status
