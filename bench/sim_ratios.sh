#!/bin/sh
# vdcsim on a full chassis (bench/gen_chassis.py: 256 VDCs, 16,384 ports) saved as YAML by
# copy running-config, in callgrind instructions against the floor: bench/yaml_floor, which
# only parses the same file with libyaml. Prints the four ratios with their targets; a
# switch counts the nested shell too. Builds a plain tree (-O2, as the project builds by
# default) in build/bench first.
#   usage: bench/sim_ratios.sh [BUILD_DIR]      (needs valgrind)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/bench}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" --target vdcsim yaml_floor > /dev/null
vdcsim=$build/sim/vdcsim
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/gen_chassis.py 256 16384 > "$work/full.json"
"$vdcsim" --chassis="$work/full.json" -c "copy running-config $work/full.yaml" > /dev/null
"$vdcsim" --chassis="$work/full.yaml" --lab="$work/lab.db" -c 'show vdc' > /dev/null
printf 'exit\n' > "$work/exit.txt"

# Instructions of one run, every process of it added up.
count() {
  rm -f "$work"/cg.*
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.%p" "$@" < "$work/exit.txt" \
    > /dev/null 2> "$work/log"
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/log" | awk '{n += $1} END {print n}'
}
floor=$(count "$build/bench/yaml_floor" "$work/full.yaml")
show=$(count "$vdcsim" --chassis="$work/full.yaml" -c 'show vdc')
switch=$(count --trace-children=yes "$vdcsim" --chassis="$work/full.yaml" -c 'switchto vdc vdc200')
lab=$(count "$vdcsim" --lab="$work/lab.db" -c 'show vdc')
members=$(count "$vdcsim" --chassis="$work/full.yaml" -c 'show vdc membership')

row() { awk -v n="$2" -v d="$3" -v t="$4" -v what="$1" -v over="$5" \
  'BEGIN {r = n / d; printf "| %-48s | %6.0f M | %-15s | %5.2fx | <= %.2fx %s |\n", what, n / 1e6, over, r, t, (r <= t ? "met" : "MISSED")}'; }
echo "| command | instructions | against | ratio | target |"
echo "|---|---|---|---|---|"
awk -v n="$floor" 'BEGIN {printf "| %-48s | %6.0f M | %-15s | 1.00x | |\n", "yaml_floor FILE", n / 1e6, ""}'
row "vdcsim --chassis=FILE -c 'show vdc'" "$show" "$floor" 2.5 "the floor"
row "switchto vdc vdc200, then exit (both shells)" "$switch" "$show" 1.3 "show vdc"
row "vdcsim --lab=LAB -c 'show vdc'" "$lab" "$floor" 0.6 "the floor"
row "vdcsim --chassis=FILE -c 'show vdc membership'" "$members" "$show" 1.15 "show vdc"
