#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The first save after "Process all" of 100,000 people, classic against
# standard, each in a fresh process as a user saves once: the median of
# RUNS runs of each. Usage: bench/first_save.sh BUILD_DIR [RUNS]
set -eu
bench="$1/bench/gedcom_bench"
runs="${2:-15}"
for name in FirstSaveClassic FirstSaveStandard/5.5.1 FirstSaveStandard/7.0; do
  i=0
  while [ "$i" -lt "$runs" ]; do
    "$bench" --benchmark_filter="^BM_$name/" --benchmark_format=csv 2>/dev/null |
      awk -F, 'NR > 1 { print $3 }'
    i=$((i + 1))
  done | sort -n | awk -v name="$name" '{ t[NR] = $1 } END { printf "%-28s median %.1f ms (of %d runs)\n", name, t[int((NR + 1) / 2)], NR }'
done
