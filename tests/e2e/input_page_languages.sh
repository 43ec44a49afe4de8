#!/usr/bin/env bash
# The input page in each of the five languages: Add Folder and its Cancel
# read the pack's texts. One screenshot per language, for a person to check
# that nothing is cut: build/test-logs/input-page-<index>.png.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
. "$VM_ROOT/tools/wine-env.sh"
vm_use_app_prefix
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"
[ -f "$wininfo" ] || fail "no helper at $wininfo"

work=$(mktemp -d)
cleanup() {
  stop_program
  wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

texts=("Add &Folder..." "&Ordner hinzufügen..." "Ajouter un d&ossier..." "Añadir &carpeta..."
  "添加文件夹(&F)...")
for index in 0 1 2 3 4; do
  shot="$VM_ROOT/build/test-logs/input-page-$index.png"
  vm_program_folder "$work/$index" "$index"
  start_program "$work/$index"
  click_control 1003
  wait_for 20 "the input page" shown 1015
  [ "$(text_of 1015)" = "${texts[$index]}" ] ||
    fail "language $index: Add Folder reads \"$(text_of 1015)\""
  ! shown 1017 || fail "language $index: Cancel shows without a search"
  settled_shot "$shot"
  close_program
done
echo "input_page_languages: five languages, screenshots in build/test-logs/input-page-*.png"
