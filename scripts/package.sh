#!/usr/bin/env bash
# Builds the Debian package build-package/dorvane_<version>_<arch>.deb as a distribution would
# (its compiler flags, no warnings made errors, no tests), checks its desktop entry, metainfo
# and contents, then installs it into a scratch root and runs the program from there.
# The maintainer is DORVANE_MAINTAINER, else "$DEBFULLNAME <$DEBEMAIL>" when both are set.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh package

maintainer=${DORVANE_MAINTAINER:-}
if [ -z "$maintainer" ] && [ -n "${DEBFULLNAME:-}" ] && [ -n "${DEBEMAIL:-}" ]; then
  maintainer="$DEBFULLNAME <$DEBEMAIL>"
fi
extra=()
[ -n "$maintainer" ] && extra+=("-DDORVANE_MAINTAINER=$maintainer")

build=build-package
CFLAGS=$(dpkg-buildflags --get CFLAGS) CXXFLAGS=$(dpkg-buildflags --get CXXFLAGS) \
  CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS) LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_INSTALL_PREFIX=/usr "${extra[@]}" >/dev/null
cmake --build "$build"
rm -f "$build"/dorvane_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/dorvane_*.deb)

# The package's own files, checked as the distribution's tools check them.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/dorvane.desktop"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb"

# Installed into the scratch root, the program runs from there, finds its help viewer and
# help file, and no file of the build tree.
for f in usr/bin/dorvane usr/share/dorvane/Dorvane.chm; do
  [ -f "$root/$f" ] || { echo "missing from the package: /$f" >&2; exit 1; }
done
ls "$root"/usr/lib/dorvane/libdorvane_hhctrl.so.* >/dev/null
if readelf -d "$root/usr/bin/dorvane" "$root"/usr/lib/dorvane/*.so.* | grep -E 'R(UN)?PATH'; then
  echo "installed binaries carry a RUNPATH" >&2
  exit 1
fi
out=$(LC_ALL= LC_TIME= LANG=fr_FR.UTF-8 "$root/usr/bin/dorvane" --print 2005-03-07)
expected=$'MARS 2005\nlundi 7 mars 2005 - 2 ème jour de la semaine.\n66 ème jour\nLune : 27° jour  (dernier quartier)'
if [ "$out" != "$expected" ]; then
  printf 'dorvane --print from the package wrote:\n%s\n' "$out" >&2
  exit 1
fi
# In debug mode its start-up report says whether it found its help viewer.
QT_QPA_PLATFORM=offscreen "$root/usr/bin/dorvane" /debug --screenshot "$root/dorvane.png" 2>/dev/null
if ! grep -q '^_hhInstalled = .*YES' "$root/usr/bin/HHDebug.txt"; then
  echo "the packaged program did not find its help viewer:" >&2
  cat "$root/usr/bin/HHDebug.txt" >&2
  exit 1
fi
echo "Package: $deb"
