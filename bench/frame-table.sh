#!/usr/bin/env bash
# A load table as a frame program exports it, against single runs: every
# row its own design forces, the shear forces repeating only in groups
# (22 distinct pairs), about one row in ten beyond the resistance (five in
# a hundred by the axial force, five by the moments). Section: the encased
# HEB 200 of bench/loads_bench.cpp at an element size of 3.8 mm (about
# 11 000 elements), 19 angles × 100 offsets.
#
# Each round runs the table once (`colsec --loads`) and then every row once
# as a single run (`colsec --json`), so that the drift of a shared machine
# hits both alike; best and median of the rounds are printed. With
# `memory` the peak resident memory of the table run and of one single run
# are measured instead (GNU time), for tables of many rows.
#
# FRAME_KEEP=1 keeps the generated folder (its path is that of mktemp -d).
# With FRAME_MEMBER=1 in the environment the column is also checked as a
# 4 m member (#MEMBER), whose two second-order checks run in every row.
#
# usage: bench/frame-table.sh COLSEC [ROWS [ROUNDS]]
#        bench/frame-table.sh COLSEC ROWS memory
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: $0 COLSEC [ROWS [ROUNDS|memory]]" >&2
  exit 2
fi
colsec=$(realpath "$1")
rows=${2:-200}
rounds=${3:-3}
work=$(mktemp -d)
[ -n "${FRAME_KEEP:-}" ] || trap 'rm -rf "$work"' EXIT

section() {
  cat <<'EOF'
#MATERIAL CONC1992_3171  NR 1 PRIO 1 PAR 33000 17 1.0 0.002 0.0035 2
#MATERIAL Steel1993_543  NR 2 PRIO 2 PAR 210000 355 81000
#MATERIAL Steel1992_327b NR 3 PRIO 3 PAR 200000 434.78
#PROFILE RECT NR 1 MAT 1 DIM 400 400 0 0 0
#PROFILE HEB  NR 2 MAT 2 DIM 200 200 9 15 0 0
#PROFILE CIRC NR 3 MAT 3 DIM  150  150 20 0 0
#PROFILE CIRC NR 4 MAT 3 DIM -150  150 20 0 0
#PROFILE CIRC NR 5 MAT 3 DIM -150 -150 20 0 0
#PROFILE CIRC NR 6 MAT 3 DIM  150 -150 20 0 0
EOF
  if [ -n "${FRAME_MEMBER:-}" ]; then echo '#MEMBER LEN 4000 LCR 4000 4000 RATIO 0 0 CREEP 2 0.6'; fi
}
settings='#SETTINGS SET 3.8 0 0 19 100'

# The rows, in kN and kNm: a fixed pseudo-random sequence, so that every
# run of the benchmark measures the same table.
awk -v rows="$rows" 'BEGIN {
  state = 12345
  print "name,Nx [kN],My [kNm],Mz [kNm],Qy [kN],Qz [kN]"
  for (i = 0; i < rows; ++i) {
    group = int(i * 22 / rows)
    qy = 5 + 4.5 * group; qz = 10 + 9 * group
    state = (state * 16807) % 2147483647; u1 = state / 2147483647
    state = (state * 16807) % 2147483647; u2 = state / 2147483647
    state = (state * 16807) % 2147483647; u3 = state / 2147483647
    if (i % 20 == 7) {          # beyond the axial resistance (about 5 900 kN)
      n = -(6500 + 1500 * u1); my = (2 * u2 - 1) * 100; mz = (2 * u3 - 1) * 50
    } else if (i % 20 == 17) {  # beyond the bending resistance
      n = -(2500 + 1000 * u1); my = 400 + 100 * u2; mz = 100 + 50 * u3
    } else {
      n = -(500 + 3000 * u1); my = (2 * u2 - 1) * 180; mz = (2 * u3 - 1) * 90
    }
    printf "C%d,%.3f,%.3f,%.3f,%.3f,%.3f\n", i + 1, n, my, mz, qy, qz
  }
}' >"$work/table.csv"
{ section; echo '#FORCEED FED -1000000 0 0 0 0'; echo "$settings"; } >"$work/input.txt"

# One input file per row for the single runs, with the row's forces in N
# and Nmm (the table's numbers have three decimals, so the products are
# exact in decimal).
mkdir "$work/single"
section >"$work/section.txt"
awk -F, -v settings="$settings" -v work="$work" 'NR > 1 {
  file = work "/single/" $1 ".txt"
  while ((getline line < (work "/section.txt")) > 0) print line > file
  close(work "/section.txt")
  printf "#FORCEED FED %.0f %.0f %.0f %.0f %.0f\n", $2 * 1e3, $3 * 1e6, $4 * 1e6, $5 * 1e3, $6 * 1e3 > file
  print settings > file
  close(file)
}' "$work/table.csv"

now() { date +%s%N; }

if [ "$rounds" = memory ]; then
  /usr/bin/time -f '%M' -o "$work/table.kb" "$colsec" --loads "$work/table.csv" "$work/input.txt" >/dev/null
  /usr/bin/time -f '%M' -o "$work/single.kb" "$colsec" --json "$work/single/C8.txt" >/dev/null
  table_kb=$(tail -1 "$work/table.kb")
  single_kb=$(tail -1 "$work/single.kb")
  echo "rows $rows: table peak $((table_kb / 1024)) MB; one single run (beyond the resistance) $((single_kb / 1024)) MB," \
    "100 single runs $((single_kb * 100 / 1024)) MB"
  exit 0
fi

for _ in $(seq "$rounds"); do
  start=$(now)
  "$colsec" --loads "$work/table.csv" "$work/input.txt" >/dev/null
  end=$(now)
  echo "table $(((end - start) / 1000))"
  start=$(now)
  for file in "$work"/single/*.txt; do
    "$colsec" --json "$file" >/dev/null
  done
  end=$(now)
  echo "single $(((end - start) / 1000))"
done | sort -k1,1 -k2n | awk -v rows="$rows" '
  { times[$1] = times[$1] " " $2 }
  END {
    for (which in times) {
      n = split(times[which], t, " ")
      best[which] = t[1] / 1e6; median[which] = t[int((n + 1) / 2)] / 1e6
      printf "%-6s best %8.3f s   median %8.3f s   (%d rounds)\n", which, best[which], median[which], n
    }
    printf "rows %d: table against the single runs: best %.1f x, median %.1f x\n", rows,
      best["single"] / best["table"], median["single"] / median["table"]
  }'
