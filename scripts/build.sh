#!/usr/bin/env bash
# build.sh DIR [CMAKE_OPTION...]: configures DIR with Ninja when it has not been configured with
# these options yet, then builds it. A configured tree re-runs CMake by itself when a CMakeLists
# changes, so a build with nothing to do runs no CMake step at all.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"
shift
options="$*"
stamp="$build/configured-with"

# A tree made by another generator cannot be switched to Ninja: it is made anew.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$build/CMakeCache.txt"; then
  echo "Making $build anew with Ninja"
  rm -rf "$build"
fi
if [ ! -f "$build/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "$options" ]; then
  cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
  printf '%s\n' "$options" >"$stamp"
fi
cmake --build "$build" -j"$(nproc)"
