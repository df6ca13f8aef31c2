#!/usr/bin/env bash
# The game's processor time a second in headless Chromium beside the native window's, for a
# fair comparison: Chromium's own cost (a blank page, a page asking for animation frames) is
# printed first, so that what the game adds can be read off. Run after make web.
#
#   bench/web/browser-cpu.sh [path/to/native/brinefall] [seconds per browser measurement]
#
# The browser draws and composites in software here (no GPU in headless Chromium), as the
# native window does under xvfb-run; the native figures come from bench/idle/idle-cpu.sh
# (the same stretch of the game: logo, opening, title screen).
set -euo pipefail
cd "$(dirname "$0")/../.."
native=${1:-build/release/game/brinefall}
node bench/web/browser-cpu.js build/web "${2:-10}"
echo "The native window (share of one core, i.e. s/s x 100):"
bench/idle/idle-cpu.sh "$native"
