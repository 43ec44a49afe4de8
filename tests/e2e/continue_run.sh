#!/usr/bin/env bash
# A run ended from outside mid-file with the real encoder, as Task Manager
# ends a program: no encoder outlives it; at the next start the question
# comes with the half-made file already gone; Continue converts the rest and
# the result page counts the whole run, every output whole.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
shot="${VM_ROOT:?}/build/test-logs/continue_result.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"

work=$(mktemp -d)
trap 'stop_program; wine taskkill /f /im Vidmorph.exe >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
vm_program_folder "$work/app" 0
cp "$root/build/app/ffmpeg.exe" "$work/app/"
mkdir -p "$work/clips"
# Made by another encoder; the middle one long enough to be killed in.
for i in 1 2 3; do
  seconds=2
  [ $i = 2 ] && seconds=300
  ffmpeg -v error -y -f lavfi -i "testsrc=size=640x480:rate=25" -f lavfi \
    -i "sine=frequency=$((300 * i))" -t $seconds -c:v mpeg4 -c:a mp2 "$work/clips/clip $i.avi" ||
    fail "could not make clip $i"
done
clips=$(winepath -w "$work/clips")
# This folder's encoders, named by a Unix or a Windows path.
encoders() { pgrep -f "${work##*/}.app.ffmpeg\.exe" | wc -l; }

start_program "$work/app"
add_video_files "$clips" '"clip 1.avi" "clip 2.avi" "clip 3.avi"' 3
keys alt+n
wait_for 20 "the output settings page" shown 1052
click_control 1061  # Same as source
keys alt+n
# Whatever the task's first profile names it.
wait_for 120 "clip 2 under way" bash -c "ls '$work/clips' | grep -q '^clip 2\.avi\.'"
half=$(ls "$work/clips"/clip\ 2.avi.*)
wait_for 20 "clip 2 to grow" bash -c "[ \$(stat -c %s '$half') -gt 100000 ]"
[ "$(encoders)" -ge 1 ] || fail "no encoder running"
wine taskkill /f /im Vidmorph.exe >/dev/null 2>&1 || fail "taskkill could not end the program"
for _ in $(seq 40); do kill -0 "$vm_pid" 2>/dev/null || break; sleep 0.25; done
vm_pid=
for _ in $(seq 40); do [ "$(encoders)" = 0 ] && break; sleep 0.25; done
[ "$(encoders)" = 0 ] || fail "an encoder outlived the program"
[ -f "$half" ] || fail "the killed run left no half-made file to test with"

(cd "$work/app" && exec wine Vidmorph.exe >"$work/app/wine.log" 2>&1) &
vm_pid=$!
wait_for 60 "the question" window_named Vidmorph
# Gone before any encoder could start again: the run waits for the answer.
[ ! -e "$half" ] || fail "the half-made file is still there at the question"
[ "$(encoders)" = 0 ] || fail "an encoder runs before the answer"
settled_shot "$root/build/test-logs/continue_question.png"
question=$(info state Vidmorph 65535 | cut -d' ' -f4-)
case "$question" in
  "The last conversion stopped with 2 of 3 files not converted. Continue it?"*) ;;
  *) fail "the question reads: $question" ;;
esac
xdotool windowfocus "$(window_named Vidmorph)"
xdotool key --delay 100 alt+y
wait_for 20 "the wizard window" main_window
wait_for 300 "the result page" shown 1068
[ "$(text_of 1068)" = 3 ] || fail "total files: $(text_of 1068)"
[ "$(text_of 1069)" = 3 ] || fail "successful files: $(text_of 1069)"
settled_shot "$shot"
close_program
for i in 1 2 3; do
  out=$(ls "$work/clips/clip $i.avi."*)
  [ -s "$out" ] || fail "no output for clip $i"
  errors=$(ffmpeg -v error -i "$out" -f null - 2>&1)
  [ -z "$errors" ] || fail "clip $i does not read back: $errors"
done
echo "killed in clip 2, continued: 3 of 3 converted; screenshots in $root/build/test-logs"
