# Sourced by the console program's end-to-end scripts (not a test itself: the
# test command runs only *.sh): where the builds are, and the small steps
# every such script takes. Needs VM_ROOT and the Wine environment.
root=${VM_ROOT:?VM_ROOT must name the repository}
build=${VM_WIN_BUILD:-$root/build/win}
app="$root/build/app"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Fails unless every file named is there.
need_built() {
  for f in "$@"; do
    [ -f "$f" ] || fail "missing $f (build the Windows targets first)"
  done
}
win() { winepath -w "$1"; }
# DIR gets the console program and ENCODER as its ffmpeg.exe.
program_folder() {
  mkdir -p "$1"
  cp "$app/VidmorphCmd.exe" "$1/"
  cp "$2" "$1/ffmpeg.exe"
}
# Retries a command for up to $1 seconds.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  for _ in $(seq $((seconds * 5))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  fail "timed out waiting for $what"
}
