#!/usr/bin/env bash
# Installs a build into a temporary prefix and builds consumer.c against that tree through
# pkg-config and through find_package, then runs both programs, under the emulator if one is
# given after the compiler.
set -euo pipefail
build=$1 libdir=$2 cc=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
quiet() { "$@" > "$prefix/log" 2>&1 || { cat "$prefix/log"; return 1; }; }

quiet cmake --install "$build" --prefix "$prefix"
lib=$prefix/$libdir
# shellcheck disable=SC2046 # pkg-config's flags are words
quiet "$cc" -Wall -Wextra -Werror -o "$prefix/by_pkgconfig" "$here/consumer.c" \
  $(PKG_CONFIG_LIBDIR=$lib/pkgconfig pkg-config --cflags --libs zudoru_mgr_show) \
  -L"$lib" -lvdc_standin -Wl,-rpath,"$lib"
quiet cmake -S "$here/consumer" -B "$prefix/by_cmake" -DCMAKE_SYSTEM_NAME=Linux \
  -DCMAKE_C_COMPILER="$cc" -DCMAKE_PREFIX_PATH="$prefix"
quiet cmake --build "$prefix/by_cmake"

for program in "$prefix/by_pkgconfig" "$prefix/by_cmake/consumer"; do
  diff -u "$here/consumer.expected" <("$@" "$program") || { echo "from $program"; exit 1; }
done
echo "built and ran against $(basename "$(readlink -f "$lib/libzudoru_mgr_show.so")") through pkg-config and find_package"
