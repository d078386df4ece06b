#!/usr/bin/env bash
# Builds Mervane, checks the layout of its C++ files and runs every test through CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/check-format.sh"
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
