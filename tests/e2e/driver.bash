# Sourced by the end-to-end scripts (not a test itself: the test command runs
# only *.sh): drives the real program with xdotool and reads its controls
# with the wininfo helper. The script sets `shot`, the screenshot it keeps.
root=${VM_ROOT:?VM_ROOT is not set}
caption='Ostrel AVI Converter'
wininfo="${VM_HELPERS:-$root/build/win/helpers}/wininfo.exe"
mkdir -p "$root/build/test-logs"

fail() {
  echo "FAIL: $*" >&2
  import -window root "${shot%.png}-failed.png" 2>/dev/null || true
  exit 1
}

info() { wine "$wininfo" "$@" 2>/dev/null | tr -d '\r'; }
. "$root/tests/e2e/wait.bash"
shown() { info state "$caption" "$1" >/dev/null; }
text_of() { info state "$caption" "$1" | cut -d' ' -f4-; }
has_row_in() { info items "$1" "$2" | grep -qF "$3"; }
has_row() { has_row_in "$caption" "$1" "$2"; }
rows() { info items "$caption" "$1" | wc -l; }
# The selected row's text of list ID in the window with caption CAPTION.
selected_in() { info items "$1" "$2" | awk -F'\t' '$1 == "*" { print $3 }'; }
selected() { selected_in "$caption" "$1"; }
is_selected() { [ "$(selected "$1")" = "$2" ]; }
is_selected_in() { [ "$(selected_in "$1" "$2")" = "$3" ]; }
# Whether control ID reads "visible enabled checked" as in "1 1 0".
has_state() { [ "$(info state "$caption" "$1" | cut -d' ' -f1-3)" = "$2" ]; }
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
main_window() { window_named "$caption"; }
keys() {
  xdotool windowfocus "$(main_window)"
  xdotool key --delay 100 "$@"
}
click_at() {  # left top right bottom
  xdotool mousemove $((($1 + $3) / 2)) $((($2 + $4) / 2)) click 1
}
click_control() { click_at $(info rect "$caption" "$1"); }
# Opens a drop-down list with the pointer and clicks one of its rows.
pick_row() {
  click_control "$1"
  wait_for 10 "the list of box $1 to drop down" info row "$caption" "$1" "$2"
  click_at $(info row "$caption" "$1" "$2")
}
# The file dialogs' file name box and folder box ("Look in").
file_name_box=1148
folder_box=1137
# Types into the file name box of the file dialog with this caption and
# presses Return, once the box has the keyboard.
type_into() {
  wait_for 20 "the $1 dialog" window_named "$1"
  xdotool windowfocus "$(window_named "$1")"
  wait_for 20 "the $1 dialog's file name box to take the keyboard" info focus "$1" "$file_name_box"
  xdotool type --delay 20 "$2"
  xdotool key Return
}
# Whether the file dialog with this caption shows the folder with this name.
dialog_shows_folder() { [ "$(info state "$1" "$folder_box" | cut -d' ' -f4-)" = "$2" ]; }

# From the task page, the video task's input page with files added through
# the Open dialog: FOLDER (a Windows path), NAMES as typed into the dialog,
# COUNT the rows the list must then have.
add_video_files() {
  wait_for 20 "the task page" shown 1091
  click_control 1091  # Convert AVI files to video files
  keys alt+n
  wait_for 20 "the input page" shown 1010
  keys alt+a
  type_into Open "$1"
  wait_for 20 "the Open dialog to show the folder" dialog_shows_folder Open "${1##*\\}"
  type_into Open "$2"
  wait_for 20 "$3 files in the list" bash -c "[ \$(wine '$wininfo' items '$caption' 1014 2>/dev/null | wc -l) = $3 ]"
}

# Keeps a screenshot in FILE once the screen has stopped changing (two shots
# a quarter of a second apart alike), or the last one after ten seconds.
settled_shot() {
  local prev="${1%.png}-prev.png" same
  import -window root "$prev"
  for _ in $(seq 40); do
    sleep 0.25
    import -window root "$1"
    same=$(compare -metric AE "$prev" "$1" null: 2>&1 || true)
    if [ "$same" = 0 ]; then
      rm -f "$prev"
      return 0
    fi
    mv "$1" "$prev"
  done
  mv "$prev" "$1"
}

# Starts the program in DIR (prepared with vm_program_folder) and waits for the wizard.
vm_pid=
start_program() {
  (cd "$1" && exec wine Vidmorph.exe >"$1/wine.log" 2>&1) &
  vm_pid=$!
  wait_for 60 "the wizard window" main_window
}
# Closes the program with its Close button and waits for the process to end.
close_program() {
  click_control 1005
  for _ in $(seq 80); do
    kill -0 "$vm_pid" 2>/dev/null || { vm_pid=; return 0; }
    sleep 0.25
  done
  fail "the program did not end after Close"
}
stop_program() {
  if [ -n "$vm_pid" ] && kill -0 "$vm_pid" 2>/dev/null; then kill "$vm_pid" 2>/dev/null || true; fi
}
