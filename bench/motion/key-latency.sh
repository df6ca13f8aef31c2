#!/usr/bin/env bash
# How soon the ship's reaction to a key is seen, with and without smooth motion, on a
# virtual 60 Hz display: the game runs twice headless from the same seed, once pressing Up
# just before frame KEY_FRAME reads its input and once not; the first picture in which the
# two runs differ is the first to show the reaction. Its time is counted from the start of
# the frame that read the key. Goal: with smooth motion at most one display refresh
# (16.7 ms at 60 Hz) later than without.
#
#   bench/motion/key-latency.sh [path/to/brinefall] [display rate]
set -euo pipefail
program=${1:-build/release/game/brinefall}
rate=${2:-60}
key_frame=80
frames=$((key_frame + 3))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%d key down UP\n' "$key_frame" > "$work/up.txt"
printf '# nothing pressed\n' > "$work/none.txt"

# Prints "PICTURE MS": the first picture that differs and its time after the key's frame began.
first_reaction() {
    local options=$1
    for script in up none; do
        BRINEFALL_SETTINGS_DIR="$work/settings-$script" "$program" --headless --seed 4 --start stage1 \
            --frames "$frames" --input "$work/$script.txt" --display-rate "$rate" $options \
            --dump-frames "$work/$script" > /dev/null
    done
    # Pictures in the order they were shown: a frame's own, then the ones after it.
    (cd "$work/up" && ls) | sed 's/\.png$//' | awk -F- '{ print $2 " " ($3 == "" ? 0 : $3) " " $0 }' | sort -n -k1,1 -k2,2 |
        while read -r frame between name; do
            if ! cmp -s "$work/up/$name.png" "$work/none/$name.png"; then
                # Picture k of a frame is due at ceil(k * 1000 / rate) ms into it.
                echo "$name $(( (10#$frame - key_frame) * 50 + (between * 1000 + rate - 1) / rate ))"
                break
            fi
        done
    rm -rf "$work/up" "$work/none"
}

read -r plain plain_ms < <(first_reaction --no-smooth)
read -r smooth smooth_ms < <(first_reaction --smooth)
refresh=$(awk -v r="$rate" 'BEGIN { printf "%.1f", 1000 / r }')
echo "key read at the start of frame $key_frame, display $rate Hz (one refresh $refresh ms)"
echo "without smooth motion: first picture showing the reaction $plain, $plain_ms ms after"
echo "with smooth motion:    first picture showing the reaction $smooth, $smooth_ms ms after"
awk -v a="$plain_ms" -v b="$smooth_ms" -v r="$refresh" 'BEGIN {
  printf "smooth motion shows it %d ms later (goal <= one refresh, %s ms)\n", b - a, r }'
