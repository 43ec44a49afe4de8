#!/usr/bin/env bash
# Screenshots of the program under the skin: the language dialog, the task
# and input pages, and the message box shown for an empty input list (closed
# through its skinned close button with the real pointer). Written to
# build/test-logs/skin/ for looking at.
set -euo pipefail
export VM_ROOT=${VM_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
. "$VM_ROOT/tools/wine-env.sh"
export WINEPREFIX=${SKIN_WINEPREFIX:-$WINEPREFIX}
vm_display_works || vm_start_xvfb
vm_init_prefix
out="$VM_ROOT/build/test-logs/skin"
shot="$out/skin.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"
mkdir -p "$out"

work=$(mktemp -d)
trap 'stop_program; rm -rf "$work"' EXIT
box_gone() { [ -z "$(window_named Vidmorph)" ]; }

vm_program_folder "$work" ask
(cd "$work" && exec wine Vidmorph.exe >"$work/wine.log" 2>&1) &
vm_pid=$!
wait_for 60 "the Language dialog" window_named Language
settled_shot "$out/1-language.png"
click_at $(info rect Language 1)  # OK
wait_for 60 "the wizard window" main_window
wait_for 20 "the task page" shown 1091
settled_shot "$out/2-task-page.png"
click_control 1003  # Next
wait_for 20 "the input page" shown 1010
settled_shot "$out/3-input-page.png"
click_control 1003  # Next with no input: message box
wait_for 20 "the message box" window_named Vidmorph
settled_shot "$out/4-message-box.png"
close_box=$(wine "$wininfo" close Vidmorph 2>/dev/null | tr -d '\r')
[ -n "$close_box" ] || fail "the message box tells of no close button"
click_at $close_box
wait_for 20 "the message box to close through its close button" box_gone
settled_shot "$out/5-after-close.png"
close_program
echo "skin.sh: screenshots in $out"
