#!/usr/bin/env bash
# Reads the RUNPATH and RPATH of every ELF file a build made, and of every one it installs
# (into a temporary prefix), and fails on a search path the loader could be steered through:
#  - an empty entry, which the loader takes for the working directory (any tree);
#  - a relative entry not starting with $ORIGIN (any tree);
#  - in an installed file, an absolute entry, such as a path into the build or source tree.
#   usage: check_runpath.sh BUILD-DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > "$prefix.log" 2>&1 || { cat "$prefix.log"; exit 1; }
rm -f "$prefix.log"
fail=0 checked=0

elf_files() {
  find "$1" -type f ! -name '*.o' ! -name '*.a' ! -path '*/CMakeFiles/*' -size +63c -print0 |
    while IFS= read -r -d '' f; do
      [ "$(head -c 4 "$f" | od -An -c | tr -d ' ')" = '177ELF' ] && printf '%s\n' "$f"
    done
}

# check TREE INSTALLED: one line per fault, "FILE: RUNPATH 'ENTRIES': why".
check() {
  local file kind paths entry
  while IFS= read -r file; do
    checked=$((checked + 1))
    while IFS=$'\t' read -r kind paths; do
      [ -n "$kind" ] || continue
      local fields
      IFS=: read -r -a fields <<< "$paths:"
      [ "${paths: -1}" != : ] && [ "${paths:0:1}" != : ] && [[ $paths != *::* ]] ||
        { echo "$file: $kind '$paths': an empty entry is the working directory"; fail=1; }
      for entry in "${fields[@]}"; do
        case $entry in
          '' | '$ORIGIN'*) ;;
          /*) [ "$2" = no ] || { echo "$file: $kind '$paths': absolute path $entry"; fail=1; } ;;
          *) echo "$file: $kind '$paths': relative path $entry"; fail=1 ;;
        esac
      done
    done < <(readelf -dW "$file" | sed -n 's/.*(\(RUNPATH\|RPATH\)).*\[\(.*\)\]$/\1\t\2/p')
  done < <(elf_files "$1")
}

check "$build" no
built=$checked
check "$prefix" yes
[ $fail -eq 0 ] && echo "search paths of $built built and $((checked - built)) installed ELF files are safe"
exit $fail
