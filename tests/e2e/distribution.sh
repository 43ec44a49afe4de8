#!/usr/bin/env bash
# End to end: the installer and the portable zip of the build, used the way a
# Windows user would. The installer goes silently into a scratch folder; the
# installed program asks for a language, shows its window and writes its
# settings on closing; an update keeps both; the uninstaller leaves nothing of
# ours but "Option.dat", and not even that with /REMOVESETTINGS. The zip,
# unpacked elsewhere, runs the same way.
# Run by tools/test.sh with VM_ROOT, DISPLAY and the Wine environment set.
set -euo pipefail
root=${VM_ROOT:?VM_ROOT must name the repository}
build=${VM_WIN_BUILD:-$root/build/win}
. "$root/tests/e2e/program_folder.bash"
info="$build/helpers/wininfo.exe"
logs="$root/build/test-logs"
mkdir -p "$logs"
version=$(tr -d ' \r\n' <"$root/VERSION")
setup="$build/dist/Vidmorph-$version-setup.exe"
zip="$build/dist/Vidmorph-$version-portable.zip"
main="Ostrel AVI Converter"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vidmorph'
shortcut="$main.lnk"

work=$(mktemp -d)
pid=
# A failed run must not leave an installation in the prefix for the next one.
remove_leftovers() {
  wine reg delete "$key" /f >/dev/null 2>&1 || true
  find "$WINEPREFIX/drive_c" -name "$shortcut" -delete 2>/dev/null || true
}
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  remove_leftovers
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  import -window root "$logs/distribution-failed.png" 2>/dev/null || true
  exit 1
}

probe() { wine "$info" "$@" 2>/dev/null | tr -d '\r'; }

wait_window() {
  for _ in $(seq 150); do
    if xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; then return 0; fi
    sleep 0.2
  done
  fail "no window \"$1\""
}

click_rect() {
  local l t r b
  read -r l t r b <<<"$1"
  [ -n "$b" ] || fail "no rectangle to click"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
  sleep 0.2
  xdotool click 1
}

# Whether row ROW (from 0) of the Language dialog's list is the selected one.
row_chosen() { probe items Language 1085 | awk -F'\t' -v n="$(($1 + 1))" 'NR == n && $1 == "*" { f = 1 } END { exit !f }'; }

key_present() { wine reg query "$key" >/dev/null 2>&1; }
shortcuts() { find "$WINEPREFIX/drive_c" -name "$shortcut" | sort; }

# Starts DIR/Vidmorph.exe, picks language row ROW in the Language dialog,
# closes the main window and checks what the program wrote beside itself.
run_program() {
  local dir=$1 row=$2
  (cd "$dir" && exec wine Vidmorph.exe) >/dev/null 2>&1 &
  pid=$!
  wait_window Language
  click_rect "$(probe row Language 1085 "$row")"
  for _ in $(seq 50); do row_chosen "$row" && break; sleep 0.2; done
  row_chosen "$row" || fail "row $row of the language list is not selected"
  xdotool key Return
  wait_window "$main"
  [ "$(vm_stored_language "$dir")" = "$row" ] || fail "$dir/mlg.txt does not hold language $row"
  click_rect "$(probe rect "$main" 1005)"
  for _ in $(seq 75); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$pid" 2>/dev/null && fail "the program in $dir did not end"
  pid=
  [ "$(stat -c %s "$dir/Option.dat" 2>/dev/null)" = 124 ] || fail "no 124-byte Option.dat in $dir"
}

# Runs the installer silently into DIR. /D= takes the rest of the command line
# unquoted, spaces and all, which only a command line passed whole keeps. The
# icacls calls are logged by Wine's stand-in for the tool, which changes no
# access rights itself.
install_into() {
  WINEDEBUG=-all,fixme+icacls timeout 300 wine cmd /c "$(winepath -w "$setup") /S /D=$(winepath -w "$1")" \
    >/dev/null 2>"$work/install.log" || fail "the installer failed ($?)"
  for _ in $(seq 150); do
    if [ -f "$1/uninstall.exe" ] && key_present; then return 0; fi
    sleep 0.2
  done
  fail "nothing installed in $1"
}

# The uninstaller copies itself away and returns at once: wait for its work.
uninstall_from() {
  local dir=$1
  shift
  timeout 60 wine "$(winepath -w "$dir/uninstall.exe")" /S "$@" >/dev/null 2>&1 ||
    fail "the uninstaller did not start"
  for _ in $(seq 150); do
    if [ ! -e "$dir/uninstall.exe" ] && ! key_present; then return 0; fi
    sleep 0.2
  done
  fail "the uninstaller did not finish"
}

for f in "$setup" "$zip" "$info"; do [ -f "$f" ] || fail "missing $f (build the Windows targets first)"; done
remove_leftovers

echo "the zip holds the application folder as built"
unzip -q "$zip" -d "$work/portable"
portable="$work/portable/Vidmorph-$version"
[ -d "$portable" ] || fail "the zip has no folder Vidmorph-$version"
shipped=$(cd "$portable" && find . -type f | sed 's|^\./||' | sort)
for f in Vidmorph.exe VidmorphCmd.exe ffmpeg.exe AuxDmo.dll mlg.txt morelg.txt Vista.skinstyles \
  licences/README.txt licences/ffmpeg-COPYING.GPLv2.txt; do
  echo "$shipped" | grep -qx "$f" || fail "the zip lacks $f"
done
echo "$shipped" | grep -qix -e 'option.dat' -e 'vidmorph.ini' && fail "the zip ships a settings file"
# A file rebuilt since the zip was made (another build sharing build/app) is not compared.
for f in $shipped; do
  [ "$f" = mlg.txt ] || [ "$root/build/app/$f" -nt "$zip" ] || cmp -s "$portable/$f" "$root/build/app/$f" ||
    fail "$f in the zip differs from build/app"
done
[ -z "$(vm_stored_language "$portable")" ] || fail "the zip's mlg.txt has a language chosen"

echo "silent install into a folder with a space in its path"
inst="$work/Pro gram/Vidmorph"
install_into "$inst"
installed=$(cd "$inst" && find . -type f | sed 's|^\./||' | sort)
expected=$(printf '%s\n' $shipped Option.dat Vidmorph.ini Vidmorph.journal uninstall.exe | sort)
[ "$installed" = "$expected" ] || fail "installed files differ: $(diff <(echo "$expected") <(echo "$installed") | tr '\n' ' ')"
for f in $shipped; do cmp -s "$portable/$f" "$inst/$f" || fail "installed $f differs from the zip's"; done
for f in Option.dat Vidmorph.ini Vidmorph.journal; do
  [ "$(stat -c %s "$inst/$f")" = 0 ] || fail "the installer's $f is not empty"
done
[ "$(shortcuts | wc -l)" = 2 ] || fail "expected two shortcuts, found: $(shortcuts)"
shortcuts | grep -q '/Start Menu/Programs/' || fail "no Start-menu shortcut"
shortcuts | grep -q '/Desktop/' || fail "no desktop shortcut"
wine reg query "$key" /v DisplayVersion 2>/dev/null | tr -d '\r' | grep -q "REG_SZ *$version\$" ||
  fail "Add/Remove Programs does not show version $version"
wine reg query "$key" /v UninstallString 2>/dev/null | tr -d '\r' | grep -qF "$(winepath -w "$inst")\\uninstall.exe" ||
  fail "the uninstall entry does not name $inst/uninstall.exe"
if grep -q 'dummy icacls' "$work/install.log"; then
  for f in Option.dat Vidmorph.ini Vidmorph.journal mlg.txt; do
    grep -F "\\\\$f\" \"/grant\" \"*S-1-5-32-545:(M)\"" "$work/install.log" >/dev/null ||
      fail "users were not given write access to $f: $(tr '\n' ' ' <"$work/install.log")"
  done
else
  echo "note: this Wine logs no icacls calls; write access not checked"
fi

echo "the installed program asks for a language, runs, and writes beside itself"
run_program "$inst" 1
cp "$inst/Option.dat" "$work/settings"
cp "$inst/Vidmorph.ini" "$work/run-settings"
[ -s "$work/run-settings" ] || fail "the program did not write Vidmorph.ini in place"

echo "an update over the installation keeps the settings and the language"
install_into "$inst"
cmp -s "$inst/Option.dat" "$work/settings" || fail "the update changed Option.dat"
cmp -s "$inst/Vidmorph.ini" "$work/run-settings" || fail "the update changed Vidmorph.ini"
[ "$(vm_stored_language "$inst")" = 1 ] || fail "the update lost the chosen language"

echo "silent uninstall keeps only the settings files"
uninstall_from "$inst"
[ -f "$inst/Option.dat" ] || fail "the silent uninstall removed Option.dat"
left=$(cd "$inst" && find . -mindepth 1 | sed 's|^\./||' | sort | tr '\n' ' ')
[ "$left" = "Option.dat Vidmorph.ini " ] || fail "left behind in $inst: $(echo "$left" | tr '\n' ' ')"
[ -z "$(shortcuts)" ] || fail "shortcuts left: $(shortcuts)"

echo "install again, uninstall with /REMOVESETTINGS: the folder is gone"
install_into "$inst"
cmp -s "$inst/Option.dat" "$work/settings" || fail "a new install over kept settings changed them"
uninstall_from "$inst" /REMOVESETTINGS
[ ! -e "$inst" ] || fail "left behind: $(find "$inst" | tr '\n' ' ')"
[ -z "$(shortcuts)" ] || fail "shortcuts left: $(shortcuts)"

echo "the unpacked zip runs from its own folder"
run_program "$portable" 2
echo "distribution: ok"
