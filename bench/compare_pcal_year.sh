#!/bin/bash
# Compares `mvtool year` with `pcal | ps2pdf` for the same year (2027, twelve pages) and the same
# 40 events: an iCalendar file for mvtool, a pcal date file with the same days and texts. Prints
# the time of each and their ratio (below 1: mvtool is faster). Needs Debian's pcal and
# ghostscript.
# Usage: bench/compare_pcal_year.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="${1:-$(dirname "$0")/../build}"
runs="${2:-10}"
# shellcheck source=pcal_common.sh
source "$(dirname "$0")/pcal_common.sh"

# 40 events spread over the year: on day 3 + 7k of month 1 + k mod 12, some at a time of day.
{
  printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Mervane bench//EN\r\n'
  for k in $(seq 0 39); do
    month=$((1 + k % 12))
    day=$((1 + (3 + 7 * k) % 28))
    printf 'BEGIN:VEVENT\r\nUID:e%d@bench\r\nDTSTART;VALUE=DATE:2027%02d%02d\r\nSUMMARY:Event number %d\r\nEND:VEVENT\r\n' \
      "$k" "$month" "$day" "$k"
  done
  printf 'END:VCALENDAR\r\n'
} >"$work/events.ics"
for k in $(seq 0 39); do
  printf '%02d/%02d/2027 Event number %d\n' $((1 + k % 12)) $((1 + (3 + 7 * k) % 28)) "$k"
done >"$work/events.pcal"
: >"$work/empty.DAX"

echo '{"format": "style sheet"}' >"$work/look.json"
"$mvtool" build "$work/look.json" "$work/look.MVS" >/dev/null

run_mvtool() { "$mvtool" year "$work/look.MVS" 2027 "$work/year.pdf" --recurring "$work/empty.DAX" --events "$work/events.ics" 2>/dev/null; }
run_pcal() { pcal -f "$work/events.pcal" 1 2027 12 | ps2pdf - "$work/pcal.pdf"; }

mv_time=$(seconds run_mvtool)
pcal_time=$(seconds run_pcal)
awk -v n="$runs" -v mv="$mv_time" -v pcal="$pcal_time" 'BEGIN {
  printf "runs: %d\n", n
  printf "mvtool year, 40 events:       %.3f s per year\n", mv / n
  printf "pcal | ps2pdf, 40 events:     %.3f s per year\n", pcal / n
  printf "ratio mvtool / pcal: %.2f\n", mv / pcal
}'
