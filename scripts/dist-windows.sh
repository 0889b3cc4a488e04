#!/usr/bin/env bash
# Builds the Windows program with the cross build and packs the download a Windows user
# unzips anywhere writable: dist/brannock-<version>-windows-x64.zip in the build folder,
# holding brannock.exe, its help file brannock.hlp, README.txt (the README with Windows line
# ends) and the licence when the repository has one. The files lie at the top of the archive,
# so Windows' "Extract All" gives one folder with the program in it; the program creates its
# settings file beside itself.
# Usage: dist-windows.sh [build-folder]   (default: build-windows)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
jobs=${JOBS:-$(nproc)}

cd "$root"
[ -f "$build/CMakeCache.txt" ] || cmake --preset windows-cross -B "$build"
cmake --build "$build" -j "$jobs" --target brannock_win32

exe=$(find "$build" -name brannock.exe -not -path '*/dist/*' -not -path '*/wine-prefix/*' |
  head -n 1)
[ -n "$exe" ] || { echo "dist-windows: no brannock.exe in $build" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "dist-windows: no project version in $build" >&2; exit 1; }

name="brannock-$version-windows-x64"
stage="$build/dist/$name"
zip="$build/dist/$name.zip"
rm -rf "$stage" "$zip"
mkdir -p "$stage"
files=(brannock.exe brannock.hlp README.txt)
cp "$exe" "$stage/brannock.exe"
# The help file beside the program, where Help > Contents looks for it.
sed 's/\r$//; s/$/\r/' help/brannock.md >"$stage/brannock.hlp"
# Notepad before Windows 10 1809 shows a text with bare line feeds as one line.
sed 's/\r$//; s/$/\r/' README.md >"$stage/README.txt"
for licence in LICENSE LICENSE.txt LICENSE.md COPYING; do
  if [ -f "$licence" ]; then
    sed 's/\r$//; s/$/\r/' "$licence" >"$stage/LICENSE.txt"
    files+=(LICENSE.txt)
    break
  fi
done

# -X leaves out Unix owners and extra times; the archive lists its files in a fixed order.
(cd "$stage" && zip -q -X -9 "$zip" "${files[@]}")
rm -rf "$stage"
echo "dist-windows: $zip"
unzip -l "$zip"
