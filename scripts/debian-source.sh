#!/usr/bin/env bash
# Unpacks Debian's source of an installed package into .deps/SOURCE, at the installed version,
# for builds that compile it themselves: the sanitizer build compiles chmlib with the same
# instrumentation as our code (ASan and the fuzzer then see into its reading of help files),
# and the Windows builds cross-compile Google Benchmark. Uses the machine's own Debian
# sources, as source entries.
# Usage: scripts/debian-source.sh SOURCE INSTALLED-BINARY-PACKAGE
#   e.g. scripts/debian-source.sh chmlib libchm1
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 2 ] || { echo "usage: $0 SOURCE INSTALLED-BINARY-PACKAGE" >&2; exit 2; }
source_name=$1
binary=$2
dest=.deps/$source_name

version=$(dpkg-query -W -f='${source:Version}' "$binary")
[ "$(cat "$dest/.debian-version" 2>/dev/null)" = "$version" ] && exit 0

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
(cd "$work" && "${apt[@]}" source --download-only "$source_name=$version" >/dev/null 2>&1)
mkdir -p .deps
rm -rf "$dest"
dpkg-source --no-check -x "$work/${source_name}_"*.dsc "$dest" >/dev/null
echo "$version" >"$dest/.debian-version"
echo "$source_name $version source in $dest" >&2
