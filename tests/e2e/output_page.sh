#!/usr/bin/env bash
# Through the wizard to the output settings page with real keyboard and
# pointer input: add a file through the file dialog, pick a profile and
# options, take a screenshot, leave the page, close the program and check
# that Option.dat holds the choices.
# Needs VM_ROOT, DISPLAY and the Wine environment of tools/wine-env.sh.
set -euo pipefail
shot="${VM_ROOT:?VM_ROOT is not set}/build/test-logs/output_page.png"
. "$VM_ROOT/tests/e2e/driver.bash"
exe="$root/build/app/Vidmorph.exe"
[ -f "$exe" ] || fail "no program at $exe"
[ -f "$wininfo" ] || fail "no helper at $wininfo"

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

. "$VM_ROOT/tests/e2e/program_folder.bash"
vm_program_folder "$work" 0  # English chosen: straight to the wizard
printf 'x' >"$work/clip.avi"
clip=$(winepath -w "$work/clip.avi")
(cd "$work" && exec wine Vidmorph.exe >"$work/wine.log" 2>&1) &
pid=$!

# Without a language file the program asks for one first; OK keeps the built-in texts.
for _ in $(seq 240); do
  [ -n "$(main_window)" ] && break
  lang=$(xdotool search --onlyvisible --name '^Language$' 2>/dev/null | head -n1 || true)
  if [ -n "$lang" ]; then
    xdotool windowfocus "$lang"
    xdotool key Return
    # One Return only: a second one would reach the wizard and end it.
    wait_for 20 "the Language dialog to close" bash -c "! xdotool search --onlyvisible --name '^Language\$'"
  fi
  sleep 0.25
done
[ -n "$(main_window)" ] || fail "the wizard window did not appear"
wait_for 20 "the task page" shown 1091

keys alt+n
wait_for 20 "the input page" shown 1010
keys alt+a
wait_for 20 "the file dialog" xdotool search --onlyvisible --name '^Open$'
xdotool windowfocus "$(xdotool search --onlyvisible --name '^Open$' | head -n1)"
xdotool type --delay 30 "$clip"
xdotool key Return
wait_for 20 "the file in the input list" has_row 1014 clip.avi
keys alt+n
wait_for 20 "the output settings page" shown 1052

# Defaults of a first run: the first profile, the temporary folder.
[ "$(selected 1052)" = "DivX Movie(.avi)" ] || fail "first profile: $(selected 1052)"
read -r _ browse_enabled _ < <(info state "$caption" 1020)
[ "$browse_enabled" = 0 ] || fail "Browse is enabled with the temporary folder"

# A profile by pointer; it brings its preselected rows.
pick_row 1052 5
wait_for 10 "MPEG2 Video to be chosen" is_selected 1052 "MPEG2 Video(.mpg)"
[ "$(selected 1058)" = "1200" ] || fail "video quality after the profile change: $(selected 1058)"
# The size by keyboard in the dropped list: two rows down from the preselected one.
click_control 1053
wait_for 10 "the size list to drop down" info row "$caption" 1053 10
xdotool key --delay 100 Down Down Return
# The channels by pointer.
pick_row 1060 0
click_control 1034  # Overwrite existing files
click_control 1062  # Use "Temp" Folder off
wait_for 10 "the size 352 x 288" is_selected 1053 "352 x 288"
wait_for 10 "the channels Mono" is_selected 1060 "Mono"
wait_for 10 "Browse to be enabled without the temporary folder" has_state 1020 "1 1 0"
wait_for 10 "Overwrite existing files to be checked" has_state 1034 "1 1 1"
folder=$(info state "$caption" 1035 | cut -d' ' -f4-)

mkdir -p "$(dirname "$shot")"
settled_shot "$shot"

keys alt+p
wait_for 20 "the input page again" shown 1010
click_control 1005  # Close
for _ in $(seq 80); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.25
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Close"
pid=
[ -f "$work/Option.dat" ] || fail "no Option.dat written"

python3 - "$work/Option.dat" "$folder" <<'EOF'
import struct, sys

data = open(sys.argv[1], "rb").read()
pos = 0

def take(n):
    global pos
    if pos + n > len(data):
        sys.exit("Option.dat ends early")
    chunk = data[pos:pos + n]
    pos += n
    return chunk

def integer():
    return struct.unpack("<i", take(4))[0]

def string():
    if take(3) != b"\xff\xfe\xff":
        sys.exit("string item without the UTF-16 mark")
    n = take(1)[0]
    if n == 0xFF:
        n = struct.unpack("<H", take(2))[0]
    return take(2 * n).decode("utf-16-le")

kinds = "isiiisiiiiiiiiiiiiiiiiiiiii"
items = [string() if k == "s" else integer() for k in kinds]
if pos != len(data):
    sys.exit("Option.dat holds %d bytes after the 27 items" % (len(data) - pos))
want = {
    2: sys.argv[2],  # the folder as shown: unchecking keeps the text
    4: 5,   # profile position: MPEG2 Video
    10: 0,  # Use "Temp" Folder
    11: 1,  # Overwrite existing files
    16: 12,  # size
    17: 4,  # frame rate: preselected
    19: 7,  # video bitrate: preselected
    23: 0,  # channels: Mono
    27: 0,  # video task
}
bad = ["item %d is %r, expected %r" % (i, items[i - 1], v) for i, v in want.items() if items[i - 1] != v]
if bad:
    sys.exit("; ".join(bad))
print("Option.dat holds the choices")
EOF
echo "output page: ok"
