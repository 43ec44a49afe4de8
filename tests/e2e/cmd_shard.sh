#!/usr/bin/env bash
# One batch split over two "machines" (two program folders under Wine, the
# stand-in encoder): together they convert every file exactly once, each
# writing its own report into one folder, merged afterwards; a file added
# between runs moves no other file to the other share; a K/N naming no
# share is refused with 2.
# Run by tools/test.sh with VM_ROOT and the Wine environment set.
set -euo pipefail
. "${VM_ROOT:?VM_ROOT must name the repository}/tests/e2e/cmd_driver.bash"
need_built "$app/VidmorphCmd.exe" "$build/helpers/fake_encoder.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for m in one two; do program_folder "$work/$m" "$build/helpers/fake_encoder.exe"; done
mkdir -p "$work/clips/Day 1" "$work/runs"
for n in 1 2 3 4 5 6 7 8; do printf 'file %s $OUT\n' "$n" >"$work/clips/Day 1/clip$n.avi"; done
for n in 1 2 3 4; do printf 'file 9 $OUT\n' >"$work/clips/top$n.avi"; done

# Runs share K of 2 on machine M into OUT; its exit code in $code.
share() {
  code=0
  (cd "$work/$1" && wine VidmorphCmd.exe --profile MP3 --shard "$2/2" --out "$(win "$3")" \
    --report "$(win "$work/runs/run.json")" "$(win "$work/clips")") >/dev/null 2>"$work/stderr-$2" \
    </dev/null || code=$?
  [ "$code" = 0 ] || fail "share $2 exited with $code: $(tr -d '\r' <"$work/stderr-$2")"
}
# The inputs of a report, one a line, sorted.
inputs_of() {
  python3 -c 'import json,sys; print("\n".join(sorted(f["input"] for f in json.load(open(sys.argv[1]))["files"])))' "$1"
}

echo "two shares convert every file exactly once"
share one 1 "$work/out"
share two 2 "$work/out"
[ -f "$work/runs/run.1of2.json" ] && [ -f "$work/runs/run.2of2.json" ] || fail "reports: $(ls "$work/runs")"
[ ! -e "$work/runs/run.json" ] || fail "a share wrote the unshared report name"
inputs_of "$work/runs/run.1of2.json" >"$work/first1"
inputs_of "$work/runs/run.2of2.json" >"$work/first2"
[ -s "$work/first1" ] && [ -s "$work/first2" ] || fail "a share got nothing of twelve files"
[ -z "$(comm -12 "$work/first1" "$work/first2")" ] || fail "a file in both shares"
[ "$(cat "$work/first1" "$work/first2" | wc -l)" = 12 ] || fail "the shares do not cover the batch"
[ "$(find "$work/out" -name '*.mp3' | wc -l)" = 12 ] || fail "outputs: $(find "$work/out" -name '*.mp3' | wc -l)"

echo "the shares' reports merge into one"
code=0
(cd "$work/one" && wine VidmorphCmd.exe --merge-reports --report "$(win "$work/runs/all.csv")" \
  "$(win "$work/runs/run.1of2.json")" "$(win "$work/runs/run.2of2.json")") >/dev/null 2>&1 </dev/null || code=$?
[ "$code" = 0 ] || fail "merging exited with $code"
python3 - "$work/runs/all.csv" <<'PY' || fail "the merged report is not as expected"
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8", newline="")))
assert len(rows) == 12 and {r["outcome"] for r in rows} == {"converted"}, rows
assert [r["position"] for r in rows] == [str(i) for i in range(12)], rows
assert len({r["input"] for r in rows}) == 12, rows
PY

echo "a file added between runs moves no other"
printf 'file 5 $OUT\n' >"$work/clips/Day 1/added.avi"
rm "$work/runs/"*.json
share one 1 "$work/out2"
share two 2 "$work/out2"
inputs_of "$work/runs/run.1of2.json" | grep -v 'added\.avi$' >"$work/second1" || true
inputs_of "$work/runs/run.2of2.json" | grep -v 'added\.avi$' >"$work/second2" || true
cmp -s "$work/first1" "$work/second1" && cmp -s "$work/first2" "$work/second2" ||
  fail "the added file moved others: $(diff "$work/first1" "$work/second1")"
[ "$(find "$work/out2" -name '*.mp3' | wc -l)" = 13 ] || fail "the added file was not converted once"

echo "a K/N naming no share is refused"
for bad in 0/3 4/3 1/0 a/b; do
  code=0
  (cd "$work/one" && wine VidmorphCmd.exe --profile MP3 --shard "$bad" "$(win "$work/clips")") \
    >/dev/null 2>"$work/stderr" </dev/null || code=$?
  [ "$code" = 2 ] || fail "--shard $bad exited with $code"
  grep -q -- "--shard" "$work/stderr" || fail "--shard $bad was not named"
done
echo "cmd_shard: ok"
