#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Brannock need, as root or
# through sudo. Runs `apt-get update` only when installing fails (on a fresh machine the
# package lists are empty), and then tries once more.
# Usage: install-deps.sh [native|gui|windows|format|icons|all]...   (default: all but icons)
set -euo pipefail

native=(g++ cmake make libgtest-dev libgmock-dev googletest libbenchmark-dev qt6-base-dev
        qt6-svg-dev rsync ccache desktop-file-utils)
# The program's own window needs Qt's X11 plugin and a font; the rest starts a virtual desktop.
gui=(qt6-qpa-plugins fonts-dejavu-core xvfb xauth trayer xdotool imagemagick)
# The Windows suite's programs open real windows under Wine, on a virtual display of their own;
# Wine draws their texts and glyphs (check marks, arrows) with its own fonts. zip packs the
# download.
windows=(cmake make ccache g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64 googletest
         xvfb xauth fonts-wine zip nsis)
format=(clang-format git)
# Only for redrawing the Windows icons from their SVG pictures (scripts/make-icons.sh).
icons=(librsvg2-bin imagemagick)

want=()
for group in "${@:-all}"; do
  case "$group" in
    native) want+=("${native[@]}") ;;
    gui) want+=("${native[@]}" "${gui[@]}") ;;
    windows) want+=("${windows[@]}") ;;
    format) want+=("${format[@]}") ;;
    icons) want+=("${icons[@]}") ;;
    all) want+=("${native[@]}" "${gui[@]}" "${windows[@]}" "${format[@]}") ;;
    *) echo "usage: $0 [native|gui|windows|format|icons|all]..." >&2; exit 2 ;;
  esac
done

missing=()
for pkg in "${want[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    [[ " ${missing[*]} " == *" $pkg "* ]] || missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another installation may hold dpkg's lock for a while: wait for it instead of failing.
apt=("${sudo[@]}" apt-get -q -o DPkg::Lock::Timeout=600)
install=("${apt[@]}" install -y --no-install-recommends "${missing[@]}")
if ! "${install[@]}"; then
  echo "Installing failed; updating the package lists and trying again"
  "${apt[@]}" update
  "${install[@]}"
fi
