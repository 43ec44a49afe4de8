#!/usr/bin/env bash
# A person's conversion whose encoder stalls (the stand-in encoder prints
# nothing for a minute): Cancel clicked with the pointer must bring the result
# page within a couple of seconds and leave no output.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
shot="${VM_ROOT:?}/build/test-logs/cancel_stalled.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"

work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT
vm_program_folder "$work/app" 0
cp "$root/build/win/helpers/fake_encoder.exe" "$work/app/ffmpeg.exe"
mkdir -p "$work/clips"
printf 'sleep 60000\nfile 5 $OUT\n' >"$work/clips/stalled.avi"
clips=$(winepath -w "$work/clips")

start_program "$work/app"
wait_for 20 "the task page" shown 1091
keys alt+n
wait_for 20 "the input page" shown 1010
keys alt+a
type_into Open "$clips"
sleep 0.5
type_into Open stalled.avi
wait_for 20 "the file in the list" has_row 1014 stalled.avi
keys alt+n
wait_for 20 "the output settings page" shown 1052
click_control 1061  # Same as source
keys alt+n
wait_for 20 "the stalled file on the converting page" bash -c "[ \"\$(wine '$wininfo' state '$caption' 1066 2>/dev/null | tr -d '\r' | cut -d' ' -f4-)\" = 1/1 ]"
import -window root "$root/build/test-logs/cancel_converting.png"

click_control 1020  # Cancel
started=$(date +%s%N)
wait_for 10 "the result page" shown 1068
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
[ "$elapsed_ms" -lt 5000 ] || fail "the result page came $elapsed_ms ms after Cancel"
[ "$(text_of 1069)" = 0 ] || fail "successful files: $(text_of 1069)"
import -window root "$shot"
close_program
left=$(ls "$work/clips")
[ "$left" = stalled.avi ] || fail "the cancelled file left an output: $left"
echo "the result page came $elapsed_ms ms after Cancel; screenshots in $root/build/test-logs"
