#!/usr/bin/env bash
# Builds and runs every benchmark under Wine on a private virtual display and
# prints what each measured. Usage: tools/bench.sh [name ...] [-- argument ...]
# (default: all of tools/bench/bench_*.cpp); the arguments after "--" go to
# each benchmark named, for example other encoders for bench_runner:
#   tools/bench.sh bench_runner -- 'Z:\work\app\ffmpeg.exe' 'Z:\old\ffmpeg.exe'
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" >/dev/null || { echo "bench: the build failed" >&2; exit 1; }
. "$root/tools/wine-env.sh"
vm_start_xvfb || exit 1
trap 'wineserver -k 2>/dev/null; vm_stop_xvfb' EXIT
vm_init_prefix

names=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  names+=("$1")
  shift
done
[ "${1:-}" = -- ] && shift
if [ ${#names[@]} -eq 0 ]; then
  for src in "$root"/tools/bench/bench_*.cpp "$root"/tools/bench/bench_*.sh; do
    names+=("$(basename "${src%.*}")")
  done
fi
status=0
for name in "${names[@]}"; do
  echo "== $name"
  if [ -f "$root/tools/bench/$name.sh" ]; then
    # A native reference beside a Windows benchmark, in the same environment.
    bash "$root/tools/bench/$name.sh" "$@" || status=1
    continue
  fi
  (cd "$root/build/win/bench" && wine "$name.exe" "$@") 2>&1 | grep -av '^\(fixme\|err\|warn\):'
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
done
exit $status
