# Sourced by the end-to-end drivers (not a test itself): waiting for a state.
# Retries a command for up to $1 seconds; the script's own `fail` names what
# never came.
wait_for() {
  local seconds=$1 what=$2
  shift 2
  for _ in $(seq $((seconds * 4))); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.25
  done
  fail "timed out waiting for $what"
}
