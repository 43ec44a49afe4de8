#!/usr/bin/env bash
# Today's inputs, made by Debian's own encoder and exiftool, converted by the
# console program with the bundled encoder: each input with one profile, so
# that every container and every later profile is met; every output probed
# by Debian's ffprobe for its container, codecs, orientation and duration,
# and a truncated MP4 fails with a reason. A profile whose encoder library is
# missing from the build fails here like any other.
# Run by tools/test.sh with VM_ROOT and the Wine environment set.
set -euo pipefail
root=${VM_ROOT:?VM_ROOT must name the repository}
app="$root/build/app"
for f in "$app/VidmorphCmd.exe" "$app/ffmpeg.exe"; do
  [ -f "$f" ] || { echo "FAIL: missing $f (build the Windows targets first)" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/app"
cp "$app/VidmorphCmd.exe" "$app/ffmpeg.exe" "$work/app/"
"$root/tools/corpus/make_corpus.sh" "$work/corpus" 2 >/dev/null
python3 "$root/tools/corpus/convert_corpus.py" "$work/app" "$work/corpus" "$work/out" --pairs
