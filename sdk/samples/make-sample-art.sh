#!/usr/bin/env bash
# Icons and information pictures of the sample applications, installed into
# the suite's MenuSwf folder. Usage: make-sample-art.sh OUTPUT_DIR
set -euo pipefail
out=${1:?output folder}
mkdir -p "$out"
IM=$(command -v convert-im6.q16 || command -v /usr/bin/convert || command -v convert)
BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf

# icon NAME TOP BOTTOM GLYPH-DRAW
icon() {
  "$IM" -size 64x64 xc:none \( -size 64x64 gradient:"$2"-"$3" \) \
    \( -size 64x64 xc:none -fill white -draw 'roundrectangle 2,2 61,61 14,14' \) \
    -delete 0 -alpha off -compose CopyOpacity -composite -compose Over \
    -fill none -stroke white -strokewidth 3 -draw "$4" -depth 8 "$out/$1.png"
}
icon viewer '#5AB8FF' '#2F6FD6' 'roundrectangle 14,18 50,46 3,3 circle 32,32 32,38'
icon album '#FFB547' '#E5762E' 'rectangle 18,14 46,50 line 24,24 40,24 line 24,32 40,32'
icon slideshow '#7BD88F' '#2E9B5A' 'roundrectangle 12,16 52,42 3,3 polygon 28,23 28,35 38,29'
icon print '#C58BFF' '#7A43D6' 'rectangle 20,12 44,24 roundrectangle 12,24 52,42 3,3 rectangle 20,36 44,52'

# info NAME COLOUR TITLE LINE
info() {
  "$IM" -size 300x160 gradient:'#FFFFFF'-'#EEF1F5' -fill "$2" -draw 'rectangle 0,0 5,159' \
    -font "$BOLD" -pointsize 16 -fill '#1F2737' -annotate +20+40 "$3" \
    -font "$FONT" -pointsize 11 -fill '#5A6578' -annotate +20+70 "$4" -depth 8 "$out/$1_info.png"
}
info viewer '#2F6FD6' 'Photo Viewer' 'Browse and view the pictures on your PC.'
info album '#E5762E' 'Photo Album' 'Arrange your pictures into albums.'
info slideshow '#2E9B5A' 'Slide Show' 'Play your pictures as a slide show.'
info print '#7A43D6' 'Online Print Service' 'Order prints of your pictures online.'
