#!/usr/bin/env bash
# Removes what install.sh installed, as its manifest lists it: the files, then the folders it
# made, if nothing else has come into them. The settings file beside the program stays, so a
# later installation finds the filesets again, unless PURGE=1.
# Usage: uninstall.sh
#   PREFIX  where Brannock was installed, default ~/.local
#   PURGE   1: remove the settings file too
set -euo pipefail

prefix=${PREFIX:-$HOME/.local}
[[ $prefix == /* ]] || prefix=$PWD/$prefix
prefix=${prefix%/}
lib=$prefix/lib/brannock
manifest=$lib/install-manifest.txt
if [ ! -f "$manifest" ]; then
  echo "uninstall: Brannock is not installed in $prefix (no $manifest)" >&2
  exit 1
fi

mapfile -t entries <"$manifest"
for entry in "${entries[@]}"; do
  [[ $entry == "file "* ]] && rm -f -- "${entry#file }"
done
if [ "${PURGE:-}" = 1 ]; then
  rm -f -- "$lib/brannock.ini"
elif [ -f "$lib/brannock.ini" ]; then
  echo "Kept the settings file $lib/brannock.ini (PURGE=1 removes it)"
fi
# Folders last, deepest first; one that holds anything else stays.
for ((i = ${#entries[@]} - 1; i >= 0; i--)); do
  entry=${entries[i]}
  if [[ $entry == "dir "* ]]; then
    rmdir -- "${entry#dir }" 2>/dev/null || true
  fi
done
echo "Removed Brannock from $prefix"
