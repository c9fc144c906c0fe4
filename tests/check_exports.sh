#!/usr/bin/env bash
# Checks the library as the switch's loader sees it:
#  - it defines exactly the names of its export list, nothing else (the ABS symbols that name
#    version nodes aside);
#  - every platform name it uses stays undefined (resolved at load), none is defined;
#  - its only needed shared object is the C library.
set -euo pipefail
lib=$1 exports=$2 platform_header=$3
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

[ $fail -eq 0 ] && echo "exports: $(echo "$defined" | wc -l) names; platform names undefined: $platform_used; needs: $needed"
exit $fail
