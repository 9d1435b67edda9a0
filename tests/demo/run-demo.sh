#!/usr/bin/env bash
# Runs scripts/demo headless the way a user does (sample clips, overlay text, screenshots),
# inside the test run's Wine prefix and Xvfb, and checks what a person would see: the player's
# window with its controls and status line, the clips loaded and playing, the position moving,
# and layer 0's moving picture in the video rectangle. Then a missing file
# on the command line must leave the player running with a message in its status line.
# Usage: run-demo.sh <source root> <work folder>
set -u
root=$1 work=$2
rm -rf "$work" && mkdir -p "$work"
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
has() { grep -qxF "$1" "$work/$2" || fail "$2 lacks the line: $1"; }

# rect <log> <kind>: "x y w h" of a placement line of the player's log.
rect() { sed -n "s/^$2: //p" "$work/$1" | tail -1; }
# stat <png> <w:h:x:y> <key>: one figure of ffmpeg's signalstats over a crop of the picture.
stat() {
  ffmpeg -hide_banner -loglevel error -i "$1" -vf "crop=$2,signalstats,metadata=print:file=-" -f null - 2>/dev/null |
    sed -n "s/^lavfi.signalstats.$3=//p" | head -1
}
# crop <screen rect> relative to the window's rect: "w:h:x:y" for ffmpeg.
crop_of() {
  local wx wy ww wh x y w h
  read -r wx wy ww wh <<<"$1"
  read -r x y w h <<<"$2"
  echo "$w:$h:$((x - wx)):$((y - wy))"
}

# change_in <w:h:x:y>: "black" when nothing is drawn there in the first shot, else "moving" or
# "still" by the mean difference to the shot a second later.
change_in() {
  local brightest change
  brightest=$(stat "$work/shot.png" "$1" YMAX)
  awk -v v="$brightest" 'BEGIN { exit !(v > 40) }' || { echo black; return; }
  change=$(ffmpeg -hide_banner -loglevel error -i "$work/shot.png" -i "$work/later.png" -filter_complex \
    "[0]crop=$1[a];[1]crop=$1[b];[a][b]blend=all_mode=difference,signalstats,metadata=print:file=-" \
    -f null - 2>/dev/null | sed -n 's/^lavfi.signalstats.YAVG=//p' | head -1)
  if awk -v v="$change" 'BEGIN { exit !(v > 0.5) }'; then echo moving; else echo still; fi
}

# like_clip <clip> <w:h:x:y of the shot> <w:h the picture fills> <x of the crop in it>: the mean
# luma difference between that part of the shot and the clip's first frame laid out the same.
like_clip() {
  ffmpeg -hide_banner -loglevel error -i "$work/shot.png" -i "$1" -filter_complex \
    "[0]crop=$2,format=yuv444p[a];[1]scale=$3,crop=${2%%:*}:${3#*:}:$4:0,format=yuv444p[b];[a][b]blend=all_mode=difference,signalstats,metadata=print:file=-" \
    -frames:v 1 -f null - 2>/dev/null | sed -n 's/^lavfi.signalstats.YAVG=//p' | head -1
}

"$root/scripts/demo" --no-build --seconds 8 --screenshot "$work/shot.png" --compare-shot "$work/later.png" \
  --log "$work/demo.log" >"$work/demo.out" 2>&1
rc=$?
sed 's/^/demo: /' "$work/demo.out"
[ "$rc" -eq 0 ] || fail "scripts/demo exited $rc"
has "status: Loaded pattern-tone.avi into layer 0" demo.log
has "status: Loaded life.avi into layer 1" demo.log
has "status: Overlay text: Corvane demo" demo.log
grep -q "^status: Playing" "$work/demo.log" || fail "the player never said Playing"
has "exit: closing" demo.log
# The position moves: several distinct positions, each later one further on (the clips loop
# after 10 s, the run lasts 8 s).
positions=$(sed -n 's/^position: \([0-9.]*\) .*/\1/p' "$work/demo.log" | sort -u | wc -l)
[ "$positions" -ge 4 ] || fail "only $positions distinct positions logged"
sed -n 's/^position: \([0-9.]*\) .*/\1/p' "$work/demo.log" | awk 'NR > 1 && $1 < last { bad = 1 } { last = $1 } END { exit bad }' \
  || fail "the position went backwards"

window=$(rect demo.log window)
video=$(rect demo.log video)
statusline=$(rect demo.log statusline)
if [ ! -s "$work/shot.png" ] || [ ! -s "$work/later.png" ] || [ -z "$window" ]; then
  fail "no screenshots or no window placement"
else
  read -r _ _ ww wh <<<"$window"
  size=$(ffprobe -v error -select_streams v:0 -show_entries stream=width,height -of csv=p=0:s=x "$work/shot.png")
  [ "$size" = "${ww}x${wh}" ] || fail "screenshot is $size, the window ${ww}x${wh}"
  # The player: its light control panel below the video, and text in the status line.
  read -r vx vy vw vh <<<"$video"
  read -r wx wy _ _ <<<"$window"
  panel="$vw:60:$((vx - wx)):$((vy - wy + vh + 10))"
  panel_light=$(stat "$work/shot.png" "$panel" YAVG)
  awk -v v="$panel_light" 'BEGIN { exit !(v > 150) }' || fail "the control panel is not drawn (mean luma $panel_light)"
  status_dark=$(stat "$work/shot.png" "$(crop_of "$window" "$statusline")" YMIN)
  awk -v v="$status_dark" 'BEGIN { exit !(v < 80) }' || fail "the status line shows no text (darkest luma $status_dark)"
  # The platform may give a video stream a renderer window of its own, over the player: the
  # video rectangle is judged right of such windows, and each must show moving video itself.
  left=$vx
  while read -r rx ry rw rh; do
    [ -n "$rx" ] || continue
    [ "$(change_in "$rw:$rh:$((rx - wx)):$((ry - wy))")" = moving ] || fail "renderer window at $rx,$ry shows no moving video"
    [ "$rx" -lt $((vx + vw)) ] && [ $((rx + rw)) -gt "$left" ] && [ "$ry" -lt $((vy + vh)) ] && left=$((rx + rw))
  done < <(sed -n 's/^renderer window: //p' "$work/demo.log")
  video_crop="$((vx + vw - left)):$vh:$((left - wx)):$((vy - wy))"
  # The control's own picture moves between the shots, and it is layer 0's clip (the test
  # pattern, filling the rectangle), not layer 1's: under Wine the mixer takes one stream.
  case $(change_in "$video_crop") in
    moving) echo "the video rectangle shows moving video" ;;
    still) fail "the video rectangle shows a picture that does not move" ;;
    black) fail "the video rectangle is black (the control's child video window shows no picture)" ;;
  esac
  # The sample clips, where scripts/demo made them.
  media=$(source "$root/scripts/build-env"; source "$root/scripts/wine-env"; build_dir "$(wine_test_arch)")/demo-media
  own=$(like_clip "$media/pattern-tone.avi" "$video_crop" "$vw:$vh" "$((left - vx))")
  other=$(like_clip "$media/life.avi" "$video_crop" "$vw:$vh" "$((left - vx))")
  echo "mean difference of the video rectangle to layer 0's first frame: $own, to layer 1's: $other"
  awk -v a="$own" -v b="$other" 'BEGIN { exit !(a < 20 && a * 2 < b) }' \
    || fail "the video rectangle does not show layer 0's picture ($own against layer 1's $other)"
fi

# A missing file: the player keeps running to its end and says so in its status line.
"$root/scripts/demo" --no-build --seconds 3 --log "$work/missing.log" "$work/no-such-clip.avi" >"$work/missing.out" 2>&1
rc=$?
[ "$rc" -eq 0 ] || fail "the player with a missing file exited $rc"
has "status: Cannot open Z:${work//\//\\}\\no-such-clip.avi: the file does not exist" missing.log
has "exit: closing" missing.log

echo "DONE fails=$fails"
[ "$fails" -eq 0 ]
