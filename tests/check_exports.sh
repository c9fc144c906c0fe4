#!/usr/bin/env bash
# Checks the library as the switch's loader sees it:
#  - it defines exactly the names of its export list, nothing else (the ABS symbols that name
#    version nodes aside);
#  - every platform name it uses stays undefined (resolved at load), none is defined;
#  - its only needed shared object is the C library;
#  - the list that the tests and vdcsim bind by name (ZMS_EXPORTS, expanded by the compiler's
#    preprocessor) names each name of the export list once, and no other.
set -euo pipefail
lib=$1 exports=$2 platform_header=$3 exports_header=$4 cxx=$5
fail=0

expected=$(grep -oE '\b[A-Za-z_][A-Za-z0-9_]*;' "$exports" | tr -d ';' | grep -vx local | sort -u)
defined=$(readelf --dyn-syms -W "$lib" | awk '$7 != "UND" && $7 != "ABS" && ($5 == "GLOBAL" || $5 == "WEAK") && $8 != "" {print $8}' |
  sed 's/@.*//' | grep -vxE '_init|_fini' | sort -u)
undefined=$(readelf --dyn-syms -W "$lib" | awk '$7 == "UND" && $8 != "" {print $8}' | sed 's/@.*//' | sort -u)
platform=$(grep -vE '^\s*(typedef|#|/\*|\*)' "$platform_header" |
  grep -oE '\b[A-Za-z_][A-Za-z0-9_]*(\(|\[\];)' | sed -E 's/(\(|\[\];)$//' | sort -u)

extra=$(comm -23 <(echo "$defined") <(echo "$expected"))
missing=$(comm -13 <(echo "$defined") <(echo "$expected"))
if [ -n "$extra" ]; then echo "exported but not in the export list:"; echo "$extra"; fail=1; fi
if [ -n "$missing" ]; then echo "in the export list but not defined:"; echo "$missing"; fail=1; fi

platform_defined=$(comm -12 <(echo "$platform") <(echo "$defined"))
if [ -n "$platform_defined" ]; then echo "platform names defined in the library:"; echo "$platform_defined"; fail=1; fi
platform_used=$(comm -12 <(echo "$platform") <(echo "$undefined") | wc -l)
if [ "$platform_used" -eq 0 ]; then echo "no platform name is left undefined"; fail=1; fi

needed=$(readelf -d "$lib" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
for n in $needed; do
  case "$n" in libc.so.*) ;; *) echo "needs $n"; fail=1 ;; esac
done

listed=$(printf '#include "%s"\n#define ZMS_NAME(name) name\nZMS_EXPORTS(ZMS_NAME)\n' \
  "$exports_header" | "$cxx" -E -P -x c++ - | tr -s ' ' '\n' | grep -v '^$' | sort)
twice=$(echo "$listed" | uniq -d)
if [ -n "$twice" ]; then echo "listed twice in $exports_header:"; echo "$twice"; fail=1; fi
unlisted=$(comm -13 <(echo "$listed" | sort -u) <(echo "$expected"))
not_exported=$(comm -23 <(echo "$listed" | sort -u) <(echo "$expected"))
if [ -n "$unlisted" ]; then echo "missing from $exports_header:"; echo "$unlisted"; fail=1; fi
if [ -n "$not_exported" ]; then echo "in $exports_header but not exported:"; echo "$not_exported"; fail=1; fi

[ $fail -eq 0 ] && echo "exports: $(echo "$defined" | wc -l) names; platform names undefined: $platform_used; needs: $needed"
exit $fail
