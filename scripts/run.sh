#!/usr/bin/env bash
# Builds Mervane and starts it. Without a display there is no window to show.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): Mervane needs one to show its window."
  sample="$root/build/bin/samples/Sample.MVF"
  pdf="$root/build/Sample.pdf"
  echo "Printing the sample calendar $sample to a PDF with mvtool instead."
  "$root/build/bin/mvtool" render "$sample" "$pdf"
  echo "Wrote $pdf"
  echo "See '$root/build/bin/mvtool --help' for what else mvtool does."
  exit 0
fi
exec "$root/build/bin/mervane"
