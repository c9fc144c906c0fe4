#!/usr/bin/env bash
# Checks that the identifier lists (ZMS_ATTRIBUTE_IDS, expanded by the compiler's preprocessor)
# name every attribute identifier the public header defines, each once, and no other name;
# VDC_ATTR_WALK_END ends a walk and is no attribute. The values are held to the header's at
# compile time.
set -euo pipefail
header=$1 ids_header=$2 cxx=$3 generated_include=$4

defined=$(sed -nE 's/^#define (VDC_(ATTR|REQ)_[A-Z0-9_]+) .*/\1/p' "$header" | grep -vx VDC_ATTR_WALK_END | sort)
listed=$(printf '#include "%s"\n#define ZMS_NAME(name, value) zms_listed #name\nZMS_ATTRIBUTE_IDS(ZMS_NAME)\n' \
  "$ids_header" | "$cxx" -E -P -x c++ -I "$(dirname "$header")" -I "$generated_include" - |
  grep -oE 'zms_listed "[A-Za-z0-9_]+"' | cut -d'"' -f2 | sort)

fail=0
twice=$(echo "$listed" | uniq -d)
if [ -n "$twice" ]; then echo "listed twice in $ids_header:"; echo "$twice"; fail=1; fi
unlisted=$(comm -13 <(echo "$listed" | sort -u) <(echo "$defined"))
if [ -n "$unlisted" ]; then echo "defined in $header but not listed:"; echo "$unlisted"; fail=1; fi
undefined=$(comm -23 <(echo "$listed" | sort -u) <(echo "$defined"))
if [ -n "$undefined" ]; then echo "listed but not defined in $header:"; echo "$undefined"; fail=1; fi
exit $fail
