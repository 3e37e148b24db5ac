#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One pattern rule over 100,000 lines beside sed -E with the same pattern on
# the same file: quenby-convert --stage people (reading, the run, writing the
# people list) against sed -E (reading, replacing, writing). Best of five.
#   bench/pattern_vs_sed.sh [BUILD_DIR]     (a build with QUENBY_BUILD_BENCH=ON)
set -euo pipefail
build=${1:-build-bench}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

pattern=' (b|d)\. ([0-9.]+)'
"$build/bench/write_synthetic" 100000 > "$dir/list.txt"
printf '[Rules]\r\n1="51\t|\t%s\t|\t|_\\1_\\2"\r\n' "$pattern" > "$dir/pattern.rules"

best() {
  local best_time=999999
  for _ in 1 2 3 4 5; do
    local start end elapsed
    start=$(date +%s%N)
    "$@" > /dev/null
    end=$(date +%s%N)
    elapsed=$(( (end - start) / 1000000 ))
    (( elapsed < best_time )) && best_time=$elapsed
  done
  echo "$best_time"
}

echo "lines: $(wc -l < "$dir/list.txt"), pattern: '$pattern'"
echo "sed -E 's/$pattern/|_\\1_\\2/g':       $(best sed -E "s/$pattern/|_\\1_\\2/g" "$dir/list.txt") ms"
echo "quenby-convert --stage people (rule 51): $(best "$build/src/cli/quenby-convert" --stage people -r "$dir/pattern.rules" "$dir/list.txt") ms"
