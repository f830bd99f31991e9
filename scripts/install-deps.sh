#!/usr/bin/env bash
# Installs the Debian packages the project needs, skipping those already
# present so that a second run costs nothing.
set -euo pipefail

packages=(
  g++ make cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev libpng-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  clang
  fonts-dejavu-core fonts-liberation fonts-ipafont-gothic
  xvfb xauth
  desktop-file-utils appstream man-db libxml2-utils shared-mime-info dpkg-dev time
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
