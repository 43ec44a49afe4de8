#!/usr/bin/env bash
# In the prefix tools/start.sh runs the program in, the Chinese entry of the
# language list is drawn as glyphs, not as boxes. What a box looks like there
# is shown by a row of four unassigned code points, which no font has, put in
# the list in place of "Español": the Chinese row must look unlike it.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
# Screenshot: build/test-logs/language-cjk.png.
set -euo pipefail
shot="${VM_ROOT:?VM_ROOT is not set}/build/test-logs/language-cjk.png"
. "$VM_ROOT/tools/wine-env.sh"
vm_use_app_prefix  # as tools/start.sh does
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

vm_program_folder "$work" ask
python3 - "$work/mlg.txt" <<'PY'
import sys

path = sys.argv[1]
text = open(path, "rb").read().decode("utf-16")
if "^Espa\u00f1ol^" not in text:
    sys.exit("no Espa\u00f1ol in the language list")
text = text.replace("^Espa\u00f1ol^", "^\u0378\u0379\u0380\u0381^", 1)
open(path, "wb").write(text.encode("utf-16"))
PY
(cd "$work" && exec wine Vidmorph.exe >"$work/wine.log" 2>&1) &
vm_pid=$!
wait_for 60 "the Language dialog" window_named Language
wait_for 10 "the Chinese row" has_row_in Language 1085 "简体中文"
settled_shot "$shot"

crop_row() {  # row, file
  local l t r b
  read -r l t r b <<<"$(info row Language 1085 "$1")"
  [ -n "$b" ] || fail "row $1 of the language list is not shown"
  convert "$shot" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$2"
}
crop_row 3 "$work/boxes.png"
crop_row 4 "$work/chinese.png"
ink=$(convert "$work/chinese.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
awk -v s="$ink" 'BEGIN { exit !(s > 0.01) }' || fail "the Chinese row is empty"
differ=$(compare -metric AE "$work/boxes.png" "$work/chinese.png" null: 2>&1 || true)
[ "${differ%% *}" -gt 30 ] 2>/dev/null ||
  fail "the Chinese row looks like the row of missing glyphs ($differ pixels differ)"
echo "language_cjk: the Chinese row is drawn with glyphs ($differ pixels differ from boxes)"
