#!/usr/bin/env bash
# A mixed batch with the real encoder: a file that is gone by the time the run
# starts, a 0-byte file, a text file named .avi and one good clip. The three
# bad ones must be listed as failed with their reason in plain words and the
# encoder's line, and leave
# nothing behind; the good one converted. Keeps screenshots of the converting
# page mid-run (the whole-run bar and its time left) and of the result page.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
shot="${VM_ROOT:?}/build/test-logs/run_outcomes_result.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"

work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT
vm_program_folder "$work/app" 0
cp "$root/build/app/ffmpeg.exe" "$work/app/"
mkdir -p "$work/clips"
# Long enough to watch the converting page for a while.
wine "$work/app/ffmpeg.exe" -v error -y -f lavfi -i "testsrc=size=320x240:rate=25" \
  -f lavfi -i "sine=frequency=440" -t 60 -c:v mpeg4 -c:a mp2 \
  "$(winepath -w "$work/clips/good.avi")" >/dev/null 2>&1 || fail "could not make the good clip"
: >"$work/clips/empty.avi"
echo "just some text" >"$work/clips/text.avi"
echo "soon gone" >"$work/clips/missing.avi"
clips=$(winepath -w "$work/clips")

start_program "$work/app"
add_video_files "$clips" '"missing.avi" "empty.avi" "text.avi" "good.avi"' 4
keys alt+n
wait_for 20 "the output settings page" shown 1052
pick_row 1052 4  # MPEG1 Video(.mpg)
wait_for 10 "MPEG1 Video to be chosen" is_selected 1052 "MPEG1 Video(.mpg)"
click_control 1061  # Same as source
rm "$work/clips/missing.avi"
keys alt+n
wait_for 20 "the converting page" shown 1020
wait_for 120 "a time left on the converting page" bash -c "wine '$wininfo' state '$caption' 1110 2>/dev/null | grep -q ' left'"
import -window root "$root/build/test-logs/run_outcomes_converting.png"
wait_for 300 "the result page" shown 1068
[ "$(text_of 1068)" = 4 ] || fail "total files: $(text_of 1068)"
[ "$(text_of 1069)" = 1 ] || fail "successful files: $(text_of 1069)"
info items "$caption" 1111 | cut -f3 >"$work/rows.txt"
settled_shot "$shot"
close_program

python3 - "$work/rows.txt" <<'PY' || fail "the outcome list is not as expected: $(cat "$work/rows.txt")"
import re
import sys
rows = open(sys.argv[1], encoding="utf-8", errors="replace").read().splitlines()
assert len(rows) == 4, rows
# A file gone before its turn is not handed to the encoder at all.
assert rows[0] == "missing.avi - Failed: the input file is no longer there", rows[0]
# Files the encoder's report found unreadable fail before their encoder starts,
# with plain words first, then the report's line without the input's own path.
assert rows[1] == "empty.avi - Failed: the file is incomplete or damaged - Invalid data found when processing input", rows[1]
assert rows[2] == "text.avi - Failed: the file is incomplete or damaged - Invalid data found when processing input", rows[2]
assert re.fullmatch(r"good\.avi - Converted \(\d+(\.\d)? (KB|MB)\)", rows[3]), rows[3]
PY
left=$(cd "$work/clips" && ls | sort | paste -sd' ')
[ "$left" = "empty.avi good.avi good.avi.mpg text.avi" ] || fail "files left in the clips folder: $left"
echo "mixed batch: $(paste -sd'|' "$work/rows.txt"); screenshots in $root/build/test-logs"
