#!/bin/bash
# Compares `mvtool render FILE.MVF out.pdf` with `pcal | ps2pdf` for the same month (June 2027)
# with the same three-line note on each of its 30 days, and prints the ratio of their times
# (below 1: mvtool is faster). A second line times the benchmark's page of 42 filled cells and
# 30 labels, which pcal cannot draw. Needs Debian's pcal and ghostscript.
# Usage: bench/compare_pcal.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
runs="${2:-20}"
# shellcheck source=pcal_common.sh
source "$(dirname "$0")/pcal_common.sh"

note=("Dentist 9:30" "Soccer practice" "Call Grandma")
{
  echo '{"format": "calendar", "date": {"day": 1, "month": 6, "year": 2027}, "cells": ['
  for day in $(seq 1 30); do
    # June 1, 2027 is a Tuesday: with weeks from Sunday, day d is cell d + 2.
    printf '{"index": %d, "text": "%s\\n%s\\n%s"}' $((day + 2)) "${note[@]}"
    [ "$day" -lt 30 ] && echo ','
  done
  echo ']}'
} >"$work/notes.json"
for day in $(seq 1 30); do
  for line in "${note[@]}"; do echo "06/$(printf %02d "$day")/2027 $line"; done
done >"$work/notes.pcal"

{
  echo '{"format": "calendar", "date": {"day": 1, "month": 6, "year": 2027}, "cells": ['
  for cell in $(seq 1 42); do
    printf '{"index": %d, "text": "%s\\n%s\\n%s"}' "$cell" "${note[@]}"
    [ "$cell" -lt 42 ] && echo ','
  done
  echo '], "objects": ['
  for i in $(seq 0 29); do
    printf '{"class": "TGPLabel", "name": "Special%d", "properties": {"Caption": "Label number %d", "Left": %d, "Top": %d, "Width": 160, "Height": 24}}' \
      $((i + 1)) $((i + 1)) $((20 + 30 * (i % 10))) $((40 + 200 * (i / 10)))
    [ "$i" -lt 29 ] && echo ','
  done
  echo ']}'
} >"$work/full.json"

"$mvtool" build "$work/notes.json" "$work/notes.MVF" >/dev/null
"$mvtool" build "$work/full.json" "$work/full.MVF" >/dev/null

run_pcal() { pcal -f "$work/notes.pcal" 6 2027 | ps2pdf - "$work/pcal.pdf"; }

mv_notes=$(seconds "$mvtool" render "$work/notes.MVF" "$work/notes.pdf")
mv_full=$(seconds "$mvtool" render "$work/full.MVF" "$work/full.pdf")
pcal_time=$(seconds run_pcal)
awk -v n="$runs" -v notes="$mv_notes" -v full="$mv_full" -v pcal="$pcal_time" 'BEGIN {
  printf "runs: %d\n", n
  printf "mvtool, 30 notes:               %.3f s per page\n", notes / n
  printf "mvtool, 42 cells and 30 labels: %.3f s per page\n", full / n
  printf "pcal | ps2pdf, 30 notes:        %.3f s per page\n", pcal / n
  printf "ratio mvtool / pcal, same notes: %.2f\n", notes / pcal
  printf "ratio mvtool (42 cells, 30 labels) / pcal: %.2f\n", full / pcal
}'
