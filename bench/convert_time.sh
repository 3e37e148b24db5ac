#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# quenby-convert on about 100,000 synthetic people (48,600 lines of the
# benchmarks' list), classic against 5.5.1 and 7.0, the whole road from text
# to file as a user runs it. The formats take turns, so that a busy machine
# slows each alike; printed are the median wall time and the median
# processor time (user and system) of RUNS runs of each, and each median as
# a multiple of the classic one. Needs a build with the benchmarks
# (-DQUENBY_BUILD_BENCH=ON).
#   Usage: bench/convert_time.sh BUILD_DIR [RUNS] [LINES]
set -eu
build="$1"
runs="${2:-9}"
lines="${3:-48600}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/write_synthetic" "$lines" "$work/list.rules" >"$work/list.txt"
echo "people: $("$build/src/cli/quenby-convert" -r "$work/list.rules" --stage people "$work/list.txt" | wc -l)"
i=0
while [ "$i" -lt "$runs" ]; do
  for format in classic 5.5.1 7.0; do
    /usr/bin/time -a -o "$work/times.$format" -f "%e %U %S" \
      "$build/src/cli/quenby-convert" -r "$work/list.rules" --sex F --format "$format" -o "$work/out.ged" "$work/list.txt"
  done
  i=$((i + 1))
done
median() {
  sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'
}
classicWall=$(awk '{ print $1 }' "$work/times.classic" | median)
classicCpu=$(awk '{ print $2 + $3 }' "$work/times.classic" | median)
for format in classic 5.5.1 7.0; do
  wall=$(awk '{ print $1 }' "$work/times.$format" | median)
  cpu=$(awk '{ print $2 + $3 }' "$work/times.$format" | median)
  awk -v f="$format" -v w="$wall" -v c="$cpu" -v cw="$classicWall" -v cc="$classicCpu" -v n="$runs" \
    'BEGIN { printf "%-8s wall %5.2f s (%.2fx)  cpu %5.2f s (%.2fx)  median of %d\n", f, w, w / cw, c, c / cc, n }'
done
