#!/usr/bin/env bash
# GIF animation through tarvoconverter against ffmpeg's usual two-command
# recipe (palettegen over the clip, then paletteuse over it), both run in
# this script on the same generated 10-second 640x480 clip scaled to
# 320x240 at 15 frames a second. Prints each figure beside its goal:
#   - the ratio of the median times (at most 1.25), each side run in a
#     session of its own (setsid -w), with the ratio of their CPU times and
#     the load average beside it,
#   - both file sizes (ours no bigger),
#   - the picture's closeness to the source (ours at least as close),
#   - tarvoconverter's peak memory, with ffmpeg's runs under it, for the
#     10-second clip and a clip four times as long (flat: within 15 %).
#   bench/gif-animation.sh [BUILD_DIR] [RUNS]
set -euo pipefail
source "$(dirname "$0")/figures.sh"
source "$(dirname "$0")/session.sh"
build=${1:-build}
runs=${2:-5}
converter="$(cd "$build/kelvara/tools" && pwd)/tarvoconverter"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_clip() { # seconds file
  ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=640x480:rate=25:duration=$1" \
    -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$1" \
    -c:v mpeg4 -q:v 3 -c:a pcm_s16le -shortest "$2"
}
make_clip 10 "$work/clip.avi"
make_clip 40 "$work/long.avi"

frames="fps=15,scale=320:240:flags=lanczos"
run_recipe() {
  ffmpeg -nostdin -v error -y -i "$work/clip.avi" -vf "$frames,palettegen" "$work/palette.png" &&
    ffmpeg -nostdin -v error -y -i "$work/clip.avi" -i "$work/palette.png" \
      -lavfi "$frames[x];[x][1:v]paletteuse" "$work/recipe.gif"
}
run_ours() {
  "$converter" -i "$work/clip.avi" -ss 00:00:00 -t 00:00:10 -s 320*240 "$work/ours.gif" >/dev/null </dev/null
}
export -f run_recipe run_ours
export work frames converter

# The machine may be shared: the two are run in turns, so that a change of
# load weighs on both alike, and the medians are compared.
run_recipe && run_ours # warm the caches
: >"$work/recipe-times" >"$work/our-times" >"$work/recipe-cpu" >"$work/our-cpu"
for ((i = 1; i <= runs; i++)); do
  read -r wall cpu < <(timed_session /dev/null bash -c run_recipe)
  echo "$wall" >>"$work/recipe-times"
  echo "$cpu" >>"$work/recipe-cpu"
  read -r wall cpu < <(timed_session /dev/null bash -c run_ours)
  echo "$wall" >>"$work/our-times"
  echo "$cpu" >>"$work/our-cpu"
done
recipe_time=$(median <"$work/recipe-times")
ours_time=$(median <"$work/our-times")
cpu_ratio=$(ratio "$(median <"$work/our-cpu")" "$(median <"$work/recipe-cpu")")
load=$(load_average)

# Mean PSNR against the source at the GIF's size and rate.
psnr() {
  ffmpeg -nostdin -hide_banner -i "$1" -i "$work/clip.avi" \
    -lavfi "[0]format=rgb24[a];[1]$frames,format=rgb24[b];[a][b]psnr" -f null - 2>&1 |
    sed -n 's/.*average:\([0-9.inf]*\).*/\1/p'
}

peak_kb() { # input seconds
  /usr/bin/time -f '%M' -o "$work/peak" "$converter" -i "$1" -t "$2" -s 320*240 "$work/peak.gif" \
    >/dev/null </dev/null
  cat "$work/peak"
}
short_peak=$(peak_kb "$work/clip.avi" 10)
long_peak=$(peak_kb "$work/long.avi" 40)

recipe_size=$(stat -c %s "$work/recipe.gif")
ours_size=$(stat -c %s "$work/ours.gif")
recipe_psnr=$(psnr "$work/recipe.gif")
ours_psnr=$(psnr "$work/ours.gif")

printf 'recipe (two ffmpeg commands): median %.3f s over %d runs\n' "$recipe_time" "$runs"
printf 'tarvoconverter:               median %.3f s over %d runs\n' "$ours_time" "$runs"
printf 'time ratio:   %.3f                 (goal: at most 1.25); CPU ratio %s; load average %s\n' \
  "$(awk -v a="$ours_time" -v b="$recipe_time" 'BEGIN { print a / b }')" "$cpu_ratio" "$load"
printf 'file size:    %d bytes, recipe %d   (goal: no bigger)\n' "$ours_size" "$recipe_size"
printf 'PSNR:         %s dB, recipe %s dB   (goal: at least as high)\n' "$ours_psnr" "$recipe_psnr"
printf 'peak memory:  %d kB for 10 s, %d kB for 40 s   (goal: flat, within 15 %%)\n' \
  "$short_peak" "$long_peak"
figure "gif: time / two-command recipe" \
  "$(awk -v a="$ours_time" -v b="$recipe_time" 'BEGIN { printf "%.3f", a / b }')" "<= 1.25" \
  "CPU ratio $cpu_ratio; load $load"
figure "gif: size / recipe's size" "$(awk -v a="$ours_size" -v b="$recipe_size" 'BEGIN { printf "%.3f", a / b }')" "<= 1"
# Identical pictures measure "inf" dB on both sides, which is as close.
if [ "$ours_psnr" = "$recipe_psnr" ]; then
  figure "gif: PSNR - recipe's PSNR (dB)" 0 ">= 0"
else
  figure "gif: PSNR - recipe's PSNR (dB)" "$(awk -v a="$ours_psnr" -v b="$recipe_psnr" 'BEGIN { printf "%.3f", a - b }')" ">= 0"
fi
figure "gif: peak memory 40 s clip / 10 s clip" \
  "$(awk -v a="$long_peak" -v b="$short_peak" 'BEGIN { printf "%.3f", a / b }')" "<= 1.15"
if cmp -s "$work/recipe.gif" "$work/ours.gif"; then
  echo 'the two GIFs are byte-identical'
fi
