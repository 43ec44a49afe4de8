#!/usr/bin/env bash
# The program under the skin at 100, 150 and 200 % (the prefix's LogPixels
# at 96, 144 and 192): a screenshot of the task page at each, kept in
# build/test-logs/skin-dpi/, and the skinned radio glyph measured on it: it
# must grow with the DPI (13, 20 and 26 pixels).
set -euo pipefail
export VM_ROOT=${VM_ROOT:-$(cd "$(dirname "$0")/../.." && pwd)}
. "$VM_ROOT/tools/wine-env.sh"
vm_display_works || vm_start_xvfb
vm_init_prefix
# A prefix of its own, copied from the tests' once, so that its DPI never
# reaches the other tests.
dpi_prefix="$VM_ROOT/build/wineprefix-dpi"
if [ ! -f "$dpi_prefix/.vidmorph-ready" ]; then
  rm -rf "$dpi_prefix"
  cp -a "$WINEPREFIX" "$dpi_prefix"
fi
export WINEPREFIX="$dpi_prefix"
out="$VM_ROOT/build/test-logs/skin-dpi"
shot="$out/skin-dpi.png"
. "$VM_ROOT/tests/e2e/driver.bash"
. "$VM_ROOT/tests/e2e/program_folder.bash"
mkdir -p "$out"

work=$(mktemp -d)
trap 'stop_program; wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT
vm_program_folder "$work"

set_dpi() {
  wineserver -k 2>/dev/null || true
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}

# The size of the glyph left of a radio button's text in a screenshot: the
# button's left square, less the text's start, trimmed of the background.
glyph_size() {  # screenshot, left top right bottom, largest glyph expected
  local png=$1 l=$2 t=$3 b=$5 most=$6
  convert "$png" -crop "$((most + 1))x$((b - t))+$l+$t" +repage -fuzz 12% -trim \
    -format '%w %h' info:
}

for dpi in 96 144 192; do
  set_dpi "$dpi"
  start_program "$work"
  wait_for 20 "the task page" shown 1093
  settled_shot "$out/task-$dpi.png"
  expected=$(((13 * dpi + 48) / 96))
  # The third task is unchecked and has no focus: its glyph alone.
  size=$(glyph_size "$out/task-$dpi.png" $(info rect "$caption" 1093) "$expected")
  w=${size% *} h=${size#* }
  echo "dpi $dpi: radio glyph ${w}x$h, expected about $expected"
  [ $((w - expected)) -le 1 ] && [ $((expected - w)) -le 1 ] ||
    fail "at $dpi dpi the radio glyph is $w pixels wide, not about $expected"
  [ $((h - expected)) -le 1 ] && [ $((expected - h)) -le 1 ] ||
    fail "at $dpi dpi the radio glyph is $h pixels high, not about $expected"
  close_program
done
set_dpi 96
echo "skin_dpi.sh: screenshots in $out"
