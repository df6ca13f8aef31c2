#!/bin/sh
# A journal recorded from a scripted headless run of the whole game plays back twice: every
# check line is verified, and the frames at every 100th frame are the same in the recording
# and in both playbacks. A journal with one check line changed stops at that frame with one
# line on standard error and exit status 3; a damaged line is named before the game starts.
# Pads plugged in and pulled out during a run are journalled too and play back the same.
#
# journal_replay_e2e.sh BRINEFALL
set -u
game=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export BRINEFALL_BACKEND=headless
fail() { echo "FAILED: $*"; exit 1; }

# From the title screen into a game: up while firing, then down, then forward.
cat > "$work/play.txt" <<'SCRIPT'
2 key press Space
4 key press Space
10 mouse to 400 380
12 key press Enter
80 key down Up
80 key down LCtrl
120 key up Up
150 key down Down
200 key up Down
210 key down Right
260 key up Right
270 mouse move -30 12
280 key down Left
330 key up Left
390 key up LCtrl
SCRIPT

"$game" --headless --seed 11 --frames 400 --input "$work/play.txt" --record "$work/journal.txt" \
    --dump-frames "$work/recorded" --dump-every 100 || fail "the recording run"
checks=$(grep -c '^[0-9]* check [0-9a-f]\{16\}$' "$work/journal.txt")
[ "$checks" -eq 4 ] || fail "the journal has $checks check lines, not 4"
grep -q '^seed 11$' "$work/journal.txt" || fail "the journal does not carry the seed"

# --input alone: the journal brings its seed and its length.
for run in 1 2; do
    "$game" --headless --input "$work/journal.txt" --dump-frames "$work/played$run" --dump-every 100 \
        2> "$work/played$run.err" || fail "playback $run: $(cat "$work/played$run.err")"
    [ ! -s "$work/played$run.err" ] || fail "playback $run said: $(cat "$work/played$run.err")"
done
for frame in 000100 000200 000300 000400; do
    for run in 1 2; do
        cmp -s "$work/recorded/frame-$frame.png" "$work/played$run/frame-$frame.png" ||
            fail "frame $frame of playback $run differs from the recording"
    done
done
[ ! -e "$work/played1/frame-000500.png" ] || fail "the playback ran past the end of the journal"

# One check changed: the playback stops at its frame, exit status 3, one line.
original=$(sed -n 's/^300 check //p' "$work/journal.txt")
tampered=$(echo "$original" | tr '0-9a-f' '1-9a-f0')
sed "s/^300 check .*/300 check $tampered/" "$work/journal.txt" > "$work/tampered.txt"
"$game" --headless --input "$work/tampered.txt" --dump-frames "$work/tampered" --dump-every 100 2> "$work/tampered.err"
status=$?
[ "$status" -eq 3 ] || fail "a tampered check gave exit status $status, not 3"
[ "$(wc -l < "$work/tampered.err")" -eq 1 ] || fail "not one line: $(cat "$work/tampered.err")"
expected="brinefall: the journal $work/tampered.txt is out of step at frame 300: expected checksum $tampered, found $original"
[ "$(cat "$work/tampered.err")" = "$expected" ] || fail "the message was: $(cat "$work/tampered.err")"
[ ! -e "$work/tampered/frame-000400.png" ] || fail "the playback went on after the mismatch"

# A damaged line: the existing line-numbered error, before anything starts.
sed 's/^12 key down RETURN$/12 key dwn RETURN/' "$work/journal.txt" > "$work/damaged.txt"
line=$(grep -n '^12 key dwn' "$work/damaged.txt" | cut -d: -f1)
"$game" --headless --input "$work/damaged.txt" 2> "$work/damaged.err"
status=$?
[ "$status" -eq 1 ] || fail "a damaged journal gave exit status $status, not 1"
grep -q "the input script $work/damaged.txt, line $line: " "$work/damaged.err" ||
    fail "the damaged line was not named: $(cat "$work/damaged.err")"

# Joystick play with pads plugged in and pulled out: a pad plugged in at the title is chosen in
# the options panel and starts the game; it is pulled out mid-flight and another one plugged in
# takes over. The journal writes the plugging down and plays back to the same frames.
cat > "$work/pads.txt" <<'SCRIPT'
2 key press Space
4 key press Space
6 joystick plug force-feedback Test Pad
10 mouse to 400 480
12 mouse click left
16 mouse to 288 216
18 mouse click left
22 mouse to 400 490
24 mouse click left
28 mouse to 400 380
30 joystick 0 press 0
120 joystick 0 move 0 -1000
120 joystick 0 down 0
150 joystick 0 move 1000 0
170 joystick 0 unplug
220 joystick plug Spare Pad
230 joystick 1 move 0 1000
230 joystick 1 down 0
270 joystick 1 move 0 0
SCRIPT
"$game" --headless --seed 5 --frames 300 --input "$work/pads.txt" --record "$work/pads-journal.txt" \
    --dump-frames "$work/pads-recorded" --dump-every 100 || fail "the recording run with pads"
grep -q '^6 joystick plug force-feedback Test Pad$' "$work/pads-journal.txt" || fail "the first plug is not journalled"
grep -q '^170 joystick 0 unplug$' "$work/pads-journal.txt" || fail "the unplug is not journalled"
grep -q '^220 joystick plug Spare Pad$' "$work/pads-journal.txt" || fail "the second plug is not journalled"
"$game" --headless --input "$work/pads-journal.txt" --dump-frames "$work/pads-played" --dump-every 100 \
    2> "$work/pads-played.err" || fail "the playback with pads: $(cat "$work/pads-played.err")"
for frame in 000100 000200 000300; do
    cmp -s "$work/pads-recorded/frame-$frame.png" "$work/pads-played/frame-$frame.png" ||
        fail "frame $frame of the playback with pads differs from the recording"
done

echo "journal replay: 4 checks verified twice, frames identical, tampered check and damaged line caught;" \
    "pads plugged in and pulled out journalled and played back"
