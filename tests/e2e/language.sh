#!/usr/bin/env bash
# End to end, with the real pointer and keyboard: the language asked for at the
# first start, then switched from the main window, changes the texts on screen.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
# Screenshots: build/test-logs/language-de.png (before), language.png (after).
set -euo pipefail
shot="${VM_ROOT:?VM_ROOT is not set}/build/test-logs/language.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"
before="$root/build/test-logs/language-de.png"
[ -f "$wininfo" ] || fail "no helper at $wininfo"

work=$(mktemp -d)
cleanup() {
  stop_program
  rm -rf "$work"
}
trap cleanup EXIT

expect_text() {
  local got
  got=$(text_of "$1")
  [ "$got" = "$2" ] || fail "control $1 reads \"$got\", expected \"$2\""
}
language_dialog_gone() { [ -z "$(window_named Language)" ]; }
stored_language_is() { [ "$(vm_stored_language "$work")" = "$1" ]; }

vm_program_folder "$work" ask
(cd "$work" && exec wine Vidmorph.exe >"$work/wine.log" 2>&1) &
vm_pid=$!

echo "first start: the Language dialog comes before the wizard"
wait_for 60 "the Language dialog" window_named Language
rows=$(info items Language 1085)
[ "$(echo "$rows" | wc -l)" = 6 ] || fail "expected 6 rows, got: $rows"
if echo "$rows" | grep -q '^\*'; then fail "a row is selected without a stored language"; fi
[ -z "$(main_window)" ] || fail "the wizard is shown before a language was chosen"

# "Deutsch" with the pointer, confirmed with Enter.
click_at $(info row Language 1085 1)
wait_for 10 "Deutsch to be selected" is_selected_in Language 1085 Deutsch
xdotool key Return
wait_for 20 "the Language dialog to close" language_dialog_gone
wait_for 60 "the wizard window" main_window
wait_for 10 "curlg=1" stored_language_is 1
expect_text 1006 "&Sprache"
expect_text 1003 "&Weiter >"
settled_shot "$before"

echo "switch from the main window: pointer on the button, keys in the dialog"
click_control 1006
wait_for 20 "the Language dialog" window_named Language
is_selected_in Language 1085 Deutsch || fail "the stored language is not preselected"
wait_for 10 "the language list to take the keyboard" info focus Language 1085
xdotool key Down Down Return
wait_for 20 "the Language dialog to close" language_dialog_gone
wait_for 10 "curlg=3" stored_language_is 3
expect_text 1006 "&Idioma"
expect_text 1003 "&Siguiente >"
expect_text 1005 "&Cerrar"
settled_shot "$shot"

# The button looks different on screen, not only in its control.
read -r l t r b <<<"$(info rect "$caption" 1006)"
crop="$((r - l))x$((b - t))+$l+$t"
convert "$before" -crop "$crop" +repage "$work/before.png"
convert "$shot" -crop "$crop" +repage "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 20 ] 2>/dev/null || fail "the language button looks the same ($changed pixels differ)"

echo "close with the pointer"
close_program
echo "language: ok"
