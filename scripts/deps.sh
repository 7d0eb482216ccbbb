#!/usr/bin/env bash
# Installs the Debian packages Dorvane needs to build, run and test, and only those missing.
# Usage: scripts/deps.sh [run|test|package|package-deb|package-windows]
#   run: the Linux program; test also the test, fuzz and benchmark tools and the Windows build
#   under Wine; package-deb the Debian source package's build dependencies (debian/control)
#   and the checking tools; package-windows the Windows build, installer and zip tools;
#   package both. The modes that build for Windows add the i386 architecture (for wine32).
set -euo pipefail

mode=${1:-test}
case $mode in
  run | test | package | package-deb | package-windows) ;;
  *) echo "usage: $0 [run|test|package|package-deb|package-windows]" >&2; exit 2 ;;
esac

pkgs=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n
  libqt6svg6 libgl-dev
  libmspack-dev librsvg2-bin fonts-dejavu-core fonts-dejavu-extra
)
# The Windows build (x86_64) with its resources made from the SVG sources, run under Wine
# (32-bit programs, such as the installer, need the i386 architecture), with Wine's fonts of
# Windows' metrics ("MS Sans Serif", Tahoma): without them Wine puts a wider font in their place.
windows=(
  g++-mingw-w64-x86-64-win32 librsvg2-dev icoutils
  wine wine64 wine32:i386 fonts-wine locales
)
if [ "$mode" = test ]; then
  pkgs+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    # A second help file reader, which the tests and benchmarks compare ours with.
    libchm-dev
    clang libclang-rt-14-dev llvm clang-format
    dpkg-dev
    # The reference of the printing options' benchmark: cal (Debian 12 has it in ncal).
    ncal
    # The Windows build and its tests under Wine, on a virtual display for their windows, with
    # a window manager (and xprop, to know when it has started; wmctrl, to ask it to maximise or
    # resize a window).
    "${windows[@]}" g++-mingw-w64-i686-win32 googletest xvfb xauth openbox x11-utils wmctrl
    # A screen reader's view of the Linux windows (AT-SPI), to read them by hand.
    python3-pyatspi
  )
fi

if [ "$mode" = package ] || [ "$mode" = package-deb ]; then
  # dpkg-buildpackage with the build dependencies that debian/control names (below), and the
  # checks scripts/package.sh runs on the package.
  pkgs+=(dpkg-dev lintian desktop-file-utils appstream git)
fi
if [ "$mode" = package ] || [ "$mode" = package-windows ]; then
  # xvfb: the installer is tried over a running Dorvane, whose window needs a display; python3
  # reads the programs' version resources (scripts/pe-version.py).
  pkgs+=("${windows[@]}" nsis zip xvfb xauth python3)
fi
windows_mode=false
case $mode in test | package | package-windows) windows_mode=true ;; esac

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

if $windows_mode && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi

missing=()
for p in "${pkgs[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  if [ ${#sudo[@]} -gt 0 ] && ! command -v sudo >/dev/null; then
    echo "Run as root or install sudo to add: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The source package's own build dependencies, as apt reads them from debian/control.
if [ "$mode" = package ] || [ "$mode" = package-deb ]; then
  if ! (cd "$(dirname "$0")/.." && dpkg-checkbuilddeps >/dev/null 2>&1); then
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get build-dep -y -qq --no-install-recommends "$(cd "$(dirname "$0")/.." && pwd)"
  fi
fi

# Wine answers in French only where the system has the French locale.
if $windows_mode && ! locale -a 2>/dev/null | grep -qix 'fr_FR.utf-\?8'; then
  "${sudo[@]}" localedef -i fr_FR -f UTF-8 fr_FR.UTF-8
fi
