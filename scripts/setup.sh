#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (only those missing),
# then configures (when needed) and builds into build/. Run by run.sh and test.sh.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins libgl-dev
  libbenchmark-dev libcups2-dev
  fonts-liberation2 fonts-wine poppler-utils
  desktop-file-utils appstream shared-mime-info
  cups printer-driver-cups-pdf pcal ghostscript
  libical-dev clang-format
  graphicsmagick imagemagick nsis-common
  icoutils fonts-noto-color-emoji libwine
)

# One query for all of them: a package that is not installed prints no "ok installed" line.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null | awk '/ ok installed$/ {print $1}')
missing=()
for p in "${packages[@]}"; do
  grep -qx "$p" <<<"$installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
