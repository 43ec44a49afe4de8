#!/usr/bin/env bash
# Six clips converted three at a time by the real encoder, as a person runs
# them: Vidmorph.ini asks for 3 (more than this machine may have, which the
# task page's box then offers), two outputs already exist, so the questions
# come in input order while other files convert; the saved log keeps each
# file's entries together in input order. Keeps a screenshot of the files in
# flight.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
shot="${VM_ROOT:?}/build/test-logs/simultaneous_converting.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"

work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT
vm_program_folder "$work/app" 0
cp "$root/build/app/ffmpeg.exe" "$work/app/"
printf '[Vidmorph]\r\nSimultaneousConversions=3\r\n' >"$work/app/Vidmorph.ini"
mkdir -p "$work/clips"
names=
for i in 0 1 2 3 4 5; do
  # Long enough for three to be seen running at once.
  wine "$work/app/ffmpeg.exe" -v error -y -f lavfi -i "testsrc=size=320x240:rate=25" \
    -f lavfi -i "sine=frequency=440" -t 60 -c:v mpeg4 -c:a mp2 \
    "$(winepath -w "$work/clips/clip$i.avi")" >/dev/null 2>&1 || fail "could not make clip$i"
  names="$names\"clip$i.avi\" "
done
echo old3 >"$work/clips/clip3.avi.mpg"
echo old5 >"$work/clips/clip5.avi.mpg"
clips=$(winepath -w "$work/clips")

start_program "$work/app"
wait_for 20 "the task page" shown 1121
[ "$(selected 1121)" = 3 ] || fail "the box shows $(selected 1121) for the stored 3"
add_video_files "$clips" "$names" 6
keys alt+n
wait_for 20 "the output settings page" shown 1052
pick_row 1052 4  # MPEG1 Video(.mpg)
wait_for 10 "MPEG1 Video to be chosen" is_selected 1052 "MPEG1 Video(.mpg)"
click_control 1061  # Same as source
keys alt+n
# The rows are checked as the read that found three of them saw them.
wait_for 60 "three files in flight" bash -c "wine '$wininfo' items '$caption' 1114 2>/dev/null | tr -d '\r' | cut -f3 >'$work/in-flight.txt'; [ \$(wc -l <'$work/in-flight.txt') = 3 ]"
import -window root "$shot"

# Each question in turn: Yes for clip3, then No for clip5.
answer() {  # file, button id
  wait_for 120 "the question on $1" info rect Vidmorph "$2"
  import -window root "$root/build/test-logs/simultaneous_question_$1.png"
  info state Vidmorph 65535 | cut -d' ' -f4- >>"$work/asked.txt"
  click_at $(info rect Vidmorph "$2")
  # The next question may come at once in a box alike but for its text.
  wait_for 20 "the question on $1 to be answered" bash -c "! wine '$wininfo' state Vidmorph 65535 2>/dev/null | grep -q '$1\.avi'"
}
answer clip3 6  # Yes
answer clip5 7  # No
wait_for 300 "the result page" shown 1068
[ "$(text_of 1068)" = 6 ] || fail "total files: $(text_of 1068)"
[ "$(text_of 1069)" = 5 ] || fail "successful files: $(text_of 1069)"
[ "$(cat "$work/clips/clip5.avi.mpg")" = old5 ] || fail "clip5's output answered No was replaced"
echo old3 | cmp -s - "$work/clips/clip3.avi.mpg" && fail "clip3's output answered Yes was kept"

click_control 1022  # Save Log
type_into "Save As" "$(winepath -w "$work/saved.txt")"
wait_for 20 "the saved log" test -s "$work/saved.txt"
close_program

python3 - "$work/saved.txt" "$work/in-flight.txt" "$work/asked.txt" <<'PY' || fail "the log or the files in flight are not as expected"
import re
import sys
log = open(sys.argv[1], "rb").read().decode("latin-1")
entries = re.split(r"\r\n(?=\d\d:\d\d:\d\d )", log)
commands = [i for i, e in enumerate(entries) if re.match(r'\d\d:\d\d:\d\d "', e)]
owners = [re.search(r"clip(\d)\.avi\.mpg", entries[i]).group(1) for i in commands]
assert owners == list("012345"), owners
# Every converted file ends its own group with the encoder's summary, which a
# file of another group never shows; the skipped clip5 logs its command line only.
for n, start in enumerate(commands):
    end = commands[n + 1] if n + 1 < len(commands) else len(entries)
    group = entries[start + 1:end]
    summaries = sum(1 for e in group if re.search(r"video:\s*\d+k?i?B audio:", e))
    expected = 0 if n == 5 else 1
    assert summaries == expected, (n, summaries, group)
rows = open(sys.argv[2], encoding="utf-8").read().split("\n")
assert [re.search(r"clip\d\.avi", r).group(0) for r in rows if r] == ["clip0.avi", "clip1.avi", "clip2.avi"], rows
assert all(re.match(r"\d+%  clip", r) for r in rows if r), rows
asked = [re.search(r"clip\d", q).group(0) for q in open(sys.argv[3], encoding="utf-8").read().splitlines()]
assert asked == ["clip3", "clip5"], asked
PY
echo "six clips three at once: questions in turn on $(grep -o 'clip[0-9]' "$work/asked.txt" | paste -sd' '), in flight $(paste -sd'|' "$work/in-flight.txt"); screenshots in $root/build/test-logs"
