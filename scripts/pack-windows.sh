#!/usr/bin/env bash
# Packs a built brannock.exe and its help file into the two downloads, in out-folder:
#   brannock-<version>-windows-x64.zip   brannock.exe, brannock.hlp, README.txt (and the
#                                        licence as LICENSE.txt when the repository has one),
#                                        at the top of the archive: "Extract All" gives one
#                                        folder with the program in it
#   brannock-<version>-setup.exe         the per-user setup program holding the same files
#                                        (packaging/windows/installer.nsi, built with makensis)
# Texts get Windows line ends: Notepad before Windows 10 1809 shows bare line feeds as one line.
# Usage: pack-windows.sh brannock.exe brannock.hlp version out-folder [description [copyright]]
set -euo pipefail

usage="usage: pack-windows.sh brannock.exe brannock.hlp version out-folder [description [copyright]]"
exe=${1:?$usage}
help=${2:?$usage}
version=${3:?$usage}
out=${4:?$usage}
description=${5:-Keeps a one-way mirror of several folders in one destination folder}
copyright=${6:-Copyright (C) the Brannock developers}
root=$(cd "$(dirname "$0")/.." && pwd)
for f in "$exe" "$help"; do
  [ -f "$f" ] || { echo "pack-windows: $f is missing" >&2; exit 1; }
done
command -v makensis >/dev/null || { echo "pack-windows: makensis is not installed (nsis)" >&2; exit 1; }

mkdir -p "$out"
out=$(cd "$out" && pwd)
name="brannock-$version-windows-x64"
stage=$(mktemp -d "$out/.stage.XXXX")
trap 'rm -rf "$stage"' EXIT
crlf() { sed 's/\r$//; s/$/\r/' "$1" >"$2"; }

files=(brannock.exe brannock.hlp README.txt)
cp "$exe" "$stage/brannock.exe"
crlf "$help" "$stage/brannock.hlp"
crlf "$root/packaging/windows/README.txt" "$stage/README.txt"
for licence in LICENSE LICENSE.txt LICENSE.md COPYING; do
  if [ -f "$root/$licence" ]; then
    crlf "$root/$licence" "$stage/LICENSE.txt"
    files+=(LICENSE.txt)
    break
  fi
done

# The README lists what the zip holds: it must name every file, and no other (a licence added
# to the repository must be added to the list too).
listed=$(sed -n 's/^    \([A-Za-z.]*\.[a-z]*\) .*/\1/p' "$root/packaging/windows/README.txt" | sort)
packed=$(printf '%s\n' "${files[@]}" | sort)
if [ "$listed" != "$packed" ]; then
  echo "pack-windows: README.txt lists '$(tr '\n' ' ' <<<"$listed")'," \
    "the zip holds '$(tr '\n' ' ' <<<"$packed")'" >&2
  exit 1
fi

zip="$out/$name.zip"
rm -f "$zip"
# -X leaves out Unix owners and extra times; the archive lists its files in a fixed order.
(cd "$stage" && zip -q -X -9 "$zip" "${files[@]}")

setup="$out/brannock-$version-setup.exe"
rm -f "$setup"
makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
  -DICON="$root/packaging/windows/icons/app.ico" -DDESCRIPTION="$description" \
  -DCOPYRIGHT="$copyright" \
  "$root/packaging/windows/installer.nsi" >"$out/.makensis.log" 2>&1 ||
  { cat "$out/.makensis.log" >&2; exit 1; }
rm -f "$out/.makensis.log"
echo "pack-windows: $zip"
echo "pack-windows: $setup"
