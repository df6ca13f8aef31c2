#!/usr/bin/env bash
# How well the autopilot plays without the codes: for each seed, the ships it loses in each
# stage of its first game, the continues it needs to reach the ending and the frames it
# takes; then the totals and the two goals (stage 1 cleared without a loss, the ending with
# at most 2 continues, each on at least 8 of seeds 1 to 10).
#
#   bench/autopilot/autopilot-measure.sh [-n SEEDS] [-f FRAMES] [-j JOBS] [path/to/brinefall]
#
# Seeds 1 to SEEDS (default 10), each run headless for FRAMES frames (default 40000); JOBS
# runs at a time (default 2). A game that has not reached its ending by then counts as not
# reaching it.
set -euo pipefail
seeds=10 frames=40000 jobs=2
while getopts "n:f:j:" option; do
  case $option in
    n) seeds=$OPTARG ;;
    f) frames=$OPTARG ;;
    j) jobs=$OPTARG ;;
    *) echo "usage: $0 [-n SEEDS] [-f FRAMES] [-j JOBS] [path/to/brinefall]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
program=${1:-build/release/game/brinefall}
[ -x "$program" ] || { echo "no program at $program: build it first (cmake --build --preset release)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each run keeps its settings to itself, so nothing of the player's is read or written.
play() {
  mkdir -p "$work/settings$1"
  BRINEFALL_SETTINGS_DIR="$work/settings$1" "$3" --headless --seed "$1" --autopilot --milestones \
    --frames "$2" >"$work/story$1"
}
export -f play
export work
seq 1 "$seeds" | xargs -P "$jobs" -I{} bash -c 'play {} "$0" "$1"' "$frames" "$program"

for seed in $(seq 1 "$seeds"); do
  grep -q ': end status 0$' "$work/story$seed" || { echo "seed $seed: the program failed" >&2; exit 1; }
done
for seed in $(seq 1 "$seeds"); do
  echo "seed $seed"
  cat "$work/story$seed"
done | awk -v seeds="$seeds" '
  # Only the first game counts: everything up to its ending.
  $1 == "seed" { seed = $2; ended[seed] = 0; lost1[seed] = lost2[seed] = continues[seed] = 0; next }
  ended[seed] { next }
  $3 == "game-over" { if ($4 == 1) lost1[seed]++; else lost2[seed]++ }
  $3 == "continue" { continues[seed]++ }
  $3 == "scene" && $4 == "ending" { ended[seed] = 1; at[seed] = $2 + 0 }
  END {
    printf "%-6s %-14s %-14s %-10s %s\n", "seed", "lost stage 1", "lost stage 2", "continues", "frames to the ending"
    for (s = 1; s <= seeds; s++) {
      printf "%-6d %-14d %-14d %-10d %s\n", s, lost1[s], lost2[s], continues[s], ended[s] ? at[s] : "not reached"
      total1 += lost1[s]; total2 += lost2[s]
      if (lost1[s] == 0) clean++
      if (ended[s] && continues[s] <= 2) { finished++; frames += at[s] }
    }
    printf "total: %d ships lost in stage 1, %d in stage 2\n", total1, total2
    printf "stage 1 without a loss on %d of %d seeds (goal: 8 of 10)\n", clean, seeds
    printf "the ending with at most 2 continues on %d of %d seeds (goal: 8 of 10)", finished, seeds
    if (finished) printf ", %.0f frames on average", frames / finished
    printf "\n"
  }'
