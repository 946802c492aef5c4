#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Non-interactive and
# idempotent; run as root (or through sudo when not root).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  mawk
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  qt6-tools-dev qt6-tools-dev-tools libqt6opengl6-dev libgl-dev
  xvfb xauth fonts-dejavu-core
  # the editor recipes' tests run these editors headless
  vim-nox emacs-nox
  libxcb1-dev libxcb-xtest0-dev libxcb-xfixes0-dev
  # The fuzz targets (libFuzzer) build with clang.
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
