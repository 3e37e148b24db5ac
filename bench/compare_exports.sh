#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares the GEDCOM files of two builds byte for byte: the examples
# (examples/*.txt with their rules), 100,000 synthetic people, and every
# input of the fuzz corpora that reaches the export, each in every format
# (classic, 5.5.1, 7.0) and both date orders, with sexes stated and (no
# terminal, no --sex) by default. Both builds need the benchmarks
# (-DQUENBY_BUILD_BENCH=ON). Prints what differs; exit status 1 when
# anything does.
#   Usage: bench/compare_exports.sh OLD_BUILD_DIR NEW_BUILD_DIR [SYNTHETIC_LINES]
set -eu
old="$1"
new="$2"
lines="${3:-48600}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=1796515200

# convert BUILD OUT_DIR NAME RULES TEXT: every format, order and sex answer.
convert() {
  for format in classic 5.5.1 7.0; do
    for dates in dmy mdy; do
      "$1/src/cli/quenby-convert" -r "$4" --sex F --format "$format" --dates "$dates" \
        -o "$2/$3.$format.$dates.sexF.ged" "$5"
      # Without a terminal and without --sex every sex is a default.
      setsid -w "$1/src/cli/quenby-convert" -r "$4" --format "$format" --dates "$dates" \
        -o "$2/$3.$format.$dates.default.ged" "$5" </dev/null
    done
  done
}

"$new/bench/write_synthetic" "$lines" "$work/synthetic.rules" >"$work/synthetic.txt"
echo "synthetic people: $("$new/src/cli/quenby-convert" -r "$work/synthetic.rules" --stage people "$work/synthetic.txt" | wc -l)"

for side in old new; do
  eval "build=\$$side"
  mkdir -p "$work/$side/examples" "$work/$side/synthetic" "$work/$side/record_text" "$work/$side/convert"
  for text in "$root"/examples/*.txt; do
    name="$(basename "$text" .txt)"
    convert "$build" "$work/$side/examples" "$name" "${text%.txt}.rules" "$text"
  done
  convert "$build" "$work/$side/synthetic" synthetic "$work/synthetic.rules" "$work/synthetic.txt"
  for corpus in record_text convert; do
    find "$root/fuzz/corpus/${corpus}_fuzz" -type f -print0 |
      xargs -0 "$build/bench/export_each" "$corpus" "$work/$side/$corpus"
  done
done

for part in examples synthetic record_text convert; do
  echo "$part: $(find "$work/new/$part" -type f | wc -l) files"
done
if diff -r "$work/old" "$work/new" >"$work/diff" 2>&1; then
  echo "every file the same"
else
  grep -E '^(Only in|Binary files|diff )' "$work/diff" | head -50
  echo "files differ: $(grep -cE '^(Only in|Binary files|diff )' "$work/diff")"
  exit 1
fi
