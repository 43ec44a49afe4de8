#!/usr/bin/env bash
# Screenshots of the program under the skin: the language dialog, the task
# and input pages, and the message box shown for an empty input list (closed
# through its skinned close button with the real pointer). Written to
# build/test-logs/skin/ for looking at.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/tools/wine-env.sh"
export WINEPREFIX=${SKIN_WINEPREFIX:-$WINEPREFIX}
OUT="$ROOT/build/test-logs/skin"
WORK=$(mktemp -d)
mkdir -p "$OUT"
cp -r "$ROOT/build/app/." "$WORK/"
rm -f "$WORK/Option.dat"
vm_display_works || vm_start_xvfb
vm_init_prefix
(cd "$WORK" && wine Vidmorph.exe >/dev/null 2>&1 &)
shot() { sleep "$2"; import -window root -crop 760x600+0+0 "$OUT/$1.png"; }
fail=0
shot 1-language 10
xdotool mousemove 66 152 click 1          # OK of the language dialog
shot 2-task-page 4
xdotool mousemove 384 347 click 1         # Next
shot 3-input-page 3
xdotool mousemove 384 347 click 1         # Next with no input: message box
sleep 2
import -window root "$OUT/4-message-box.png"
xdotool mousemove 700 481 click 1         # its close button
shot 5-after-close 2
# The message box is gone when the area where it stood is dark again.
if [ "$(convert "$OUT/4-message-box.png" -crop 40x20+600+500 -format '%[fx:mean]' info:)" = \
     "$(convert "$OUT/5-after-close.png" -crop 40x20+600+500 -format '%[fx:mean]' info:)" ]; then
  echo "skin.sh: the message box did not close"; fail=1
fi
wineserver -k || true
rm -rf "$WORK"
echo "skin.sh: screenshots in $OUT"
exit $fail
