#!/usr/bin/env bash
# The cost of the real game shown in a window: runs it on the SDL backend in a virtual X
# display for 300 frames (15 seconds at 20 frames a second: the company logo, the opening
# sequence, then the title screen), drawing in software, and reports the processor time
# the game's process used as a share of one core: once with one picture a frame
# (--no-smooth, goal at most 3 %), once with smooth motion, the pictures between frames
# drawn at the display's rate (Xvfb's display, taken as 60 Hz; goal at most 5 %).
#
#   bench/idle/idle-cpu.sh [path/to/brinefall] [extra options for the game]
#
# The X server's own work is not counted: on a desktop it is the compositor's, which a
# real display does with its graphics card. The figures are processor time, not wall time,
# but other work on the machine still disturbs them a little.
set -euo pipefail
program=${1:-build/release/game/brinefall}
shift || true
frames=300
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export BRINEFALL_SETTINGS_DIR=$(mktemp -d)
report=$(mktemp)
trap 'rm -rf "$BRINEFALL_SETTINGS_DIR" "$report"' EXIT

# measure LABEL GOAL OPTIONS...: one run, one line.
measure() {
    local label=$1 goal=$2
    shift 2
    xvfb-run -a -s "-screen 0 1920x1200x24" env BRINEFALL_BACKEND=sdl /usr/bin/time -f '%U %S %e' -o "$report" \
      "$program" --windowed --software --frames "$frames" "$@"
    read -r user system elapsed < "$report"
    awk -v l="$label" -v g="$goal" -v u="$user" -v s="$system" -v e="$elapsed" -v f="$frames" 'BEGIN {
      cpu = u + s
      printf "%-14s frames %d  wall %.2f s  cpu %.3f s (user %.3f, system %.3f)  = %.2f %% of one core (goal <= %d %%)\n",
             l, f, e, cpu, u, s, 100 * cpu / e, g
    }'
}

measure "no-smooth" 3 --no-smooth "$@"
measure "smooth" 5 --smooth "$@"
