#!/usr/bin/env bash
# Fails when a C++ file of the project does not follow .clang-format; names the files. Run
# `clang-format -i FILE...` to put them right. One clang-format run checks them all.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
status=0
report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1) || status=$?
# Each violation is reported as "FILE:LINE:COLUMN: error: ..."; a file is named once.
mapfile -t unformatted < <(sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error: .*/\1/p' <<<"$report" | sort -u)
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (run clang-format -i on them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
if [ $status -ne 0 ]; then
  echo "clang-format failed:" >&2
  echo "$report" >&2
  exit 1
fi
echo "All ${#files[@]} C++ files follow .clang-format."
