#!/usr/bin/env bash
# Fails when a C++ file of the project does not follow .clang-format; names the files. Run
# `clang-format -i FILE...` to put them right.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
unformatted=()
for file in "${files[@]}"; do
  clang-format --dry-run --Werror "$file" 2>/dev/null || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted as .clang-format says (run clang-format -i on them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "All ${#files[@]} C++ files follow .clang-format."
