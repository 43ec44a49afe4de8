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
. "$root/tests/e2e/wait.bash"
