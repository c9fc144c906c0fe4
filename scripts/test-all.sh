#!/usr/bin/env bash
# Builds and runs every test: on the host under ASan and UBSan (the whole suite), on the host
# plain (the checks that need the library uninstrumented: allocation failures, the export
# list, release checks), and for the 32-bit big-endian PowerPC target under qemu-user. Then
# the Debian packages of the host and PowerPC builds, configured again for the prefix /usr,
# and one lintian run over all of them (when lintian is installed).
# The last line is the total over the runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

jobs=$(nproc)
passed=0
failed=0

configure() {
  local name=$1
  shift
  cmake -S . -B "build/$name" -G Ninja "$@" > "build/$name.configure.log" 2>&1 ||
    { cat "build/$name.configure.log"; exit 1; }
}

run() {
  local name=$1; shift
  echo "=== $name: configure and build"
  configure "$name" -DCMAKE_INSTALL_PREFIX=/usr/local "$@"
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

# The packages of a tested build: configured for /usr (multiarch library folder), without tests.
packages() {
  local name=$1; shift
  echo "=== $name: Debian packages"
  configure "$name" -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF "$@"
  cmake --build "build/$name" -j "$jobs" > "build/$name.packages.log" 2>&1 &&
    cmake --build "build/$name" --target debs >> "build/$name.packages.log" 2>&1 ||
    { cat "build/$name.packages.log"; failed=$((failed + 1)); return; }
  passed=$((passed + 1))
}

mkdir -p build
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  run sanitize -DZMS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1"
run plain -DZMS_PLAIN_CHECKS=ON -DBUILD_TESTING=ON
run ppc --toolchain cmake/powerpc-linux-gnu.cmake -DBUILD_TESTING=ON
packages plain -DZMS_PLAIN_CHECKS=OFF
packages ppc
if command -v lintian > /dev/null; then
  echo "=== lintian"
  # Errors and warnings fail; information and pedantic notes are shown.
  lintian -EvI --pedantic build/plain/packages/*.deb build/ppc/packages/*.deb 2>&1 |
    grep -v '^N:' | grep -v 'running with root privileges' | tee build/lintian.log || true
  if grep -qE '^[EW]: ' build/lintian.log; then failed=$((failed + 1)); else passed=$((passed + 1)); fi
fi
[ "$failed" -eq 0 ] && echo "=== all test runs passed: sanitize, plain, ppc, packages, lintian"
echo "total: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
