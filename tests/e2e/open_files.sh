#!/usr/bin/env bash
# Files handed to the window on its command line, as Explorer's "Open with"
# does: started with a folder and two files, the window opens on the input
# page with all of them; started again with one more file while it runs, the
# second start hands it over and ends, and the one window holds every file.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
shot="${VM_ROOT:?}/build/test-logs/open_files.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"

work=$(mktemp -d)
second=
trap 'stop_program; [ -z "$second" ] || kill "$second" 2>/dev/null || true; rm -rf "$work"' EXIT
vm_program_folder "$work/app" 0
mkdir -p "$work/clips/Trip/Day 1" "$work/loose"
for f in "clips/Trip/a.avi" "clips/Trip/Day 1/b.avi" "loose/one.avi" "loose/two.avi" "loose/three.avi"; do
  echo "not a real clip" >"$work/$f"
done
echo "notes" >"$work/clips/Trip/notes.txt"
names_in_list() { info items "$caption" 1014 | cut -f3 | sort | tr '\n' ' '; }
has_names() { [ "$(names_in_list)" = "$1" ]; }

(cd "$work/app" && exec wine Vidmorph.exe "$(winepath -w "$work/clips/Trip")" \
  "$(winepath -w "$work/loose/one.avi")" "$(winepath -w "$work/loose/two.avi")" \
  >"$work/app/wine.log" 2>&1) &
vm_pid=$!
wait_for 60 "the wizard window" main_window
wait_for 30 "the input page" shown 1014
wait_for 30 "the folder's two files and the two files" has_names "a.avi b.avi one.avi two.avi "

# A second start with one more file, from another folder as Explorer starts it.
(cd "$work/loose" && exec wine "$work/app/Vidmorph.exe" "three.avi" >"$work/second.log" 2>&1) &
second=$!
for _ in $(seq 240); do
  kill -0 "$second" 2>/dev/null || break
  sleep 0.25
done
kill -0 "$second" 2>/dev/null && fail "the second start did not end"
code=0
wait "$second" || code=$?
second=
[ "$code" = 0 ] || fail "the second start exited with $code"
wait_for 30 "the handed file in the list" has_names "a.avi b.avi one.avi three.avi two.avi "
[ "$(xdotool search --onlyvisible --name "^$caption\$" | wc -l)" = 1 ] || fail "more than one window"
kill -0 "$vm_pid" 2>/dev/null || fail "the first window ended"
settled_shot "$shot"
close_program
echo "open_files: ok"
