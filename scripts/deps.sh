#!/usr/bin/env bash
# Installs the Debian packages Dorvane needs to build, run and test, and only those missing.
# Usage: scripts/deps.sh [run|test|package]   (test also brings the test, fuzz and benchmark
# tools; package the Debian packaging and checking tools)
set -euo pipefail

mode=${1:-test}

pkgs=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n
  libqt6svg6 libgl-dev
  libchm-dev fonts-dejavu-core fonts-dejavu-extra
)
if [ "$mode" = test ]; then
  pkgs+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev llvm
    p7zip-full dpkg-dev
  )
fi

if [ "$mode" = package ]; then
  pkgs+=(dpkg-dev file lintian desktop-file-utils appstream)
fi

missing=()
for p in "${pkgs[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to add: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
