#!/usr/bin/env bash
# A drive letter of the Wine prefix for the Windows tests, made afresh before every run: M:
# names the folder `disk`, as a disk plugged in under that letter. A test unplugs it by moving
# the folder away (the letter then names nothing) and plugs it back by moving it home.
# Usage: plant-drive.sh wine-run.sh prefix disk
set -euo pipefail
wine_run=$1
prefix=$2
disk=$3
# The prefix is made once, by the first program that runs in it.
[ -f "$prefix/system.reg" ] || WINEPREFIX="$prefix" bash "$wine_run" cmd /c exit 0 >/dev/null 2>&1
rm -rf "$disk" "$disk-away"
mkdir -p "$disk" "$prefix/dosdevices"
ln -sfn "$disk" "$prefix/dosdevices/m:"
