#!/usr/bin/env bash
# Two colsec binaries on the same input, run by run in turn, so that the
# drift of a shared machine hits both alike. Each binary works in a folder
# of its own (the result files are written beside the input) and the
# result files of both are compared byte for byte at the end.
#
# usage: bench/side-by-side.sh OLD_BINARY NEW_BINARY INPUT [RUNS]
set -euo pipefail
if [ $# -lt 3 ]; then
  echo "usage: $0 OLD_BINARY NEW_BINARY INPUT [RUNS]" >&2
  exit 2
fi
old=$(realpath "$1")
new=$(realpath "$2")
input=$3
runs=${4:-21}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/old" "$work/new"
name=$(basename "$input")
cp "$input" "$work/old/$name"
cp "$input" "$work/new/$name"

for _ in $(seq "$runs"); do
  for which in old new; do
    binary=$old
    [ "$which" = new ] && binary=$new
    start=$(date +%s%N)
    "$binary" "$work/$which/$name" >/dev/null
    end=$(date +%s%N)
    echo "$which $(((end - start) / 1000))"
  done
done | sort -k1,1 -k2n | awk -v runs="$runs" '
  { times[$1] = times[$1] " " $2 }
  END {
    for (which in times) {
      n = split(times[which], t, " ")
      best[which] = t[1] / 1000; median[which] = t[int((n + 1) / 2)] / 1000
      printf "%-4s best %9.1f ms   median %9.1f ms   (%d runs)\n", which, best[which], median[which], n
    }
    printf "speed-up: best %.2f x, median %.2f x\n", best["old"] / best["new"], median["old"] / median["new"]
  }'

base=${name%.*}
for suffix in .cclog _Section.res _Interaction.res _Validation.res; do
  if ! cmp -s "$work/old/$base$suffix" "$work/new/$base$suffix"; then
    echo "result files differ: $base$suffix" >&2
    exit 1
  fi
done
echo "result files equal, byte for byte"
