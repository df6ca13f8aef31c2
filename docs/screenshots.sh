#!/usr/bin/env bash
# Makes the README's two pictures again from headless runs of the game: the title screen
# (the logo and the opening skipped with Space) and stage 1 as the autopilot plays it.
#
#   docs/screenshots.sh [path/to/brinefall]
set -euo pipefail
program=${1:-build/release/game/brinefall}
docs=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BRINEFALL_SETTINGS_DIR="$work/settings"
printf '2 key press Space\n4 key press Space\n' > "$work/skip"
"$program" --headless --seed 1 --input "$work/skip" --frames 80 --dump-frames "$work/title" --dump-every 80
"$program" --headless --seed 1 --autopilot --frames 800 --dump-frames "$work/stage1" --dump-every 800
cp "$work/title/frame-000080.png" "$docs/title.png"
cp "$work/stage1/frame-000800.png" "$docs/stage1.png"
