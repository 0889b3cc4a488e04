#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Brannock need.
# Runs `apt-get update` only when a package is missing, and only once.
# Usage: install-deps.sh [native|gui|windows|all]   (default: all)
set -euo pipefail

what=${1:-all}
native=(g++ cmake make libgtest-dev libgmock-dev googletest libbenchmark-dev qt6-base-dev
        qt6-svg-dev rsync)
gui=(xvfb xauth trayer xdotool imagemagick)
windows=(g++-mingw-w64-x86-64 wine64 googletest)

case "$what" in
  native) want=("${native[@]}") ;;
  gui) want=("${native[@]}" "${gui[@]}") ;;
  windows) want=("${windows[@]}") ;;
  all) want=("${native[@]}" "${gui[@]}" "${windows[@]}") ;;
  *) echo "usage: $0 [native|gui|windows|all]" >&2; exit 2 ;;
esac

missing=()
for pkg in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
