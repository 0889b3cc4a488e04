#!/usr/bin/env bash
# Installs Brannock for the current user, without root: the program and its help file in a
# folder of their own that the user can write to (the program keeps its settings file beside
# itself), a command in bin/, a launcher and the icon for the desktop's menus, and, with
# AUTOSTART=1, an entry that starts Brannock with the desktop session. Every file and folder it
# makes is listed in a manifest, so that uninstall.sh removes exactly those.
# Usage: install.sh path/to/build
#   PREFIX     where to install, default ~/.local
#   AUTOSTART  1: start Brannock with the session (~/.config/autostart)
set -euo pipefail

build=${1:?usage: install.sh path/to/build}
here=$(cd "$(dirname "$0")" && pwd)
prefix=${PREFIX:-$HOME/.local}
[[ $prefix == /* ]] || prefix=$PWD/$prefix
prefix=${prefix%/}
program=$build/ui/qt/brannock
for needed in "$program" "$build/ui/qt/brannock.hlp" "$build/ui/qt/icons/16x16/apps/brannock.png"; do
  [ -e "$needed" ] || { echo "install: $needed was not built" >&2; exit 1; }
done
# The launcher names the program by its full path, quoted; these characters would need escapes
# that not every desktop reads alike.
case $prefix in
  *[\"\`\$\\%]* | *$'\n'*) echo "install: PREFIX may not hold \" \` \$ \\ or %: $prefix" >&2; exit 1 ;;
esac

lib=$prefix/lib/brannock
manifest=$lib/install-manifest.txt
autostart_dir=${XDG_CONFIG_HOME:-$HOME/.config}/autostart

# An earlier installation goes first, settings kept, so nothing of it is left unlisted.
if [ -f "$manifest" ]; then
  PREFIX=$prefix PURGE='' "$here/uninstall.sh" >/dev/null
fi

made=()  # what this installation made, in order: "dir <path>" and "file <path>" lines
make_dir() {
  local dir=$1 missing=()
  while [ ! -d "$dir" ]; do
    missing=("$dir" "${missing[@]}")
    dir=$(dirname "$dir")
  done
  for dir in "${missing[@]}"; do
    mkdir "$dir"
    made+=("dir $dir")
  done
}
put() {  # put MODE SOURCE DESTINATION
  make_dir "$(dirname "$3")"
  install -m "$1" "$2" "$3"
  made+=("file $3")
}
# The launcher, written through a file of its own: put must run in this shell to be listed.
launcher_file=$(mktemp)
trap 'rm -f "$launcher_file"' EXIT

put 755 "$program" "$lib/brannock"
put 644 "$build/ui/qt/brannock.hlp" "$lib/brannock.hlp"

# The command: a link, so the program still finds its folder (and its settings) through it.
make_dir "$prefix/bin"
ln -sfn "$lib/brannock" "$prefix/bin/brannock"
made+=("file $prefix/bin/brannock")

icons=$prefix/share/icons/hicolor
put 644 "$here/../ui/qt/resources/app.svg" "$icons/scalable/apps/brannock.svg"
for png in "$build"/ui/qt/icons/*/apps/brannock.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  put 644 "$png" "$icons/$size/apps/brannock.png"
done

launcher() {
  cat <<DESKTOP
[Desktop Entry]
Type=Application
Name=Brannock
GenericName=Folder Mirror
Comment=Keep a one-way mirror of several folders in one destination folder
Exec="$lib/brannock"
TryExec=$lib/brannock
Icon=brannock
Terminal=false
Categories=Utility;FileTools;
Keywords=sync;mirror;backup;copy;folder;
StartupNotify=false
DESKTOP
}
launcher >"$launcher_file"
put 644 "$launcher_file" "$prefix/share/applications/brannock.desktop"
if [ "${AUTOSTART:-}" = 1 ]; then
  put 644 "$launcher_file" "$autostart_dir/brannock.desktop"
fi

make_dir "$lib"
printf '%s\n' "${made[@]}" "file $manifest" >"$manifest"

echo "Installed Brannock in $lib"
echo "  command:  $prefix/bin/brannock"
echo "  launcher: $prefix/share/applications/brannock.desktop"
if [ "${AUTOSTART:-}" = 1 ]; then
  echo "  starts with the session: $autostart_dir/brannock.desktop"
fi
case ":$PATH:" in
  *":$prefix/bin:"*) ;;
  *) echo "Note: $prefix/bin is not on your PATH; the menu's launcher works all the same." ;;
esac
