#!/usr/bin/env bash
# The task page and the input page in each of the five languages. On the
# task page the "Simultaneous conversions" label and Automatic read the
# pack's texts, and Automatic picked with the pointer is what "Vidmorph.ini"
# keeps; on the input page Add Folder and its Cancel read the pack's texts.
# Screenshots for a person to check that nothing is cut, per language index:
# build/test-logs/task-page-<index>.png (and -list.png with the box's list
# open) and build/test-logs/input-page-<index>.png.
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

labels=("Simultaneous conversions:" "Gleichzeitige Umwandlungen:" "Conversions simultanées :"
  "Conversiones simultáneas:" "同时转换的文件数：")
automatic=("Automatic" "Automatisch" "Automatique" "Automático" "自动")
texts=("Add &Folder..." "&Ordner hinzufügen..." "Ajouter un d&ossier..." "Añadir &carpeta..."
  "添加文件夹(&F)...")
box=1121
for index in 0 1 2 3 4; do
  vm_program_folder "$work/$index" "$index"
  start_program "$work/$index"

  shot="$VM_ROOT/build/test-logs/task-page-$index.png"
  wait_for 20 "the task page" shown $box
  [ "$(text_of 1120)" = "${labels[$index]}" ] ||
    fail "language $index: the label reads \"$(text_of 1120)\""
  last=$(($(rows $box) - 1))
  [ "$(info items "$caption" $box | tail -n1 | cut -f3)" = "${automatic[$index]}" ] ||
    fail "language $index: the last row reads \"$(info items "$caption" $box | tail -n1)\""
  [ "$(selected $box)" = 1 ] || fail "language $index: a new start shows \"$(selected $box)\""
  settled_shot "$shot"
  click_control $box
  wait_for 10 "the list of box $box to drop down" info row "$caption" $box $last
  settled_shot "${shot%.png}-list.png"
  click_at $(info row "$caption" $box $last)
  wait_for 10 "Automatic to be chosen" is_selected $box "${automatic[$index]}"

  shot="$VM_ROOT/build/test-logs/input-page-$index.png"
  click_control 1003
  wait_for 20 "the input page" shown 1015
  [ "$(text_of 1015)" = "${texts[$index]}" ] ||
    fail "language $index: Add Folder reads \"$(text_of 1015)\""
  ! shown 1017 || fail "language $index: Cancel shows without a search"
  settled_shot "$shot"
  close_program
  grep -qx $'SimultaneousConversions=auto\r' "$work/$index/Vidmorph.ini" ||
    fail "language $index: Vidmorph.ini holds $(tr '\r\n' '  ' <"$work/$index/Vidmorph.ini")"
done
echo "first_pages_languages: five languages, screenshots in build/test-logs/{task,input}-page-*.png"
