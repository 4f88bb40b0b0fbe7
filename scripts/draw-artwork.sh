#!/usr/bin/env bash
# Draws the program's own artwork with ImageMagick: the banner across the main dialog
# (src/resources/banner.bmp, 706 x 98 pixels, scaled to the banner, 24-bit), the About box's
# background (src/resources/about.bmp, 418 x 214 pixels, 24-bit) and the program icon
# (src/resources/quorrex.ico, 16, 32 and 48 pixels). The results are committed; run this only
# to change them.
#   scripts/draw-artwork.sh
set -euo pipefail
if [ "${1:-}" = "--help" ]; then sed -n '2,7p' "$0"; exit 0; fi
out="$(cd "$(dirname "$0")/.." && pwd)/src/resources"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# The mark: three list rows, the first one highlighted, on a rounded blue tile.
mark() { # size file
    local s=$1 r=$(( $1 / 6 )) pad=$(( $1 / 5 )) h=$(( $1 / 9 + 1 ))
    local x0=$pad x1=$(( s - pad - 1 )) gap=$(( (s - 2 * pad - 3 * h) / 2 ))
    local y0=$pad y1=$(( pad + h + gap )) y2=$(( pad + 2 * (h + gap) ))
    convert -size "${s}x${s}" xc:none \
        -fill '#1F4E9C' -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" \
        -fill '#FFC84A' -draw "rectangle $x0,$y0 $x1,$((y0 + h - 1))" \
        -fill '#FFFFFF' -draw "rectangle $x0,$y1 $x1,$((y1 + h - 1))" \
        -fill '#FFFFFF' -draw "rectangle $x0,$y2 $((x1 - s / 5)),$((y2 + h - 1))" \
        "$2"
}

for s in 16 32 48; do mark "$s" "$tmp/mark$s.png"; done
convert "$tmp/mark16.png" "$tmp/mark32.png" "$tmp/mark48.png" "$out/quorrex.ico"

mark 70 "$tmp/banner-mark.png"
convert -size 706x98 gradient:'#0E2A5C'-'#2A6BC7' -rotate 90 -resize 706x98\! \
    "$tmp/banner-mark.png" -geometry +18+14 -composite \
    -font DejaVu-Sans-Bold -pointsize 38 -fill white -annotate +106+54 'Quorrex' \
    -font DejaVu-Sans -pointsize 16 -fill '#D6E4FA' -annotate +108+80 'Active Directory objects, listed to the letter' \
    -type TrueColor BMP3:"$out/banner.bmp"

# The About box: a band with the mark across the top, and a pale field below it for the labels
# and links, which are drawn in the system's text colours over it and so need it plain and light.
mark 28 "$tmp/about-mark.png"
convert -size 418x214 gradient:'#FAFCFF'-'#E2EAF6' \
    \( -size 40x418 gradient:'#2A6BC7'-'#0E2A5C' -rotate 90 \) -geometry +0+0 -composite \
    -fill '#FFC84A' -draw 'rectangle 0,40 417,41' \
    "$tmp/about-mark.png" -geometry +12+6 -composite \
    -font DejaVu-Sans -pointsize 12 -fill '#D6E4FA' -annotate +50+25 'Active Directory objects, listed to the letter' \
    -alpha off -type TrueColor BMP3:"$out/about.bmp"
echo "wrote $out/banner.bmp, $out/about.bmp and $out/quorrex.ico"
