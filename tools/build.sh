#!/usr/bin/env bash
# Sets up what is missing and builds the Windows program and the native code.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
jobs=$(nproc)
cmake -S "$root" -B "$root/build/win" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake" >/dev/null
cmake --build "$root/build/win" -j"$jobs" "$@"
