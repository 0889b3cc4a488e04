#!/usr/bin/env bash
# Wine makes no links from inside a Windows program, yet shows a link to a folder made on the
# Unix side as a reparse point: this plants one before the Windows tests start, fresh on every
# run, for BRANNOCK_LINKED_MIRROR's test. In `tree`: the sources src/, a folder outside/ with
# a sentinel, and mirror/, whose copy of src/sub (below Z, the drive that maps /) is a link
# to outside/.
# Usage: plant-links.sh tree
set -euo pipefail
tree=$1
rm -rf "$tree"  # takes the link, never what it leads to
mkdir -p "$tree/src/sub/deeper" "$tree/outside" "$tree/mirror/Z$tree/src"
printf 'newer, longer' >"$tree/src/sub/file.txt"
printf 'new' >"$tree/src/sub/deeper/new.txt"
printf 'precious' >"$tree/outside/file.txt"
ln -s "$tree/outside" "$tree/mirror/Z$tree/src/sub"
