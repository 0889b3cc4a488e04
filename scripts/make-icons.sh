#!/usr/bin/env bash
# Turns the program's SVG pictures (ui/qt/resources) into the Windows icon files of
# packaging/windows/icons, which stay in the repository so that a Windows build needs no
# converter: run this again only after changing a picture, and commit what it writes.
# Each picture is drawn afresh at every size (not scaled down from a large copy), so small
# sizes stay sharp. The program's own icon gets 16, 20, 24, 32, 40, 48 and 64 px (small and
# large icons at 100 to 200 % scaling) plus 256 px, stored as PNG, for Explorer; it takes its
# 16 px copy from app-16.svg, drawn for that size. The other square pictures are only ever
# shown as small icons (on buttons and in the tray), so they get 16, 20, 24 and 32 px: every
# further size would only make the program larger. The About box's side picture (28 x 84) is
# an icon too, at 100, 125, 150 and 200 %, because DrawIconEx draws its transparency with
# nothing beyond user32.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick: `scripts/install-deps.sh icons`.
# Usage: make-icons.sh
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/ui/qt/resources"
out="$root/packaging/windows/icons"
app_sizes=(16 20 24 32 40 48 64 256)
small_sizes=(16 20 24 32)
square=(app sync-on sync-off add modify delete up down browse)

for tool in rsvg-convert convert identify; do
  command -v "$tool" >/dev/null || {
    echo "make-icons: $tool is missing (scripts/install-deps.sh icons)" >&2
    exit 1
  }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# render SVG WIDTH HEIGHT PNG: a 32-bit picture of exactly that size, transparent around.
render() {
  rsvg-convert --width "$2" --height "$3" --keep-aspect-ratio --background-color none \
      --format png --output "$4" "$1"
  # An icon's entries must be 32-bit with alpha, whatever colours the picture happens to use.
  convert "$4" -background none -gravity center -extent "$2x$3" -define png:color-type=6 \
      "PNG32:$4"
}

# pack ICO PNG...: one icon file. ImageMagick stores entries of 256 px as PNG and smaller
# ones as 32-bit bitmaps, which is what every Windows version reads.
pack() {
  local ico=$1
  shift
  convert "$@" "$ico"
  echo "$(basename "$ico"): $(identify -format '%wx%h ' "$ico")"
}

for name in "${square[@]}"; do
  sizes=("${small_sizes[@]}")
  [ "$name" = app ] && sizes=("${app_sizes[@]}")
  pngs=()
  for size in "${sizes[@]}"; do
    svg="$src/$name.svg"
    if [ "$name" = app ] && [ "$size" -eq 16 ]; then
      svg="$src/app-16.svg"
    fi
    png="$work/$name-$size.png"
    render "$svg" "$size" "$size" "$png"
    pngs+=("$png")
  done
  pack "$out/$name.ico" "${pngs[@]}"
done

pngs=()
for scale in 100 125 150 200; do
  png="$work/about-side-$scale.png"
  render "$src/about-side.svg" $((28 * scale / 100)) $((84 * scale / 100)) "$png"
  pngs+=("$png")
done
pack "$out/about-side.ico" "${pngs[@]}"
