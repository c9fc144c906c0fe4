#!/usr/bin/env bash
# Builds and runs every test: on the host under ASan and UBSan (the whole suite), on the host
# plain (the checks that need the library uninstrumented: allocation failures, the export
# list, release checks), and for the 32-bit big-endian PowerPC target under qemu-user.
# The last line is the total over the three runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)
passed=0
failed=0

run() {
  local name=$1; shift
  echo "=== $name: configure and build"
  cmake -S . -B "build/$name" -G Ninja "$@" > "build/$name.configure.log" 2>&1 ||
    { cat "build/$name.configure.log"; exit 1; }
  cmake --build "build/$name" -j "$jobs"
  echo "=== $name: test"
  (cd "build/$name" && ctest --output-on-failure -j "$jobs") | tee "build/$name.test.log" || true
  local counts
  counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\)/\1 \2/p' \
    "build/$name.test.log")
  [ -n "$counts" ] || counts="1 1"  # ctest did not get to its summary
  failed=$((failed + ${counts% *}))
  passed=$((passed + ${counts#* } - ${counts% *}))
}

mkdir -p build
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  run sanitize -DZMS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1"
run plain -DZMS_PLAIN_CHECKS=ON
run ppc --toolchain cmake/powerpc-linux-gnu.cmake
[ "$failed" -eq 0 ] && echo "=== all test runs passed: sanitize, plain, ppc"
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
