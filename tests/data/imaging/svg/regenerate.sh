#!/bin/sh
# Remakes the drawings written by other programs from winter.svg (written by
# hand). Needs Inkscape 1.2, librsvg (rsvg-convert) and ImageMagick; none of
# them is needed to build or run the tests.
set -e
cd "$(dirname "$0")"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
export INKSCAPE_PROFILE_DIR="$profile"
# Inkscape's own SVG (sodipodi and inkscape namespaces, styles as properties).
inkscape winter.svg --export-type=svg --export-filename=winter.inkscape.svg
# Plain SVG with the text turned into paths.
inkscape winter.svg --export-type=svg --export-plain-svg --export-text-to-path \
  --export-filename=winter.inkscape-plain.svg
# Cairo's SVG: glyphs as symbols used by reference, pictures as data.
rsvg-convert -f svg -o winter.cairo.svg winter.svg
# A two-frame animated GIF: a red square on transparency, then solid blue.
convert -delay 20 -dispose background \
  \( -size 24x16 xc:none -fill red -draw 'rectangle 4,4 11,11' \) \
  \( -size 24x16 xc:blue \) -loop 0 ../animated.gif
