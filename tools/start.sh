#!/usr/bin/env bash
# Sets up, builds and starts the program under Wine on the current display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
if ! vm_display_works; then
  echo "No display: DISPLAY is '${DISPLAY:-}' and no X server answers there." >&2
  echo "Run this from a desktop session, or under a virtual one: xvfb-run -a $0" >&2
  exit 2
fi
"$root/tools/build.sh" --target Vidmorph AuxDmo app_files
vm_use_app_prefix
exec wine "$root/build/app/Vidmorph.exe"
