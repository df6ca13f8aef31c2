#!/usr/bin/env bash
# The cost of an idle game: runs the real main loop on the SDL backend in a virtual
# X display for 200 frames (10 seconds at 20 frames a second) and reports the CPU
# time the process used as a share of one core. Goal: under 2 %.
#
#   bench/idle/idle-cpu.sh [path/to/brinefall]
set -euo pipefail
program=${1:-build/release/game/brinefall}
frames=200
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export BRINEFALL_SETTINGS_DIR=$(mktemp -d)
trap 'rm -rf "$BRINEFALL_SETTINGS_DIR"' EXIT

report=$(mktemp)
xvfb-run -a env BRINEFALL_BACKEND=sdl /usr/bin/time -f '%U %S %e' -o "$report" "$program" --windowed --frames "$frames"
read -r user system elapsed < "$report"
rm -f "$report"
awk -v u="$user" -v s="$system" -v e="$elapsed" -v f="$frames" 'BEGIN {
  cpu = u + s
  printf "frames %d  wall %.2f s  cpu %.3f s (user %.3f, system %.3f)  = %.2f %% of one core\n", f, e, cpu, u, s, 100 * cpu / e
}'
