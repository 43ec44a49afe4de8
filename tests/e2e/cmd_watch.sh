#!/usr/bin/env bash
# The console program watching a folder under Wine, with the stand-in encoder:
# files dropped in while it runs are converted, one written slowly in pieces
# only once complete, one its writer holds open only once let go; stopped with Ctrl+C and started again, it converts what
# came meanwhile and nothing twice; a damaged ledger is set aside and named.
# Run by tools/test.sh with VM_ROOT and the Wine environment set.
set -euo pipefail
. "${VM_ROOT:?VM_ROOT must name the repository}/tests/e2e/cmd_driver.bash"
need_built "$app/VidmorphCmd.exe" "$build/helpers/fake_encoder.exe"
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
# A failure shows what the watch said last.
trap 'code=$?; [ "$code" = 0 ] || tr -d "\r" <"$work/stderr.raw" 2>/dev/null | tail -n 20 >&2; cleanup' EXIT

mkdir -p "$work/Inbox/Sub" "$work/out"
program_folder "$work/prog" "$build/helpers/fake_encoder.exe"
ledger="$work/out/Inbox.vidmorph-watch"

watch() {
  (cd "$work/prog" && exec wine VidmorphCmd.exe --profile MP3 --out "$(win "$work/out")" \
    --progress json --watch "$(win "$work/Inbox")") >"$work/stdout.raw" 2>"$work/stderr.raw" </dev/null &
  pid=$!
  wait_for 60 "the watch to start" grep -q "watching" "$work/stderr.raw"
}
stop() {
  kill -INT "$pid"
  code=0
  wait "$pid" || code=$?
  pid=
  [ "$code" = 130 ] || fail "a stopped watch exited with $code"
}
ledger_has() { [ "$(grep -c "^converted" "$ledger" 2>/dev/null)" = "$1" ]; }
# How often the watch's run started FILE, by its name.
starts_of() {
  tr -d '\r' <"$work/stderr.raw" | python3 -c '
import json, sys
print(sum(1 for l in sys.stdin if l.startswith("{") and json.loads(l)["event"] == "start"
          and json.loads(l)["input"].endswith("\\" + sys.argv[1])))' "$1"
}

echo "files dropped into a watched folder are converted as they settle"
watch
printf 'file 10 $OUT\n' >"$work/Inbox/a.avi"
wait_for 60 "a.avi to be converted" test -s "$work/out/Inbox/a.avi.mp3"
wait_for 20 "the ledger to hold a.avi" ledger_has 1

# Written in pieces a second apart, the last of which makes the output: taken
# early, the file would fail and be started twice.
: >"$work/Inbox/Sub/slow.avi"
for n in 1 2 3 4 5 6; do
  printf 'out piece%s\n' "$n" >>"$work/Inbox/Sub/slow.avi"
  sleep 1
done
printf 'file 77 $OUT\n' >>"$work/Inbox/Sub/slow.avi"
wait_for 60 "slow.avi to be converted" test -s "$work/out/Inbox/Sub/slow.avi.mp3"
[ "$(stat -c %s "$work/out/Inbox/Sub/slow.avi.mp3")" = 77 ] || fail "slow.avi was taken incomplete"
[ "$(starts_of slow.avi)" = 1 ] || fail "slow.avi was started $(starts_of slow.avi) times"
wait_for 20 "the ledger to hold slow.avi" ledger_has 2

# A file that holds still while its Windows writer keeps it open is left
# until the writer lets go.
cat >"$work/hold.bat" <<BAT
@"$(win "$work/prog/ffmpeg.exe")" out "file 15 $(win "$work/out/Inbox/held.avi.mp3")\n" sleep 6000 >"$(win "$work/Inbox/held.avi")"
BAT
wine cmd /c "$(win "$work/hold.bat")" >/dev/null 2>&1 &
holder=$!
while kill -0 "$holder" 2>/dev/null; do
  [ ! -e "$work/out/Inbox/held.avi.mp3" ] || fail "held.avi was taken while its writer held it"
  sleep 0.2
done
[ -s "$work/Inbox/held.avi" ] || fail "the writer wrote nothing"
wait_for 60 "held.avi to be converted" test -s "$work/out/Inbox/held.avi.mp3"
wait_for 20 "the ledger to hold held.avi" ledger_has 3
stop

echo "a restart converts what came meanwhile and nothing twice"
printf 'file 12 $OUT\n' >"$work/Inbox/b.avi"
before=$(stat -c %Y "$work/out/Inbox/a.avi.mp3")
watch
wait_for 60 "b.avi to be converted" test -s "$work/out/Inbox/b.avi.mp3"
# The folder taken away for a while is waited for, and said so once.
mv "$work/Inbox" "$work/Away"
wait_for 30 "the watch to miss its folder" grep -q "is gone" "$work/stderr.raw"
mv "$work/Away" "$work/Inbox"
wait_for 30 "the watch to find its folder again" grep -q "is back" "$work/stderr.raw"
[ "$(grep -c "is gone" "$work/stderr.raw")" = 1 ] || fail "the missing folder was not told of once"
printf 'file 13 $OUT\n' >"$work/Inbox/Sub/c.avi"
wait_for 60 "c.avi to be converted" test -s "$work/out/Inbox/Sub/c.avi.mp3"
wait_for 20 "the ledger to hold five files" ledger_has 5
stop
for name in a.avi slow.avi; do
  [ "$(starts_of "$name")" = 0 ] || fail "$name was converted again after the restart"
done
[ "$(stat -c %Y "$work/out/Inbox/a.avi.mp3")" = "$before" ] || fail "a.avi's output was written again"
[ "$(find "$work/out" -name '*.mp3' | wc -l)" = 5 ] || fail "outputs: $(find "$work/out" -name '*.mp3')"

echo "a damaged ledger is set aside, named once, and the watch goes on"
printf 'not a ledger\n' >"$ledger"
watch
[ "$(grep -c "set aside" "$work/stderr.raw")" = 1 ] || fail "the damaged ledger was not named once"
[ -f "$ledger.damaged" ] || fail "the damaged ledger was not kept aside"
printf 'file 14 $OUT\n' >"$work/Inbox/d.avi"
wait_for 60 "d.avi to be converted" test -s "$work/out/Inbox/d.avi.mp3"
stop
echo "cmd_watch: ok"
