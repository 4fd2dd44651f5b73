#!/usr/bin/env bash
# Draws every skin bitmap of the resource library and the program icons with
# ImageMagick. Usage: make-art.sh OUTPUT_DIR
# One palette for all windows: a dark slate title strip with a blue accent,
# light content cards, blue push buttons on hover and press.
set -euo pipefail
out=${1:?output folder}
mkdir -p "$out"
IM=$(command -v convert-im6.q16 || command -v /usr/bin/convert || command -v convert)
FONT=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
BOLD=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

STRIP_TOP='#37445E'; STRIP_BOTTOM='#1F2737'; ACCENT='#4CB3FF'; ACCENT_DARK='#2F7FE0'
GLYPH='#C9D3E3'; GLYPH_OFF='#5A6578'; CARD_BORDER='#D9DEE6'; PAGE='#EEF1F5'

bmp() { "$IM" "$1" -background white -alpha remove -alpha off -type truecolor "BMP3:$out/$2.bmp"; }

# The brand mark: a blue disc with a white aperture ring.
logo() { # size file
  local s=$1 r c
  c=$(( s / 2 )); r=$(( s * 9 / 20 ))
  "$IM" -size "${s}x${s}" radial-gradient:"$ACCENT"-"$ACCENT_DARK" \
    \( -size "${s}x${s}" xc:black -fill white -draw "circle $c,$c $c,$(( c - r ))" \) \
    -alpha off -compose CopyOpacity -composite -compose Over \
    -fill none -stroke white -strokewidth "$(( s / 12 + 1 ))" \
    -draw "circle $c,$c $c,$(( c - s * 5 / 20 ))" \
    -fill white -stroke none -draw "circle $c,$c $c,$(( c - s / 12 - 1 ))" \
    "$2"
}

# A title strip of the given size with the brand at the left.
strip() { # width height file
  logo 18 "$tmp/logo18.png"
  "$IM" -size "$1x$2" gradient:"$STRIP_TOP"-"$STRIP_BOTTOM" \
    -fill '#4A5874' -draw "line 0,0 $(( $1 - 1 )),0" \
    -fill "$ACCENT" -draw "line 0,$(( $2 - 1 )) $(( $1 - 1 )),$(( $2 - 1 ))" \
    "$tmp/logo18.png" -geometry +8+$(( ($2 - 18) / 2 )) -composite \
    -font "$BOLD" -pointsize 13 -fill white -annotate +33+$(( $2 / 2 + 5 )) 'Imagora Menu' \
    "$3"
}

# Five title-strip buttons (normal, pressed, focus, disabled, hover), their
# background cut from the strip behind them so they blend in.
strip_buttons() { # strip x y first_id glyph_kind hover_colour
  local bg="$tmp/btn-bg.png" glyph
  "$IM" "$1" -crop 22x22+"$2"+"$3" +repage "$bg"
  case $5 in
    minimize) glyph='line 7,14 15,14' ;;
    close) glyph='line 7,7 15,15 line 15,7 7,15' ;;
  esac
  draw() { # fill stroke_colour glyph_colour dy outline file
    "$IM" "$bg" \( -size 22x22 xc:none -fill "$1" -stroke "$2" -strokewidth 1 \
        -draw 'roundrectangle 0.5,0.5 21.5,21.5 4,4' \) -composite \
      -fill none -stroke "$3" -strokewidth 1.8 -draw "translate 0,$4 $glyph" "$5"
  }
  draw none none "$GLYPH" 0 "$tmp/n.png"; bmp "$tmp/n.png" "$4"
  draw '#161C27' '#161C27' white 1 "$tmp/p.png"; bmp "$tmp/p.png" $(( $4 + 1 ))
  draw none "$ACCENT" white 0 "$tmp/f.png"; bmp "$tmp/f.png" $(( $4 + 2 ))
  draw none none "$GLYPH_OFF" 0 "$tmp/d.png"; bmp "$tmp/d.png" $(( $4 + 3 ))
  draw "$6" "$6" white 0 "$tmp/h.png"; bmp "$tmp/h.png" $(( $4 + 4 ))
}

# Main menu window skin: the title strip above the movie.
strip 640 30 "$tmp/100.png"
bmp "$tmp/100.png" 100
strip_buttons "$tmp/100.png" 580 4 200 minimize '#4A5874'
strip_buttons "$tmp/100.png" 606 4 210 close '#E5484D'

# Settings dialog skin: strip, a white card holding the options and the list.
strip 476 30 "$tmp/strip476.png"
"$IM" -size 476x420 xc:"$PAGE" "$tmp/strip476.png" -geometry +0+0 -composite \
  -fill white -stroke "$CARD_BORDER" -draw 'roundrectangle 16,40 459,368 8,8' \
  -stroke '#E6E9EE' -draw 'line 32,78 443,78' \
  -fill '#F4F4F4' -stroke '#C9D0DA' -draw 'rectangle 41,112 438,267' \
  -stroke '#E6E9EE' -draw 'line 32,312 443,312' \
  -stroke none -fill '#8A94A6' -font "$FONT" -pointsize 10 \
  -annotate +36+287 'Select entries, then move them' \
  -annotate +36+300 'with the buttons or by dragging.' \
  "$tmp/300.png"
bmp "$tmp/300.png" 300

# About dialog skin: strip, large brand mark, product name.
strip 600 34 "$tmp/strip600.png"
logo 96 "$tmp/logo96.png"
"$IM" -size 600x272 xc:white "$tmp/strip600.png" -geometry +0+0 -composite \
  "$tmp/logo96.png" -geometry +40+66 -composite \
  -font "$BOLD" -pointsize 22 -fill '#1F2737' -annotate +166+70 'Imagora Menu' \
  -stroke '#E6E9EE' -draw 'line 166,110 560,110' -stroke none \
  -font "$FONT" -pointsize 10 -fill '#8A94A6' \
  -annotate +166+132 'The start menu of the Imagora imaging suite.' \
  -annotate +166+150 'Copyright (C) Orva Corporation. All rights reserved.' \
  -fill "$PAGE" -draw 'rectangle 0,222 599,271' -stroke '#E1E5EB' -draw 'line 0,222 599,222' \
  "$tmp/500.png"
bmp "$tmp/500.png" 500

# Push buttons: normal, pressed, focus, disabled, hover.
push_buttons() { # width first_id background
  local w=$1 id=$2 bg=$3 r=$(( $1 - 1 ))
  btn() { # gradient border ring file ("none" for no focus ring)
    "$IM" -size "${w}x26" xc:"$bg" \( -size "${w}x26" gradient:"$1" \
        \( -size "${w}x26" xc:none -fill white -draw "roundrectangle 0,0 $r,25 5,5" \) \
        -alpha off -compose CopyOpacity -composite \) -compose Over -composite \
      -fill none -stroke "$2" -strokewidth 1 -draw "roundrectangle 0.5,0.5 $(( w - 1 )).5,25.5 5,5" \
      -stroke "$3" -draw "roundrectangle 1.5,1.5 $(( w - 2 )).5,24.5 4,4" "$4"
  }
  btn '#FFFFFF-#E9EDF2' '#BCC4CF' none "$tmp/b.png"; bmp "$tmp/b.png" "$id"
  btn "$ACCENT_DARK-#2668BC" '#225DA8' none "$tmp/b.png"; bmp "$tmp/b.png" $(( id + 1 ))
  btn '#FFFFFF-#E9EDF2' "$ACCENT_DARK" "$ACCENT" "$tmp/b.png"; bmp "$tmp/b.png" $(( id + 2 ))
  btn '#F6F7F9-#F1F3F6' '#E1E4E8' none "$tmp/b.png"; bmp "$tmp/b.png" $(( id + 3 ))
  btn "#5AAEF7-$ACCENT_DARK" '#2A72CC' none "$tmp/b.png"; bmp "$tmp/b.png" $(( id + 4 ))
}
push_buttons 90 320 "$PAGE"
push_buttons 130 325 "$PAGE"

# Clickable labels beside the check boxes: white like the card they sit on.
label_buttons() { # first_id
  "$IM" -size 380x20 xc:white "$tmp/l.png"; bmp "$tmp/l.png" "$1"
  "$IM" -size 380x20 xc:white -fill '#EEF1F5' -draw 'roundrectangle 0,0 379,19 3,3' "$tmp/l.png"
  bmp "$tmp/l.png" $(( $1 + 1 ))
  "$IM" -size 380x20 xc:white -fill none -stroke '#A9CDF5' -draw 'roundrectangle 0.5,0.5 378.5,18.5 3,3' "$tmp/l.png"
  bmp "$tmp/l.png" $(( $1 + 2 ))
  "$IM" -size 380x20 xc:white "$tmp/l.png"; bmp "$tmp/l.png" $(( $1 + 3 ))
}
label_buttons 330
label_buttons 340

# Check boxes: unchecked, checked, disabled.
"$IM" -size 16x16 xc:white -fill white -stroke '#8C96A5' -draw 'roundrectangle 0.5,0.5 15.5,15.5 3,3' "$tmp/c.png"
bmp "$tmp/c.png" 400
"$IM" -size 16x16 xc:white -fill "$ACCENT_DARK" -stroke '#2668BC' -draw 'roundrectangle 0.5,0.5 15.5,15.5 3,3' \
  -fill none -stroke white -strokewidth 2 -draw 'polyline 3.5,8 6.5,11 12.5,4.5' "$tmp/c.png"
bmp "$tmp/c.png" 401
"$IM" -size 16x16 xc:white -fill '#EEF0F3' -stroke '#C9CED6' -draw 'roundrectangle 0.5,0.5 15.5,15.5 3,3' "$tmp/c.png"
bmp "$tmp/c.png" 402

# Program icons: the brand mark at the usual icon sizes.
for s in 16 24 32 48 64; do logo "$s" "$tmp/icon$s.png"; done
"$IM" "$tmp"/icon16.png "$tmp"/icon24.png "$tmp"/icon32.png "$tmp"/icon48.png "$tmp"/icon64.png "$out/Lumbra.ico"
cp "$out/Lumbra.ico" "$out/Update.ico"
