#!/usr/bin/env bash
# Builds the Windows program with the cross build and packs the two downloads into dist/ in
# the build folder (scripts/pack-windows.sh): brannock-<version>-windows-x64.zip, which a
# Windows user unzips anywhere writable, and brannock-<version>-setup.exe, the per-user setup
# program. Both hold brannock.exe, its help file brannock.hlp (the help's Windows text) and
# README.txt (packaging/windows/README.txt).
# Usage: dist-windows.sh [build-folder]   (default: build-windows)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-windows}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
jobs=${JOBS:-$(nproc)}

cd "$root"
[ -f "$build/CMakeCache.txt" ] || cmake --preset windows-cross -B "$build"
cmake --build "$build" -j "$jobs" --target brannock_win32

exe="$build/brannock.exe"
[ -f "$exe" ] || { echo "dist-windows: no brannock.exe in $build" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "dist-windows: no project version in $build" >&2; exit 1; }
description=$(sed -n 's/^CMAKE_PROJECT_DESCRIPTION:STATIC=//p' "$build/CMakeCache.txt")
copyright=$(sed -n 's/^BRANNOCK_ABOUT_OWNER:STRING=//p' "$build/CMakeCache.txt")

rm -rf "$build/dist"
"$root/scripts/pack-windows.sh" "$exe" "$build/brannock.hlp" "$version" "$build/dist" \
  "${description:-Keeps a one-way mirror of several folders in one destination folder}" \
  ${copyright:+"$copyright"}
unzip -l "$build/dist/brannock-$version-windows-x64.zip"
