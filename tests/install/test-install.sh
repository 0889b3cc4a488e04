#!/usr/bin/env bash
# Installs the built program into a temporary home, as `make install` does, and checks what a
# desktop finds there: the program with its help file, the command, a valid launcher and
# autostart entry, the icon in every size; then that uninstalling removes exactly that, keeping
# the settings file unless asked, and that another prefix (with a space in it) works alike.
# Usage: test-install.sh path/to/build
set -euo pipefail

build=$(cd "${1:?usage: test-install.sh path/to/build}" && pwd)
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/brannock-install.XXXX")
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/the home"
mkdir -p "$HOME"
unset XDG_CONFIG_HOME PREFIX AUTOSTART PURGE

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
check() { "$@" || fail "$*"; }
# The files below a folder, one a line, sorted.
files_in() { (cd "$1" && find . \( -type f -o -type l \) | sort); }
# Width and height of a PNG, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'; }

validate() {
  if command -v desktop-file-validate >/dev/null; then
    local out
    out=$(desktop-file-validate "$1" 2>&1) || fail "desktop-file-validate $1: $out"
    [ -z "$out" ] || fail "desktop-file-validate $1 warns: $out"
  else
    echo "desktop-file-validate is not installed (desktop-file-utils): launcher not validated"
  fi
}

# --- The default prefix, with the autostart entry ---------------------------------------------
"$scripts/install.sh" "$build" >/dev/null
AUTOSTART=1 "$scripts/install.sh" "$build" >/dev/null  # again: replaces the first installation
local_=$HOME/.local
lib=$local_/lib/brannock
check cmp -s "$build/ui/qt/brannock" "$lib/brannock"
check test -x "$lib/brannock"
check cmp -s "$build/ui/qt/brannock.hlp" "$lib/brannock.hlp"
# The help is Linux's: the other platform's sections and the markers are left out.
check grep -q '~/.local/lib/brannock/' "$lib/brannock.hlp"
check bash -c '! grep -q -e "<!--" -e "LOCALAPPDATA" "$1"' _ "$lib/brannock.hlp"
check test -w "$lib"
check test "$(readlink -f "$local_/bin/brannock")" = "$(readlink -f "$lib/brannock")"
check test -f "$local_/share/icons/hicolor/scalable/apps/brannock.svg"
for size in 16 22 24 32 48 64 128 256; do
  png=$local_/share/icons/hicolor/${size}x${size}/apps/brannock.png
  [ "$(png_size "$png" 2>/dev/null)" = "${size}x${size}" ] || fail "icon $png"
done
launcher=$local_/share/applications/brannock.desktop
autostart=$HOME/.config/autostart/brannock.desktop
validate "$launcher"
validate "$autostart"
check grep -qx "Exec=\"$lib/brannock\"" "$launcher"
check grep -qx "Icon=brannock" "$launcher"
check cmp -s "$launcher" "$autostart"

# The program writes its settings beside itself; uninstalling keeps them.
echo "[Options]" >"$lib/brannock.ini"
"$scripts/uninstall.sh" >/dev/null
[ "$(files_in "$HOME")" = "./.local/lib/brannock/brannock.ini" ] ||
  fail "left after uninstall: $(files_in "$HOME")"
check test ! -e "$HOME/.config/autostart"
check test ! -e "$local_/share/icons"

# --- Another prefix, without autostart; PURGE removes the settings too -------------------------
prefix="$tmp/other prefix"
PREFIX=$prefix "$scripts/install.sh" "$build" >/dev/null
check test ! -e "$HOME/.config/autostart"
validate "$prefix/share/applications/brannock.desktop"
check grep -qx "Exec=\"$prefix/lib/brannock/brannock\"" "$prefix/share/applications/brannock.desktop"
echo "[Options]" >"$prefix/lib/brannock/brannock.ini"
PREFIX=$prefix PURGE=1 "$scripts/uninstall.sh" >/dev/null
check test ! -e "$prefix"
PREFIX=$prefix "$scripts/uninstall.sh" >/dev/null 2>&1 && fail "a second uninstall succeeded"

[ "$failures" -eq 0 ] && echo "install and uninstall: all checks passed"
exit $((failures > 0))
