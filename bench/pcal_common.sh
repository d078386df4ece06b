# Shared by the comparisons with pcal: sourced after setting `build` and `runs`. Checks that
# mvtool, pcal and ps2pdf are there, makes the scratch folder `work` (removed on exit) and
# defines `seconds`, the wall time of `runs` runs of a command.
mvtool="$build/bin/mvtool"
for tool in "$mvtool" pcal ps2pdf; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done
export QT_QPA_PLATFORM=offscreen
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

seconds() { # command... : wall seconds for $runs runs
  local start end
  start=$(date +%s.%N)
  for _ in $(seq "$runs"); do "$@"; done
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" 'BEGIN { print e - s }'
}
