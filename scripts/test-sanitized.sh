#!/usr/bin/env bash
# Builds everything once more with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer
# into build-sanitized/ and runs the whole suite there: a memory fault, a leak or undefined
# behaviour fails the test that meets it, and a compiler warning fails the build. Prints the time
# each step took.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"

build="$root/build-sanitized"
start=$(date +%s)
# -O1 keeps the instrumented code fast enough to test; -g1 keeps line numbers for the reports.
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" -DMERVANE_SANITIZE=ON
built=$(date +%s)

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
(cd "$build" && ctest --output-on-failure -j"$(nproc)") || status=$?
# LeakSanitizer's own tracer now and then crashes at a process's exit after every test passed
# ("Tracer caught signal 11 ... LeakSanitizer has encountered a fatal error"), a known fault of
# the sanitizer, not of the code. When every failure is that crash, those tests run once more.
failed="$build/Testing/Temporary/LastTestsFailed.log"
if [ $status -ne 0 ] && [ -s "$failed" ] &&
  [ "$(grep -c '^==[0-9]*==LeakSanitizer has encountered a fatal error' "$build/Testing/Temporary/LastTest.log")" = "$(wc -l <"$failed")" ]; then
  echo "LeakSanitizer's tracer crashed in: $(cut -d: -f2 "$failed" | tr '\n' ' ')- running those once more"
  status=0
  (cd "$build" && ctest --output-on-failure --rerun-failed) || status=$?
fi
tested=$(date +%s)
echo "Sanitizer run: build $((built - start)) s, suite $((tested - built)) s"
exit $status
