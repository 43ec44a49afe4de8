#!/usr/bin/env bash
# The whole cross-product of today's inputs and the profiles: every input of
# the corpus with every profile of its kind, in the long and the short form,
# and with every quality row of the later video profiles, converted by the
# console program with the bundled encoder under Wine and probed by Debian's
# ffprobe. Prints a line per conversion and a summary; takes an hour or more.
# Usage: tools/formats_report.sh [SECONDS]   (each input's length, default 2)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
app="$root/build/app"
for f in "$app/VidmorphCmd.exe" "$app/ffmpeg.exe"; do
  [ -f "$f" ] || { echo "formats_report: missing $f (run tools/build.sh)" >&2; exit 1; }
done
. "$root/tools/wine-env.sh"
vm_start_xvfb || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"; wineserver -k 2>/dev/null; vm_stop_xvfb' EXIT
vm_init_prefix
mkdir -p "$work/app"
cp "$app/VidmorphCmd.exe" "$app/ffmpeg.exe" "$work/app/"
"$root/tools/corpus/make_corpus.sh" "$work/corpus" "${1:-2}" >/dev/null
python3 "$root/tools/corpus/convert_corpus.py" "$work/app" "$work/corpus" "$work/out" --all
