#!/usr/bin/env bash
# Draws every skin bitmap of the resource library and the program icons with
# ImageMagick. Usage: make-art.sh OUTPUT_DIR
# One palette for all windows: a dark slate title strip with a blue accent,
# light content cards, blue push buttons on hover and press.
# Each skin is described once in 96-DPI pixels and drawn at every percentage
# of ui::kArtPercents, so the larger sets stay sharp instead of resized.
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

# --- Scale helpers. p is the percentage of the set being drawn. ---------------
# Each prints its value; they work in the calling shell (REPLY) so that a
# helper costs one command substitution, which keeps the build quick.
p=100 half=0

# A whole-pixel size or position; half a pixel rounds up, as ui::ScaleToDpi.
scaled() { REPLY=$(( ($1 * p * 2 + 100) / 200 )); }
px() { scaled "$1"; echo "$REPLY"; }
# The end pixel of a run that ends on pixel N (a filled shape's last row).
last() { scaled $(( $1 + 1 )); echo $(( REPLY - 1 )); }

# Fractions are carried as millionths, which keeps every set exact.
micro() {
  local x=$1 sign=1 int frac=0
  [[ $x == -* ]] && { sign=-1; x=${x#-}; }
  int=${x%%.*}; [[ $x == *.* ]] && frac=${x#*.}000000
  REPLY=$(( sign * (10#${int:-0} * 1000000 + 10#${frac:0:6}) ))
}
decimal() {
  local n=$1 sign='' frac
  (( n < 0 )) && { sign=-; n=$(( -n )); }
  printf -v frac '%06d' $(( n % 1000000 ))
  while [[ $frac == *0 ]]; do frac=${frac%0}; done
  echo "$sign$(( n / 1000000 ))${frac:+.$frac}"
}
# A fractional length: stroke width, corner radius, point size.
len() { micro "$1"; decimal $(( REPLY * p / 100 )); }

# Centre of a 1-px stroke on pixel row (or column) N: "on" for a shape's top
# or left side, where a wider stroke grows inward from N, "on_end" for its
# bottom or right side, where it ends on N.
on() { scaled "$1"; decimal $(( REPLY * 1000000 - 500000 + p * 5000 )); }
on_end() { scaled $(( $1 + 1 )); decimal $(( REPLY * 1000000 - 500000 - p * 5000 )); }

# Outlines and glyphs are laid out on pixel edges: 0.5 is the middle of the
# first pixel, W-0.5 the middle of the last. ImageMagick puts a pixel's centre
# on a whole coordinate, so the 100 % art, drawn as written, has its 1-px
# outlines straddle two pixels; it is kept as shipped. The larger sets take
# that half pixel (half, in millionths) off and their strokes land on whole
# pixels.
at() { micro "$1"; decimal $(( REPLY * p / 100 - half )); }
at_end() { local x; micro "$2"; x=$REPLY; scaled "$1"; decimal $(( REPLY * 1000000 - x * p / 100 - half )); }
# X in from the far edge, counted between pixel centres as the label focus
# ring is at 100 %; the larger sets draw it where at_end does.
at_back() { local x; micro "$2"; x=$REPLY; scaled "$1"; decimal $(( REPLY * 1000000 - 1000000 - x * p / 100 + half )); }
# D from the middle of a side W long, so a glyph stays centred when the scaled
# side rounds to a whole pixel.
at_mid() { local x; micro "$2"; x=$REPLY; scaled "$1"; decimal $(( REPLY * 500000 + x * p / 100 - half )); }

# Writes a skin bitmap of the set; the larger sets go under the percentage
# times 100 plus the id (ui::ArtIdAtPercent) and into scaled-art.rc.
put() { # file id
  local id=$2
  if (( p != 100 )); then
    id=$(( p * 100 + $2 ))
    echo "$id BITMAP \"$id.bmp\"" >>"$tmp/scaled-art.rc"
  fi
  bmp "$1" "$id"
}

# --- Pictures ------------------------------------------------------------------

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
  local w h t
  # t: the light top line and the accent bottom line, in whole rows.
  w=$(px "$1"); h=$(px "$2"); t=$(px 1)
  logo "$(px 18)" "$tmp/logo18.png"
  "$IM" -size "${w}x${h}" gradient:"$STRIP_TOP"-"$STRIP_BOTTOM" \
    -fill '#4A5874' -draw "rectangle 0,0 $(( w - 1 )),$(( t - 1 ))" \
    -fill "$ACCENT" -draw "rectangle 0,$(( h - t )) $(( w - 1 )),$(( h - 1 ))" \
    "$tmp/logo18.png" -geometry +"$(px 8)"+"$(px $(( ($2 - 18) / 2 )))" -composite \
    -font "$BOLD" -pointsize "$(len 13)" -fill white \
    -annotate +"$(px 33)"+"$(px $(( $2 / 2 + 5 )))" 'Imagora Menu' \
    "$3"
}

# Five title-strip buttons (normal, pressed, focus, disabled, hover), their
# background cut from the strip behind them so they blend in.
strip_buttons() { # strip x y first_id glyph_kind hover_colour
  local bg="$tmp/btn-bg.png" glyph s frame
  s=$(px 22)
  "$IM" "$1" -crop "${s}x${s}+$(px "$2")+$(px "$3")" +repage "$bg"
  case $5 in
    minimize) glyph="line $(at_mid 22 -4),$(at_mid 22 3) $(at_mid 22 4),$(at_mid 22 3)" ;;
    close) glyph="line $(at_mid 22 -4),$(at_mid 22 -4) $(at_mid 22 4),$(at_mid 22 4)
                  line $(at_mid 22 4),$(at_mid 22 -4) $(at_mid 22 -4),$(at_mid 22 4)" ;;
  esac
  frame="roundrectangle $(at 0.5),$(at 0.5) $(at_end 22 0.5),$(at_end 22 0.5) $(len 4),$(len 4)"
  draw() { # fill stroke_colour glyph_colour dy file
    "$IM" "$bg" \( -size "${s}x${s}" xc:none -fill "$1" -stroke "$2" -strokewidth "$(len 1)" \
        -draw "$frame" \) -composite \
      -fill none -stroke "$3" -strokewidth "$(len 1.8)" -draw "translate 0,$(px "$4") $glyph" "$5"
  }
  draw none none "$GLYPH" 0 "$tmp/n.png"; put "$tmp/n.png" "$4"
  draw '#161C27' '#161C27' white 1 "$tmp/p.png"; put "$tmp/p.png" $(( $4 + 1 ))
  draw none "$ACCENT" white 0 "$tmp/f.png"; put "$tmp/f.png" $(( $4 + 2 ))
  draw none none "$GLYPH_OFF" 0 "$tmp/d.png"; put "$tmp/d.png" $(( $4 + 3 ))
  draw "$6" "$6" white 0 "$tmp/h.png"; put "$tmp/h.png" $(( $4 + 4 ))
}

# Main menu window skin: the title strip above the movie.
main_skin() {
  strip 640 30 "$tmp/100.png"
  put "$tmp/100.png" 100
  strip_buttons "$tmp/100.png" 580 4 200 minimize '#4A5874'
  strip_buttons "$tmp/100.png" 606 4 210 close '#E5484D'
}

# Settings dialog skin: strip, a white card holding the options and the list.
settings_skin() {
  strip 476 30 "$tmp/strip476.png"
  "$IM" -size "$(px 476)x$(px 420)" xc:"$PAGE" "$tmp/strip476.png" -geometry +0+0 -composite \
    -strokewidth "$(len 1)" \
    -fill white -stroke "$CARD_BORDER" \
    -draw "roundrectangle $(on 16),$(on 40) $(on_end 459),$(on_end 368) $(len 8),$(len 8)" \
    -stroke '#E6E9EE' -draw "line $(px 32),$(on 78) $(last 443),$(on 78)" \
    -fill '#F4F4F4' -stroke '#C9D0DA' -draw "rectangle $(on 41),$(on 112) $(on_end 438),$(on_end 267)" \
    -stroke '#E6E9EE' -draw "line $(px 32),$(on 312) $(last 443),$(on 312)" \
    -stroke none -fill '#8A94A6' -font "$FONT" -pointsize "$(len 10)" \
    -annotate +"$(px 36)"+"$(px 287)" 'Select entries, then move them' \
    -annotate +"$(px 36)"+"$(px 300)" 'with the buttons or by dragging.' \
    "$tmp/300.png"
  put "$tmp/300.png" 300
}

# About dialog skin: strip, large brand mark, product name.
about_skin() {
  strip 600 34 "$tmp/strip600.png"
  logo "$(px 96)" "$tmp/logo96.png"
  "$IM" -size "$(px 600)x$(px 272)" xc:white "$tmp/strip600.png" -geometry +0+0 -composite \
    "$tmp/logo96.png" -geometry +"$(px 40)"+"$(px 66)" -composite \
    -font "$BOLD" -pointsize "$(len 22)" -fill '#1F2737' -annotate +"$(px 166)"+"$(px 70)" 'Imagora Menu' \
    -strokewidth "$(len 1)" \
    -stroke '#E6E9EE' -draw "line $(px 166),$(on 110) $(last 560),$(on 110)" -stroke none \
    -font "$FONT" -pointsize "$(len 10)" -fill '#8A94A6' \
    -annotate +"$(px 166)"+"$(px 132)" 'The start menu of the Imagora imaging suite.' \
    -annotate +"$(px 166)"+"$(px 150)" 'Copyright (C) Orva Corporation. All rights reserved.' \
    -fill "$PAGE" -draw "rectangle 0,$(px 222) $(last 599),$(last 271)" \
    -stroke '#E1E5EB' -draw "line 0,$(on 222) $(last 599),$(on 222)" \
    "$tmp/500.png"
  put "$tmp/500.png" 500
}

# Push buttons: normal, pressed, focus, disabled, hover.
push_buttons() { # width first_id background
  local w h id=$2 bg=$3 body outline ring
  w=$(px "$1"); h=$(px 26)
  body="roundrectangle 0,0 $(( w - 1 )),$(( h - 1 )) $(len 5),$(len 5)"
  outline="roundrectangle $(at 0.5),$(at 0.5) $(at_end "$1" 0.5),$(at_end 26 0.5) $(len 5),$(len 5)"
  ring="roundrectangle $(at 1.5),$(at 1.5) $(at_end "$1" 1.5),$(at_end 26 1.5) $(len 4),$(len 4)"
  btn() { # gradient border ring file ("none" for no focus ring)
    "$IM" -size "${w}x${h}" xc:"$bg" \( -size "${w}x${h}" gradient:"$1" \
        \( -size "${w}x${h}" xc:none -fill white -draw "$body" \) \
        -alpha off -compose CopyOpacity -composite \) -compose Over -composite \
      -fill none -stroke "$2" -strokewidth "$(len 1)" -draw "$outline" \
      -stroke "$3" -draw "$ring" "$4"
  }
  btn '#FFFFFF-#E9EDF2' '#BCC4CF' none "$tmp/b.png"; put "$tmp/b.png" "$id"
  btn "$ACCENT_DARK-#2668BC" '#225DA8' none "$tmp/b.png"; put "$tmp/b.png" $(( id + 1 ))
  btn '#FFFFFF-#E9EDF2' "$ACCENT_DARK" "$ACCENT" "$tmp/b.png"; put "$tmp/b.png" $(( id + 2 ))
  btn '#F6F7F9-#F1F3F6' '#E1E4E8' none "$tmp/b.png"; put "$tmp/b.png" $(( id + 3 ))
  btn "#5AAEF7-$ACCENT_DARK" '#2A72CC' none "$tmp/b.png"; put "$tmp/b.png" $(( id + 4 ))
}

# Clickable labels beside the check boxes: white like the card they sit on.
label_buttons() { # first_id
  local size; size="$(px 380)x$(px 20)"
  "$IM" -size "$size" xc:white "$tmp/l.png"; put "$tmp/l.png" "$1"
  "$IM" -size "$size" xc:white -fill '#EEF1F5' \
    -draw "roundrectangle 0,0 $(last 379),$(last 19) $(len 3),$(len 3)" "$tmp/l.png"
  put "$tmp/l.png" $(( $1 + 1 ))
  "$IM" -size "$size" xc:white -fill none -stroke '#A9CDF5' -strokewidth "$(len 1)" \
    -draw "roundrectangle $(at 0.5),$(at 0.5) $(at_back 380 0.5),$(at_back 20 0.5) $(len 3),$(len 3)" "$tmp/l.png"
  put "$tmp/l.png" $(( $1 + 2 ))
  "$IM" -size "$size" xc:white "$tmp/l.png"; put "$tmp/l.png" $(( $1 + 3 ))
}

# Check boxes: unchecked, checked, disabled.
check_boxes() {
  local size box
  size="$(px 16)x$(px 16)"
  box="roundrectangle $(at 0.5),$(at 0.5) $(at_end 16 0.5),$(at_end 16 0.5) $(len 3),$(len 3)"
  "$IM" -size "$size" xc:white -strokewidth "$(len 1)" -fill white -stroke '#8C96A5' -draw "$box" "$tmp/c.png"
  put "$tmp/c.png" 400
  # The mark takes a round join: ImageMagick's mitred polyline frays at the
  # end once the stroke is wider than 2 px.
  "$IM" -size "$size" xc:white -strokewidth "$(len 1)" -fill "$ACCENT_DARK" -stroke '#2668BC' -draw "$box" \
    -fill none -stroke white -strokewidth "$(len 2)" \
    -draw "stroke-linejoin round polyline $(at 3.5),$(at 8) $(at 6.5),$(at 11) $(at 12.5),$(at 4.5)" "$tmp/c.png"
  put "$tmp/c.png" 401
  "$IM" -size "$size" xc:white -strokewidth "$(len 1)" -fill '#EEF0F3' -stroke '#C9CED6' -draw "$box" "$tmp/c.png"
  put "$tmp/c.png" 402
}

: >"$tmp/scaled-art.rc"
for p in 100 125 150 200; do
  half=$(( p == 100 ? 0 : 500000 ))
  main_skin
  settings_skin
  about_skin
  push_buttons 90 320 "$PAGE"
  push_buttons 130 325 "$PAGE"
  label_buttons 330
  label_buttons 340
  check_boxes
done
mv "$tmp/scaled-art.rc" "$out/scaled-art.rc"

# Program icons: the brand mark at the usual icon sizes.
for s in 16 24 32 48 64; do logo "$s" "$tmp/icon$s.png"; done
"$IM" "$tmp"/icon16.png "$tmp"/icon24.png "$tmp"/icon32.png "$tmp"/icon48.png "$tmp"/icon64.png "$out/Lumbra.ico"
cp "$out/Lumbra.ico" "$out/Update.ico"
