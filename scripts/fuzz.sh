#!/usr/bin/env bash
# Runs the fuzz targets of tests/fuzz, each for SECONDS, under AddressSanitizer and
# UndefinedBehaviorSanitizer (clang's libFuzzer, built into build-fuzz/). Usage:
#   scripts/fuzz.sh SECONDS [TARGET...]      (targets by name, e.g. Rtf CalendarFile; default all)
# Each target starts from its committed seed corpus; what it learns stays in build-fuzz/corpus/.
# An input that crashes, hangs or runs out of memory is written to build-fuzz/findings/TARGET/;
# once the fault is fixed, copy it to tests/fuzz/regressions/TARGET/ so the test suite replays it.
set -euo pipefail
seconds="${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}"
shift
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"

if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'install ok installed'; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi

build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DMERVANE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_targets

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/tests/fuzz/Fuzz*.cpp; do
    name="$(basename "$source" .cpp)"
    [ "$name" = FuzzSupport ] || targets+=("${name#Fuzz}")
  done
fi

export QT_QPA_PLATFORM=offscreen LANG=en_US.UTF-8 LC_ALL=C.UTF-8 TZ=UTC
# Qt and fontconfig keep some allocations until exit on purpose; those are not the readers' leaks.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  echo "== $target: $seconds s"
  "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "$root/tests/fuzz/corpus/$target" || status=1
done
exit $status
