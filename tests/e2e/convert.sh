#!/usr/bin/env bash
# A person's whole conversion with the real encoder, by pointer and keyboard:
# three clips added through the file dialog by typing, a profile picked, the
# run, the result page, the log saved through the save dialog; then the
# outputs must read back without error and the log must have its markers and
# text-mode line ends.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
shot="${VM_ROOT:?}/build/test-logs/convert_result.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"

work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT
vm_program_folder "$work/app" 0
cp "$root/build/app/ffmpeg.exe" "$work/app/"
mkdir -p "$work/clips"
for i in 1 2 3; do
  wine "$work/app/ffmpeg.exe" -v error -y -f lavfi -i "testsrc=size=176x144:rate=25" \
    -f lavfi -i "sine=frequency=$((300 * i))" -t 2 -c:v mpeg4 -c:a mp2 \
    "$(winepath -w "$work/clips/clip $i.avi")" >/dev/null 2>&1 || fail "could not make clip $i"
done
clips=$(winepath -w "$work/clips")

start_program "$work/app"
add_video_files "$clips" '"clip 1.avi" "clip 2.avi" "clip 3.avi"' 3
names=$(info items "$caption" 1014 | cut -f3 | paste -sd'|')
[ "$names" = "clip 1.avi|clip 2.avi|clip 3.avi" ] || fail "input list: $names"
import -window root "$root/build/test-logs/input_page.png"

keys alt+n
wait_for 20 "the output settings page" shown 1052
pick_row 1052 4  # MPEG1 Video(.mpg)
wait_for 10 "MPEG1 Video to be chosen" is_selected 1052 "MPEG1 Video(.mpg)"
click_control 1061  # Same as source
keys alt+n
wait_for 20 "the converting page" shown 1020
wait_for 180 "the result page" shown 1068
[ "$(text_of 1068)" = 3 ] || fail "total files: $(text_of 1068)"
[ "$(text_of 1069)" = 3 ] || fail "successful files: $(text_of 1069)"
[ "$(text_of 1070)" = "$clips" ] || fail "output folder link: $(text_of 1070)"
import -window root "$shot"

click_control 1022  # Save log
log=$(winepath -w "$work/run log.txt")
type_into "Save As" "$log"
wait_for 20 "the saved log" test -s "$work/run log.txt"
close_program

for i in 1 2 3; do
  out="$work/clips/clip $i.avi.mpg"
  [ -s "$out" ] || fail "no output for clip $i"
  errors=$(wine "$work/app/ffmpeg.exe" -v error -i "$(winepath -w "$out")" -f null - 2>&1 | tr -d '\r')
  [ -z "$errors" ] || fail "clip $i does not read back: $errors"
done

python3 - "$work/run log.txt" <<'PY' || fail "the saved log is not as expected"
import sys
data = open(sys.argv[1], "rb").read()
assert data.startswith(b"Converting log start---------\r\n\r\n"), data[:40]
assert data.endswith(b"---------Converting log end\r\n\r\n"
                     b"Burning log start---------\r\n\r\n---------Burning log end\r\n"), data[-90:]
assert b"\n" not in data.replace(b"\r\n", b""), "a line feed without its carriage return"
assert data.count(b'ffmpeg.exe" -i "') == 3, "one command line per file"
PY
echo "converted 3 clips; screenshots in $root/build/test-logs"
