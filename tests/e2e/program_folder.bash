# Sourced by the end-to-end scripts (not a test itself: the test command runs
# only *.sh). Prepares a scratch copy of the program.
#
#   vm_program_folder DIR [INDEX|ask]
#
# Copies the program, its theme and language files from $VM_ROOT/build/app into DIR.
# mlg.txt gets "curlg=INDEX" (default 0, English), so the program starts
# straight into the wizard; with "ask" no language is chosen and the Language
# dialog comes first. Without the build's mlg.txt a file holding only the
# choice is written.
vm_program_folder() {
  local dir=$1 choice=${2:-0} app="$VM_ROOT/build/app"
  mkdir -p "$dir"
  cp "$app/Vidmorph.exe" "$dir/"
  # Everything else a user's folder holds, the theme among them, but the encoder.
  for f in morelg.txt Vista.skinstyles AuxDmo.dll help.chm; do
    if [ -f "$app/$f" ]; then cp "$app/$f" "$dir/"; fi
  done
  python3 - "$app/mlg.txt" "$dir/mlg.txt" "$choice" <<'PY'
import re
import sys

src, dst, choice = sys.argv[1:]
try:
    with open(src, "rb") as f:
        text = f.read().decode("utf-16")
except FileNotFoundError:
    text = "[mlg]\r\n"
text = re.sub(r"(?m)^curlg=.*\r?\n", "", text)
if choice != "ask":
    text = text.replace("[mlg]\r\n", f"[mlg]\r\ncurlg={int(choice)}\r\n", 1)
with open(dst, "wb") as f:
    f.write(("\ufeff" + text).encode("utf-16-le"))
PY
}

# The chosen language stored in DIR/mlg.txt, or nothing.
vm_stored_language() {
  python3 - "$1/mlg.txt" <<'PY'
import re
import sys

with open(sys.argv[1], "rb") as f:
    m = re.search(r"(?m)^curlg=(-?\d+)", f.read().decode("utf-16"))
print(m.group(1) if m else "")
PY
}
