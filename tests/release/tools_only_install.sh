#!/usr/bin/env bash
# A tools-only install (vdcsim and the stand-in, no library) must not reach back into the
# build tree: vdcsim looks for the library in its own tree's library folder only, names that
# path, and exits with 2.
#   usage: tools_only_install.sh BUILD-DIR LIBDIR
set -euo pipefail
build=$1 libdir=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" --component tools > /dev/null
status=0
"$prefix/bin/vdcsim" -c 'show vdc' > "$prefix/out" 2>&1 || status=$?
expected="vdcsim: cannot use the library $prefix/$libdir/libzudoru_mgr_show.so:"
if [ "$status" -ne 2 ] || [ "$(head -n 1 "$prefix/out")" != "$expected" ]; then
  echo "expected status 2 and: $expected"
  echo "got status $status and:"
  cat "$prefix/out"
  exit 1
fi
echo "a tools-only install refuses to run without its library"
