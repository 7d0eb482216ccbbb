#!/usr/bin/env bash
# Unpacks Debian's source of the installed chmlib into .deps/chmlib, for the sanitizer build,
# which compiles it with the same instrumentation as our code: ASan and the fuzzer then see
# into its reading of help files. Uses the machine's own Debian sources, as source entries.
set -euo pipefail
cd "$(dirname "$0")/.."
dest=.deps/chmlib
[ -f "$dest/src/chm_lib.c" ] && exit 0

version=$(dpkg-query -W -f='${source:Version}' libchm1)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/parts"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$work/parts/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$work/sources.list"
else
  : >"$work/sources.list"
fi
apt=(apt-get -qq -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts="$work/parts"
     -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o Debug::NoLocking=1 -o APT::Sandbox::User=root)
"${apt[@]}" update
(cd "$work" && "${apt[@]}" source --download-only "chmlib=$version" >/dev/null 2>&1)
mkdir -p .deps
rm -rf "$dest"
dpkg-source --no-check -x "$work"/chmlib_*.dsc "$dest" >/dev/null
echo "chmlib $version source in $dest" >&2
