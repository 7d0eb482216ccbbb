#!/usr/bin/env bash
# Builds the packages into build-package/:
# - deb: the Debian package dorvane_<version>-<revision>_<arch>.deb and its debug symbols
#   (dorvane-dbgsym), built from a copy of the source tree by dpkg-buildpackage and
#   debian/ as a distribution builds it (its compiler flags and hardening, no tests); its
#   desktop entry, metainfo and contents checked, lintian run on it, then unpacked into a
#   scratch root and the program run from there.
# - windows: the x86_64 Windows build's Release dorvane.exe, dorvane.com and Dorvane.chm, as the
#   installer dorvane-<version>-windows-x86_64-setup.exe (NSIS, packaging/windows/dorvane.nsi)
#   and the zip dorvane-<version>-windows-x86_64.zip (with LISEZMOI.txt, the licence and the
#   runtimes' notices); the installer is then tried under Wine in a fresh prefix, for the current user
#   and for all users: silent install, the other mode refused, the installed program prints,
#   the shortcut is there, and the silent uninstall leaves nothing of ours behind; then /D=,
#   and both refusals over a running Dorvane, which change nothing.
# Usage: scripts/package.sh [deb|windows]   (default: both)
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
case $what in all | deb | windows) ;; *) echo "usage: $0 [deb|windows]" >&2; exit 2 ;; esac
case $what in
  all) bash scripts/deps.sh package ;;
  *) bash scripts/deps.sh "package-$what" ;;
esac

scratch=$(mktemp -d)
cleanup() {
  if [ -d "$scratch/wine" ]; then WINEPREFIX="$scratch/wine" wineserver -k 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

# What the program prints for a date, the Linux and the Windows one alike, in a French locale.
expected=$'MARS 2005\nlundi 7 mars 2005 - 2 ème jour de la semaine.\n66 ème jour\nLune : 27° jour  (dernier quartier)'

fail() {
  echo "$*" >&2
  exit 1
}

package_deb() {
  local version upstream src log deb changes compile day release out page
  version=$(dpkg-parsechangelog -S Version)
  # Its upstream part, without the epoch and the Debian revision.
  upstream=${version#*:}
  upstream=${upstream%-*}
  mkdir -p build-package
  # dpkg-buildpackage writes its products beside the source tree it builds: a copy of the
  # source (tracked and new files, as git sees them, without the build trees) inside
  # build-package/.
  src=build-package/dorvane-$upstream
  rm -rf "$src" build-package/dorvane_* build-package/dorvane-dbgsym_*
  mkdir -p "$src"
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
      tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$src"
  else
    tar --exclude=./build\* --exclude=./.deps --exclude=./.git -cf - . | tar -xf - -C "$src"
  fi
  log=$PWD/build-package/dorvane-build.log
  if ! (cd "$src" && dpkg-buildpackage -us -uc -b >"$log" 2>&1); then
    tail -n 40 "$log" >&2
    fail "dpkg-buildpackage failed: $log"
  fi
  rm -rf "$src"
  # File names leave the epoch out.
  deb=build-package/dorvane_${version#*:}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
  changes=${deb%.deb}.changes
  [ -f "$deb" ] || fail "dpkg-buildpackage made no $deb"
  ls build-package/dorvane-dbgsym_"${version#*:}"_*.deb >/dev/null ||
    fail "dpkg-buildpackage made no debug symbols package"
  # The distribution's flags reached every compilation, preprocessor flags included, and every
  # link (dh's build log shows each command).
  compile='/usr/bin/(c\+\+|cc) .* -c '
  grep -qE "$compile" "$log" || fail "no compilation in the build log: $log"
  ! grep -E "$compile" "$log" | grep -v -- '-D_FORTIFY_SOURCE=2' ||
    fail "compiled without the distribution's CPPFLAGS: $log"
  ! grep -E '/usr/bin/c\+\+ .* -o [^ ]*(dorvane|\.so[.0-9]*) ' "$log" | grep -v -- '-Wl,-z,now' ||
    fail "linked without the distribution's LDFLAGS: $log"

  # The package's own files, checked as the distribution's tools check them.
  root=$scratch/root
  mkdir -p "$root"
  dpkg-deb -x "$deb" "$root"
  desktop-file-validate "$root/usr/share/applications/dorvane.desktop"
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
  lintian --fail-on error,warning --suppress-tags-from-file /dev/null "$changes"

  # Installed into the scratch root, the program runs from there, finds its help viewer and
  # help file, and no file of the build tree.
  for f in usr/bin/dorvane usr/share/dorvane/Dorvane.chm; do
    [ -f "$root/$f" ] || { echo "missing from the package: /$f" >&2; exit 1; }
  done
  # The help viewer plugin and the Qt front end, both private to the program.
  ls "$root"/usr/lib/dorvane/libdorvane_hhctrl.so.* "$root"/usr/lib/dorvane/libdorvane_qt.so >/dev/null
  if readelf -d "$root/usr/bin/dorvane" "$root"/usr/lib/dorvane/*.so* | grep -E 'R(UN)?PATH'; then
    echo "installed binaries carry a RUNPATH" >&2
    exit 1
  fi
  # The version and the release date come from the release record, debian/changelog, as
  # dpkg reads it.
  out=$("$root/usr/bin/dorvane" --version)
  [ "$out" = "Dorvane $upstream" ] || fail "dorvane --version wrote \"$out\" for $version"
  release="<release version=\"$upstream\" date="
  grep -qF "$release" "$root"/usr/share/metainfo/*.metainfo.xml || fail "the metainfo lacks $release"
  # The day as the newest entry's signature writes it ("Mon, 07 Dec 2026 12:00:00 +0000").
  day=$(date -d "$(dpkg-parsechangelog -S Date | cut -d' ' -f2-4)" +%F)
  for page in man/man1 man/fr/man1; do
    zcat "$root/usr/share/$page/dorvane.1.gz" | head -n 1 | grep -qF "\"$day\"" ||
      fail "the manual page $page/dorvane.1 is not dated $day"
  done
  # The package's own test (autopkgtest), on the program unpacked.
  PATH="$root/usr/bin:$PATH" sh debian/tests/print
  # In debug mode its start-up report says whether it found its help viewer. An installed
  # program writes it into the user's temporary directory, never beside itself, and says where.
  mkdir -p "$root/tmp"
  said=$(TMPDIR="$root/tmp" QT_QPA_PLATFORM=offscreen "$root/usr/bin/dorvane" /debug \
    --screenshot "$root/dorvane.png" 2>&1 >/dev/null)
  [ ! -e "$root/usr/bin/HHDebug.txt" ] || fail "the installed program wrote its report beside itself"
  grep -qF "$root/tmp/HHDebug.txt" <<<"$said" || fail "the program did not say where its report went: $said"
  if ! grep -q '^_hhInstalled = .*YES' "$root/tmp/HHDebug.txt"; then
    echo "the packaged program did not find its help viewer:" >&2
    cat "$root/tmp/HHDebug.txt" >&2
    exit 1
  fi
  echo "Package: $deb"
}

package_windows() {
  local build=build-package-windows version stage setup zipfile
  cmake -S . -B "$build" -G Ninja --no-warn-unused-cli \
    --toolchain cmake/toolchains/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build"
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
  stage=$scratch/Dorvane-$version
  cmake --install "$build" --prefix "$stage" --strip >/dev/null
  [ "$(cd "$stage" && find . -type f | sort | tr '\n' ' ')" = "./Dorvane.chm ./dorvane.com ./dorvane.exe " ] ||
    fail "the Windows build installs other files than dorvane.exe, dorvane.com and Dorvane.chm: $(ls -R "$stage")"

  mkdir -p build-package
  setup=build-package/dorvane-$version-windows-x86_64-setup.exe
  zipfile=build-package/dorvane-$version-windows-x86_64.zip
  rm -f "$setup" "$zipfile"
  # The uninstaller first, a program of its own that the installer carries.
  local icon=$PWD/$build/src/win32/resources/dorvane.ico uninstaller=$scratch/desinstaller.exe
  makensis -V2 -DVERSION="$version" -DOUTFILE="$uninstaller" -DICON="$icon" \
    packaging/windows/desinstaller.nsi
  makensis -V2 -DSTAGE="$stage" -DVERSION="$version" -DOUTFILE="$PWD/$setup" -DLICENSE="$PWD/LICENSE" \
    -DICON="$icon" -DUNINSTALLER_EXE="$uninstaller" packaging/windows/dorvane.nsi
  # Each program's version resource, as Windows' file properties show it: the release's
  # version and a description of its own.
  local file description resource
  while IFS='|' read -r file description; do
    resource=$(python3 scripts/pe-version.py "$file")
    if ! grep -qxF "FileDescription=$description" <<<"$resource" ||
      ! grep -qxF "FileVersion=$version.0" <<<"$resource" ||
      ! grep -qxF "FixedFileVersion=$version.0" <<<"$resource"; then
      fail "$(printf '%s, not version %s "%s":\n%s' "$file" "$version" "$description" "$resource")"
    fi
  done <<EOF
$stage/dorvane.exe|Dorvane, calendrier perpétuel
$stage/dorvane.com|Dorvane en console, calendrier perpétuel
$uninstaller|Désinstallation de Dorvane
$setup|Installation de Dorvane
EOF
  # The zip also carries a short French guide, the licence, and the notices of the runtimes
  # linked into the programs, with their full texts as Debian ships them; Windows line ends.
  local crlf='s/\r*$/\r/'
  sed "$crlf" packaging/windows/LISEZMOI.txt >"$stage/LISEZMOI.txt"
  sed "$crlf" LICENSE >"$stage/LICENCE.txt"
  cat packaging/windows/TIERS.txt /usr/share/doc/gcc-mingw-w64-base/copyright \
    /usr/share/doc/mingw-w64-common/copyright | sed "$crlf" >"$stage/TIERS.txt"
  (cd "$scratch" && zip -9 -X -q -r "$OLDPWD/$zipfile" "Dorvane-$version")
  test_installer "$setup"
  echo "Windows installer: $setup ($(stat -c %s "$setup") bytes)"
  echo "Windows zip: $zipfile ($(stat -c %s "$zipfile") bytes)"
}

# The installer under Wine, in a fresh prefix, in each mode.
test_installer() {
  local setup=$1 mode hive location dir shortcut out status
  local key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane'
  export WINEPREFIX=$scratch/wine WINEDEBUG=-all DISPLAY=
  # A French user: the prefix keeps the locale's formats it was made with.
  export LC_ALL= LANG=fr_FR.UTF-8
  # No .NET or HTML engine offered; no desktop menu entries made on this machine for shortcuts.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wine wineboot -i >/dev/null 2>&1
  wineserver -w
  # A value of our uninstall entry, in the 64-bit view, which the installer writes to (reg.exe
  # may run as a 32-bit program).
  entry() {
    wine reg query "$1\\$key" /v "$2" /reg:64 2>/dev/null | tr -d '\r' |
      sed -n "s/^ *$2 *REG_SZ *//p" || true
  }
  # The entry's quiet uninstall command, run as the system splits it: the quoted program, then
  # its arguments at their blanks.
  uninstall() {
    local command program arguments
    command=$(entry "$1" QuietUninstallString)
    [ -n "$command" ] || fail "no QuietUninstallString in $1"
    program=${command#\"}
    program=${program%%\"*}
    arguments=${command#\""$program"\"}
    # shellcheck disable=SC2086
    wine "$program" $arguments
  }
  # The prefix's files, but the temporary folders: the uninstaller's copy that removes it runs
  # from there, and the system removes it at its next start.
  listing() { (cd "$WINEPREFIX/drive_c" && find . -path './users/*/Temp' -prune -o -print | sort); }
  listing >"$scratch/before"
  for mode in CurrentUser AllUsers; do
    wine "$PWD/$setup" /S "/$mode" || fail "the installer failed ($mode)"
    wineserver -w
    hive=HKCU
    [ "$mode" = AllUsers ] && hive=HKLM
    location=$(entry "$hive" InstallLocation)
    [ -n "$location" ] || fail "no uninstall entry in $hive after the installation ($mode)"
    dir=$(winepath -u "$location" 2>/dev/null)
    for f in dorvane.exe Dorvane.chm desinstaller.exe; do
      [ -f "$dir/$f" ] || fail "missing after the installation ($mode): $location\\$f"
    done
    case $mode in
      CurrentUser) shortcut=("$WINEPREFIX"/drive_c/users/*/AppData/Roaming) ;;
      AllUsers) shortcut=("$WINEPREFIX"/drive_c/ProgramData) ;;
    esac
    [ -f "${shortcut[0]}/Microsoft/Windows/Start Menu/Programs/Dorvane.lnk" ] ||
      fail "no Start-menu shortcut ($mode)"
    # The other mode notices this installation, names it, and installs nothing (status 4).
    if [ "$mode" = CurrentUser ]; then
      status=0
      wine "$PWD/$setup" /S /AllUsers || status=$?
      [ "$status" = 4 ] || fail "installing for all users over a per-user installation: status $status"
      [ ! -e "$WINEPREFIX/drive_c/Program Files/Dorvane" ] || fail "the refused installation installed"
    fi
    out=$(LC_ALL= LANG=fr_FR.UTF-8 wine "$dir/dorvane.exe" --print 2005-03-07 | tr -d '\r')
    [ "$out" = "$expected" ] ||
      fail "$(printf 'the installed dorvane.exe --print wrote (%s):\n%s' "$mode" "$out")"

    # The uninstaller ends with its status once the program is gone; then its copy removes it.
    uninstall "$hive" || fail "the uninstaller failed ($mode)"
    [ ! -e "$dir/dorvane.exe" ] || fail "the uninstaller ended before it removed the program ($mode)"
    wineserver -w
    if ! listing | diff "$scratch/before" - >&2; then
      fail "the uninstaller left files behind ($mode)"
    fi
    if grep -il dorvane "$WINEPREFIX"/*.reg >&2; then
      fail "the uninstaller left registry entries behind ($mode)"
    fi
    echo "Installed, run and uninstalled under Wine: $mode"
  done

  # /D= chooses the folder. It is read as NSIS reads it, last and unquoted: through cmd, which
  # passes the line as typed (wine would quote an argument with a blank).
  local windir='C:\Outils\Dorvane' unixdir running
  wine cmd /c "start /wait $(winepath -w "$PWD/$setup") /S /CurrentUser /D=$windir" ||
    fail "the installer failed with /D="
  wineserver -w
  unixdir=$(winepath -u "$windir" 2>/dev/null)
  [ -f "$unixdir/dorvane.exe" ] || fail "/D= was not honoured: nothing in $windir"

  # A running Dorvane: a silent installation over it and a silent uninstallation, by the entry's
  # command or as package managers run it, all end with status 3 and change nothing.
  (cd "$unixdir" && DISPLAY= exec xvfb-run -a wine dorvane.exe) &
  running=$!
  sleep 10
  listing >"$scratch/while-running"
  status=0
  wine cmd /c "start /wait $(winepath -w "$PWD/$setup") /S /CurrentUser /D=$windir" || status=$?
  [ "$status" = 3 ] || fail "an installation over a running Dorvane ended with status $status"
  status=0
  uninstall HKCU || status=$?
  [ "$status" = 3 ] || fail "an uninstallation under a running Dorvane ended with status $status"
  status=0
  wine "$unixdir/desinstaller.exe" /S || status=$?
  [ "$status" = 3 ] || fail "desinstaller.exe /S under a running Dorvane ended with status $status"
  listing | diff "$scratch/while-running" - >&2 || fail "the refused runs changed files"
  wineserver -k
  wait "$running" 2>/dev/null || true
  wine "$unixdir/desinstaller.exe" /S || fail "the uninstaller failed after /D="
  wineserver -w
  [ ! -e "$unixdir" ] || fail "the uninstaller left $windir behind: $(ls -A "$unixdir")"
  echo "Refused over a running Dorvane, and /D= honoured, under Wine"
}

if [ "$what" != windows ]; then package_deb; fi
if [ "$what" != deb ]; then package_windows; fi
