#!/bin/sh
# Remakes the metafiles and the reference pictures in this folder from the
# drawings (*.svg). Needs Inkscape 1.2, libwmf (wmf2gd) and ImageMagick; none
# of them is needed to build or run the tests.
set -e
cd "$(dirname "$0")"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
# Keep text as text records instead of outlines.
mkdir -p "$profile"
cat > "$profile/preferences.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8" standalone="no"?>
<inkscape version="1" xmlns:sodipodi="http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd" xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape">
  <group id="extensions"
     org.inkscape.output.emf.textToPath="false"
     org.inkscape.output.wmf.textToPath="false" />
</inkscape>
XML
export INKSCAPE_PROFILE_DIR="$profile"
png() { convert "$1" -background white -flatten -strip -type TrueColor "PNG24:$2"; rm -f "$1"; }
for f in ${*:-holly gift starmoon greeting frame bauble}; do
  inkscape "$f.svg" --export-type=emf --export-filename="$f.emf"
  inkscape "$f.svg" --export-type=wmf --export-filename="$f.wmf"
  wmf2gd -t png --maxwidth=240 --maxheight=200 --maxsize -o "$f.tmp.png" "$f.wmf"
  png "$f.tmp.png" "$f.wmf.libwmf.png"
  inkscape "$f.emf" --export-type=png --export-width=240 --export-height=200 \
    --export-background=white --export-background-opacity=1 --export-filename="$f.tmp.png"
  png "$f.tmp.png" "$f.emf.inkscape.png"
  inkscape "$f.svg" --export-type=png --export-width=240 --export-height=200 \
    --export-background=white --export-background-opacity=1 --export-filename="$f.tmp.png"
  png "$f.tmp.png" "$f.svg.inkscape.png"
done
