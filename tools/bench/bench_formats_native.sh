#!/usr/bin/env bash
# bench_formats' reference: the same clip and the program's own command lines
# for H.264, H.265, AV1 and WebM Video (from the console program's dry run),
# run by Debian's native build of the same encoder libraries on this machine,
# so that what Wine adds to each encoder shows beside bench_formats' table.
# Run by tools/bench.sh in its Wine environment; needs build/app.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
app="$root/build/app"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seconds=60
ffmpeg -v error -y -f lavfi -i "testsrc=size=1280x720:rate=30,rotate=a=0.2*t" -f lavfi -i sine \
  -t $seconds -vcodec mpeg4 -q:v 2 -acodec mp2 "$work/clip.avi"
echo "$seconds s of 1280x720 at 30 frames a second, preselected rows, long form, natively"
printf '%-14s %9s %10s %11s %12s %11s\n' profile "time (s)" "real time" "size (KiB)" time/H.264 \
  size/H.264
base_time= base_size= status=0
for profile in 6 27 28 29; do
  line=$(cd "$app" && wine VidmorphCmd.exe --profile $profile --out "$(winepath -w "$work")" \
    --dry-run "$(winepath -w "$work/clip.avi")" 2>/dev/null | tr -d '\r')
  # The encoder's arguments after its own path, with the paths made Linux paths again.
  mapfile -t args < <(python3 -c '
import re, shlex, sys
line = re.sub(r"\"[Zz]:(\\[^\"]*)\"", lambda m: "\"" + m.group(1).replace("\\", "/") + "\"", sys.argv[1])
print("\n".join(shlex.split(line)[1:]))' "$line")
  output=${args[-1]}
  name=$(cd "$app" && wine VidmorphCmd.exe --list-profiles 2>/dev/null | tr -d '\r' |
    awk -v p=$profile '$1 == p {
      $1 = ""; sub(/^ +/, ""); sub(/ +(video|audio).*$/, ""); sub(/\(\.[^)]*\)$/, ""); print }')
  start=$(date +%s.%N)
  if ! ffmpeg -v error -nostdin "${args[@]}" 2>/dev/null || [ ! -s "$output" ]; then
    echo "$name: failed"
    status=1
    continue
  fi
  time=$(echo "$(date +%s.%N) - $start" | bc)
  size=$(stat -c %s "$output")
  [ -n "$base_time" ] || { base_time=$time; base_size=$size; }
  printf '%-14s %9.1f %10.2f %11d %12.2f %11.2f\n' "$name" "$time" \
    "$(echo "$seconds / $time" | bc -l)" $((size / 1024)) "$(echo "$time / $base_time" | bc -l)" \
    "$(echo "$size / $base_size" | bc -l)"
done
exit $status
