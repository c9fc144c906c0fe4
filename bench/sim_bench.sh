#!/bin/sh
# vdcsim on a full chassis: 256 VDCs and 16,384 ports (bench/gen_chassis.py). Times each
# command with hyperfine and its peak memory with /usr/bin/time -v.
#   usage: bench/sim_bench.sh [VDCSIM]      (default: build/host/sim/vdcsim)
set -eu
here=$(dirname "$0")
vdcsim=${1:-build/host/sim/vdcsim}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/gen_chassis.py" 256 16384 > "$work/full.json"
printf 'exit\n' > "$work/exit.txt"
run() {
  echo "== $1"
  hyperfine --warmup 2 --min-runs 20 --style basic \
    "$vdcsim --chassis $work/full.json -c '$1' < $work/exit.txt" 2>&1 | grep -E 'Time|Range'
  /usr/bin/time -v "$vdcsim" --chassis "$work/full.json" -c "$1" < "$work/exit.txt" 2>&1 \
    >/dev/null | grep 'Maximum resident'
}
run 'show vdc'
run 'switchto vdc vdc200'
run 'show vdc membership'
