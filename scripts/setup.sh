#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need (only those missing),
# then configures and builds into build/. Sourced by run.sh and test.sh.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins libgl-dev
  libbenchmark-dev libcups2-dev
  fonts-liberation2 fonts-wine poppler-utils
  desktop-file-utils appstream shared-mime-info
  cups printer-driver-cups-pdf pcal ghostscript
  libical-dev clang-format
  graphicsmagick imagemagick nsis-common
  icoutils fonts-noto-color-emoji libwine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing missing packages: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
