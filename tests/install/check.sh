#!/usr/bin/env bash
# Installs the build with `cmake --install` into a fresh, empty prefix and checks one thing:
#   program  the installed mervane finds its help and samples in share/mervane, writes MV.ini into
#            the user's data folder and nothing into the prefix; mvtool runs from the prefix
#   desktop  desktop-file-validate and appstreamcli accept the desktop entry and metainfo
#   mime     the installed file types, compiled by update-mime-database, name a calendar file and
#            a style sheet by their extension, and by their first bytes under another name
# Usage: check.sh CHECK CMAKE BUILD_DIR MIME_LOOKUP. Exit 77 when a tool it needs is missing.
set -euo pipefail

check=$1 cmake=$2 build=$3 mime_lookup=$4
id=org.mervane.Mervane
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed (scripts/setup.sh installs it)"; exit 77; }; }
expect_line() { grep -qxF -- "$2" <<<"$1" || fail "expected the line '$2' in:"$'\n'"$1"; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

case $check in
program)
  for f in bin/mervane bin/mvtool share/mervane/help/index.html share/mervane/samples/Sample.MVF \
           share/mervane/toolbar/Printbutton.svg; do
    [ -f "$prefix/$f" ] || fail "$f is not installed"
  done
  before=$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)
  mkdir -p "$work/home" "$work/data" "$work/config"
  sample=$prefix/share/mervane/samples/Sample.MVF
  # A user name of its own: the single-instance socket must not reach a program already running.
  out=$(cd "$work/home" && env QT_QPA_PLATFORM=offscreen HOME="$work/home" XDG_DATA_HOME="$work/data" \
          XDG_CONFIG_HOME="$work/config" USER="mervane-install-check-$$" MERVANE_CHECK_START=1 \
          "$prefix/bin/mervane" "$sample" 2>"$work/stderr") || fail "mervane ended with $?: $(cat "$work/stderr")"
  expect_line "$out" "shipped: $prefix/share/mervane/"
  expect_line "$out" "data: $work/data/Mervane/"
  expect_line "$out" "help: $prefix/share/mervane/help/index.html"
  expect_line "$out" "open: $sample"
  [ -s "$work/data/Mervane/MV.ini" ] || fail "no MV.ini in the data folder"
  grep -qF "$sample" "$work/data/Mervane/MV.ini" || fail "MV.ini does not hold the file opened"
  after=$(cd "$prefix" && find . -printf '%p %s %T@\n' | sort)
  [ "$before" = "$after" ] || fail "the program changed the prefix:"$'\n'"$(diff <(echo "$before") <(echo "$after"))"
  [ -z "$(find "$work/home" -mindepth 1 -not -path "$work/home/.cache*")" ] || fail "files written to HOME: $(find "$work/home")"

  version=$("$prefix/bin/mvtool" --version)
  [[ $version == "mvtool "* ]] || fail "mvtool --version printed '$version'"
  # Read whole: grep -q would end the pipe early and mvtool would die of SIGPIPE.
  info=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/mvtool" info "$sample") || fail "mvtool info of the installed sample"
  grep -q '"settings"' <<<"$info" || fail "mvtool info printed no settings"
  ;;
desktop)
  need desktop-file-validate
  need appstreamcli
  desktop=$prefix/share/applications/$id.desktop
  desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
  appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli refused the metainfo"
  for line in "GenericName=Calendar Designer" "Icon=$id" "Categories=Office;Calendar;Graphics;" \
              "MimeType=application/x-mervane-calendar;application/x-mervane-stylesheet;"; do
    grep -qxF "$line" "$desktop" || fail "no line '$line' in the desktop entry"
  done
  grep -qE '^Exec=mervane .*%f' "$desktop" || fail "Exec does not pass the file (%f)"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
  for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
    [ -f "$png" ] || fail "no ${size}x${size} icon"
    # The PNG header's width and height (big-endian, bytes 16 to 23).
    read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$w $h" = "$size $size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
  done
  ;;
mime)
  need update-mime-database
  mkdir -p "$work/share" "$work/empty" "$work/files"
  cp -r "$prefix/share/mime" "$work/share/mime"
  update-mime-database "$work/share/mime" || fail "update-mime-database failed"
  [ -f "$work/share/mime/mime.cache" ] || fail "update-mime-database made no mime.cache"
  files=$work/files
  cp "$prefix/share/mervane/samples/Sample.MVF" "$files/Trip.MVF"
  cp "$files/Trip.MVF" "$files/trip.mvf"
  cp "$files/Trip.MVF" "$files/Trip.dat"
  echo '{"format": "style sheet"}' >"$files/look.json"
  QT_QPA_PLATFORM=offscreen "$prefix/bin/mvtool" build "$files/look.json" "$files/Look.MVS" || fail "mvtool build of a style sheet"
  cp "$files/Look.MVS" "$files/look.mvs"
  cp "$files/Look.MVS" "$files/Look.dat"
  printf 'not a calendar\n' >"$files/Other.dat"
  out=$(env XDG_DATA_DIRS="$work/share:/usr/share" XDG_DATA_HOME="$work/empty" "$mime_lookup" \
          "$files/Trip.MVF" "$files/trip.mvf" "$files/Trip.dat" "$files/Look.MVS" "$files/look.mvs" "$files/Look.dat" \
          "$files/Other.dat")
  expect_line "$out" "$files/Trip.MVF: application/x-mervane-calendar"
  expect_line "$out" "$files/trip.mvf: application/x-mervane-calendar"
  expect_line "$out" "$files/Trip.dat: application/x-mervane-calendar"
  expect_line "$out" "$files/Look.MVS: application/x-mervane-stylesheet"
  expect_line "$out" "$files/look.mvs: application/x-mervane-stylesheet"
  expect_line "$out" "$files/Look.dat: application/x-mervane-stylesheet"
  grep -q "^$files/Other.dat: application/x-mervane" <<<"$out" && fail "a text file taken for ours: $out"
  ;;
*)
  fail "unknown check '$check'"
  ;;
esac
echo "install $check: OK"
