#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages one job needs:
#   scripts/deps.sh demo   building the library and running vdcsim
#   scripts/deps.sh test   every test: GoogleTest, Google Benchmark, the PowerPC cross compiler,
#                          qemu-user, the ABI tools, scdoc for the manual pages, Python for
#                          the documents' examples, and the packaging tools with lintian
#   scripts/deps.sh fuzz   clang with libFuzzer
set -euo pipefail
demo=(cmake ninja-build g++ pkg-config libreadline-dev libyaml-dev libsqlite3-dev libre2-dev)
case "${1:-test}" in
  demo) packages=("${demo[@]}") ;;
  test) packages=("${demo[@]}" libgtest-dev libgmock-dev googletest libbenchmark-dev
                  g++-powerpc-linux-gnu qemu-user abigail-tools pkg-config scdoc python3
                  dpkg-dev lintian) ;;
  fuzz) packages=("${demo[@]}" clang libclang-rt-14-dev) ;;
  *) echo "usage: scripts/deps.sh demo|test|fuzz" >&2; exit 2 ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
