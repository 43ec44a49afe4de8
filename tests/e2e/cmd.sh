#!/usr/bin/env bash
# The console program as a script uses it, under Wine without a window: a
# folder tree of clips made by Debian's own encoder converted into another
# folder with the tree kept, the progress lines and the JSON report checked
# against its schema; the exit codes of a mixed batch and of each fault; a
# stop mid-run by the console's Ctrl+C, which leaves no half-made file.
# Run by tools/test.sh with VM_ROOT and the Wine environment set.
set -euo pipefail
. "${VM_ROOT:?VM_ROOT must name the repository}/tests/e2e/cmd_driver.bash"
need_built "$app/VidmorphCmd.exe" "$app/ffmpeg.exe" "$build/helpers/fake_encoder.exe"
command -v ffmpeg >/dev/null || fail "no Debian ffmpeg (tools/setup.sh installs it)"

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
[ -n "${VM_KEEP_WORK:-}" ] && trap - EXIT
# Runs the program of DIR with the arguments; its exit code in $code, its
# output and error in $work/stdout and $work/stderr (UTF-8, without CRs).
run_cmd() {
  local dir=$1
  shift
  code=0
  (cd "$dir" && wine VidmorphCmd.exe "$@") >"$work/stdout.raw" 2>"$work/stderr.raw" </dev/null || code=$?
  tr -d '\r' <"$work/stdout.raw" >"$work/stdout"
  tr -d '\r' <"$work/stderr.raw" >"$work/stderr"
}
expect_code() {
  [ "$code" = "$1" ] || fail "$2: exit code $code, expected $1; stderr: $(cat "$work/stderr")"
}

echo "a folder tree into another folder, the tree kept"
real="$work/real"
program_folder "$real" "$app/ffmpeg.exe"
mkdir -p "$work/src/Trip/Day 1" "$work/out"
for clip in "Trip/a.avi" "Trip/Day 1/b.avi"; do
  ffmpeg -v error -y -f lavfi -i "testsrc=size=176x144:rate=25" -f lavfi -i "sine=frequency=440" \
    -t 1 -c:v mpeg4 -c:a mp3 "$work/src/$clip" || fail "Debian's ffmpeg could not make $clip"
done
echo "not a clip" >"$work/src/Trip/notes.txt"
run_cmd "$real" --profile MP3 --out "$(win "$work/out")" --progress json \
  --report "$(win "$work/report.json")" --log "$(win "$work/run.log")" "$(win "$work/src/Trip")"
expect_code 0 "the folder run"
python3 - "$work/run.log" <<'PY' || fail "the log is not the one the result page saves"
import sys
data = open(sys.argv[1], "rb").read()
assert data.startswith(b"Converting log start---------\r\n\r\n"), data[:40]
assert data.count(b'ffmpeg.exe" -i "') == 2, "one command line per file"
PY
for out in "Trip/a.avi.mp3" "Trip/Day 1/b.avi.mp3"; do
  [ -s "$work/out/$out" ] || fail "no $out below the output folder: $(cd "$work/out" && find . | tr '\n' ' ')"
  errors=$(ffmpeg -v error -i "$work/out/$out" -f null - 2>&1)
  [ -z "$errors" ] || fail "$out does not read back: $errors"
done
[ "$(find "$work/out" -type f | wc -l)" = 2 ] || fail "more than the two clips converted"
python3 - "$work/report.json" "$work/stderr" "$(win "$work/src/Trip")" <<'PY' || fail "the report or the progress lines are not as expected"
import json, re, sys
report = json.load(open(sys.argv[1], encoding="utf-8"))
schema = {"position": int, "input": str, "output": str, "outcome": str, "result": str, "reason": str,
          "exitCode": (int, type(None)), "inputBytes": (int, type(None)),
          "outputBytes": (int, type(None)), "started": (str, type(None)), "ended": (str, type(None))}
assert set(report) == {"exitCode", "files"}, report.keys()
assert report["exitCode"] == 0
files = report["files"]
assert [f["position"] for f in files] == [0, 1], files
for f in files:
    assert set(f) == set(schema), f.keys()
    for key, kind in schema.items():
        assert isinstance(f[key], kind), (key, f[key])
    assert f["outcome"] == "converted" and f["reason"] == "" and f["exitCode"] == 0, f
    assert f["inputBytes"] > 0 and f["outputBytes"] > 0, f
    assert re.fullmatch(r"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d", f["started"]), f["started"]
    assert f["started"] <= f["ended"], f
root = sys.argv[3]
assert files[0]["input"] == root + "\\a.avi", files[0]["input"]
assert files[1]["input"] == root + "\\Day 1\\b.avi", files[1]["input"]
assert files[1]["output"].endswith("\\Trip\\Day 1\\b.avi.mp3"), files[1]["output"]
events = [json.loads(line) for line in open(sys.argv[2], encoding="utf-8") if line.startswith("{")]
ends = [e for e in events if e["event"] == "end"]
starts = [e for e in events if e["event"] == "start"]
assert [e["file"] for e in starts] == [1, 2] and [e["file"] for e in ends] == [1, 2], events
assert all(e["outcome"] == "converted" for e in ends), ends
PY

echo "a mixed batch with the stand-in encoder: exit codes and a CSV report"
fake="$work/fake"
program_folder "$fake" "$build/helpers/fake_encoder.exe"
mkdir -p "$work/batch"
printf 'file 10 $OUT\n' >"$work/batch/good.avi"
printf 'err Invalid data found when processing input\\r\\n\nexit 1\n' >"$work/batch/bad.avi"
run_cmd "$fake" --profile MP3 --jobs 2 --report "$(win "$work/mixed.csv")" \
  "$(win "$work/batch")\\*.avi"
expect_code 1 "a batch with a failed file"
python3 - "$work/mixed.csv" <<'PY' || fail "the CSV report is not as expected"
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8", newline="")))
assert [(r["input"].rsplit("\\", 1)[1], r["outcome"]) for r in rows] == \
    [("bad.avi", "failed"), ("good.avi", "converted")], rows
assert rows[0]["exit_code"] == "1" and "Invalid data" in rows[0]["reason"], rows[0]
assert rows[1]["output_bytes"] == "10", rows[1]
PY
[ ! -e "$work/batch/bad.avi.mp3" ] || fail "the failed file's output was left behind"

# The good file's output is there now: kept without a console to ask on.
run_cmd "$fake" --profile MP3 "$(win "$work/batch/good.avi")"
expect_code 0 "an existing output kept"
grep -q "no console to ask on" "$work/stderr" || fail "it did not say what happens to existing outputs"
grep -q "skipped" "$work/stderr" || fail "the kept file was not reported skipped: $(cat "$work/stderr")"

echo "a path past the plain length, with letters of no code page"
deep="$work/deep/$(printf 'a%.0s' {1..100})/$(printf 'b%.0s' {1..100})/$(printf 'c%.0s' {1..60})"
mkdir -p "$deep"
name=$'clip \xe5\x87\xba\xe5\x8f\x91.avi'
printf 'file 10 $OUT\n' >"$deep/$name"
run_cmd "$fake" --profile MP3 --out "$(win "$work/deep-out")" "$(win "$work/deep")"
expect_code 0 "a deep folder"
made=$(find "$work/deep-out" -type f -name '*.mp3')
[ "$(echo "$made" | wc -l)" = 1 ] && [ "${#made}" -gt 260 ] || fail "the deep output: $made"
grep -qF "$name" "$work/stderr" || fail "the progress lines lost the name's letters"

echo "the listings and the help"
run_cmd "$fake" --list-options MP3
expect_code 0 "--list-options"
grep -qx -- "--audio-bitrate" "$work/stdout" && grep -q "128(Default)  (preselected)" "$work/stdout" ||
  fail "--list-options MP3: $(cat "$work/stdout")"
run_cmd "$fake" --help
expect_code 0 "--help"
grep -q "^  130  stopped" "$work/stdout" && grep -q "UTF-8 when redirected" "$work/stdout" ||
  fail "--help does not give the exit codes and the console's encoding"

echo "faults are refused with one line before any encoder starts"
run_cmd "$fake" --profile MP3 --colour red "$(win "$work/batch")"
expect_code 2 "an unknown option"
[ "$(cat "$work/stderr")" = "VidmorphCmd: unknown option --colour (--help lists them)" ] ||
  fail "the unknown option's line: $(cat "$work/stderr")"
run_cmd "$fake" --profile MP3 "$(win "$work/nothing.avi")"
expect_code 2 "a missing input"
mkdir -p "$work/empty"
run_cmd "$fake" --profile MP3 "$(win "$work/empty")"
expect_code 4 "an empty folder"
rm "$fake/ffmpeg.exe"
run_cmd "$fake" --profile MP3 --overwrite yes "$(win "$work/batch/good.avi")"
expect_code 3 "no encoder"
[ "$(find "$work/batch" -name '*.mp3' | wc -l)" = 1 ] || fail "a refused run touched the outputs"
echo "not a program" >"$fake/ffmpeg.exe"
run_cmd "$fake" --profile MP3 --overwrite yes "$(win "$work/batch/good.avi")"
expect_code 3 "an encoder that is no program"
cp "$build/helpers/fake_encoder.exe" "$fake/ffmpeg.exe"

echo "Ctrl+C mid-run ends every encoder and leaves no half-made file"
mkdir -p "$work/stop"
for n in 1 2 3; do printf 'file 5 $OUT\nwait %s\n' "$(win "$work/never")" >"$work/stop/clip$n.avi"; done
(cd "$fake" && exec wine VidmorphCmd.exe --profile MP3 --jobs 2 --progress json \
  "$(win "$work/stop")") >"$work/stdout.raw" 2>"$work/stderr.raw" </dev/null &
pid=$!
for _ in $(seq 150); do
  [ "$(find "$work/stop" -name '*.mp3' | wc -l)" = 2 ] && break
  sleep 0.2
done
[ "$(find "$work/stop" -name '*.mp3' | wc -l)" = 2 ] || fail "two encoders did not start"
# Wine turns the signal into the console's Ctrl+C event.
kill -INT "$pid"
code=0
wait "$pid" || code=$?
pid=
[ "$code" = 130 ] || fail "a stopped run exited with $code: $(tr -d '\r' <"$work/stderr.raw")"
[ -z "$(find "$work/stop" -name '*.mp3')" ] || fail "half-made files left: $(find "$work/stop" -name '*.mp3')"
echo "cmd: ok"
