#!/usr/bin/env bash
# Builds Mervane and starts it. Without a display there is no window to show.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): Mervane needs one to show its window."
  echo "The command-line companion is available instead:"
  exec "$root/build/bin/mvtool" --help
fi
exec "$root/build/bin/mervane"
