#!/usr/bin/env bash
# Installs what building, running and testing the editor needs on Debian 12.
# Works as root and, for other users, through sudo.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
  libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-multimedia-dev qt6-translations-l10n
  fonts-noto-cjk fonts-arphic-uming clang-format-14
  libpng-dev desktop-file-utils shared-mime-info poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
