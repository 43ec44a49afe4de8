#!/usr/bin/env bash
# Sets up, builds and runs every test: checks of the tree (the layer table,
# the format), native unit tests (with sanitizers), fuzzers for a bounded
# time, Windows tests and end-to-end tests under Wine.
# Ends with one line: "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
logs="$root/build/test-logs"
fuzz_seconds=${VM_FUZZ_SECONDS:-20}
jobs=$(nproc)

"$root/tools/setup.sh" || { echo "0 passed, 1 failed"; exit 1; }
mkdir -p "$logs"
passed=0
failed=0
failures=()

pass() { passed=$((passed + $1)); }
fail() { failed=$((failed + $1)); failures+=("$2"); }

# Prints what each failed test reported, so that a run read only from its
# output still tells why; long reports are cut.
failure_details() {
  awk '/^\[ RUN      \]/ { n = 0; block = $0; next }
       /^\[       OK \]/ { block = ""; next }
       /^\[  FAILED  \] [A-Za-z]/ { if (block != "") print block "\n" $0; block = ""; next }
       block != "" && n < 40 && !/^(fixme|err|warn):/ { block = block "\n" $0; n++ }' "$1"
}

# Adds a GoogleTest run's counts; a run that ends without its summary counts as one failure.
count_gtest() {
  local name=$1 log=$2 rc=$3 p f
  p=$(grep -aoE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -n1)
  f=$(grep -aoE '^\[  FAILED  \] [0-9]+ tests?, listed below' "$log" | grep -oE '^\[  FAILED  \] [0-9]+' | grep -oE '[0-9]+$' | tail -n1)
  [ -n "$p" ] && pass "$p"
  if [ -n "$f" ]; then
    failure_details "$log"
    fail "$f" "$name: $(grep -a '^\[  FAILED  \] [A-Za-z]' "$log" | sed 's/^\[  FAILED  \] //' | sort -u | tr '\n' ' ')"
  elif [ -z "$p" ] || [ "$rc" != 0 ]; then
    fail 1 "$name: ended without a result (exit $rc), see $log"
  fi
}

build() {  # name, log, cmake args...
  local name=$1 log=$2
  shift 2
  if ! "$@" >"$log" 2>&1; then
    tail -n 30 "$log"
    fail 1 "$name build (see $log)"
    return 1
  fi
}

# A check that reads the tree: one test in the summary.
check() {  # name, log, command...
  local name=$1 log=$2
  shift 2
  if "$@" >"$log" 2>&1; then
    pass 1
    echo "$name: ok ($(tail -n1 "$log"))"
  else
    tail -n 30 "$log"
    fail 1 "$name (see $log)"
  fi
}

# Every source file, product and test, as the repo's .clang-format lays it out.
format_check() {
  (cd "$root" && find app cmd convert framework profiles program skin tests tools \
    \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z | xargs -0 clang-format --dry-run --Werror) &&
    echo "every source file follows .clang-format"
}

echo "== checks of the tree"
check "layer table" "$logs/layers.log" python3 "$root/tools/check_layers.py"
check "layer check refuses planted includes" "$logs/layers-planted.log" \
  python3 "$root/tools/check_layers_test.py"
check "format" "$logs/format.log" format_check

echo "== native build and unit tests"
if build native "$logs/native-build.log" bash -c "cmake -S '$root' -B '$root/build/native' -G Ninja >/dev/null && cmake --build '$root/build/native' -j$jobs"; then
  "$root/build/native/vm_native_tests" >"$logs/native.log" 2>&1
  count_gtest native "$logs/native.log" $?
  tail -n 3 "$logs/native.log"
fi

echo "== fuzzers (${fuzz_seconds}s each)"
if build fuzz "$logs/fuzz-build.log" bash -c "CC=clang-14 CXX=clang++-14 cmake -S '$root' -B '$root/build/fuzz' -G Ninja -DVM_FUZZ=ON >/dev/null && cmake --build '$root/build/fuzz' -j$jobs"; then
  for src in "$root"/tests/fuzz/*.cpp; do
    [ -e "$src" ] || continue
    name=$(basename "$src" .cpp)
    corpus="$root/build/fuzz/corpus-$name"
    mkdir -p "$corpus"
    if "$root/build/fuzz/$name" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 "$corpus" >"$logs/$name.log" 2>&1; then
      pass 1
      echo "$name: ok ($(grep -aoE 'Done [0-9]+ runs' "$logs/$name.log" | tail -n1))"
    else
      fail 1 "$name: crash, see $logs/$name.log"
    fi
  done
fi

echo "== Windows build"
if build windows "$logs/win-build.log" bash -c "cmake -S '$root' -B '$root/build/win' -G Ninja -DCMAKE_TOOLCHAIN_FILE='$root/cmake/mingw64.cmake' >/dev/null && cmake --build '$root/build/win' -j$jobs"; then
  . "$root/tools/wine-env.sh"
  if vm_start_xvfb; then
    trap 'wineserver -k 2>/dev/null; vm_stop_xvfb' EXIT
    vm_init_prefix
    echo "== Windows tests under Wine"
    (cd "$root/build/win" && timeout 2400 wine vm_win_tests.exe) >"$logs/win.log" 2>&1
    count_gtest windows "$logs/win.log" $?
    tail -n 3 "$logs/win.log"

    # The shipped theme, every part and state on one sheet, for a person to look at.
    if (cd "$root/build/win" && timeout 120 wine bench/theme_sheet.exe "$(winepath -w "$logs/theme_sheet.png")") >"$logs/theme-sheet.log" 2>&1; then
      pass 1
      echo "theme sheet: $logs/theme_sheet.png"
    else
      fail 1 "theme sheet (see $logs/theme-sheet.log)"
    fi

    echo "== end-to-end tests"
    for t in "$root"/tests/e2e/*.sh; do
      [ -e "$t" ] || continue
      name=$(basename "$t" .sh)
      if VM_ROOT="$root" timeout 900 bash "$t" >"$logs/e2e-$name.log" 2>&1; then
        pass 1
        echo "$name: ok"
      else
        fail 1 "e2e $name (see $logs/e2e-$name.log)"
        tail -n 15 "$logs/e2e-$name.log"
      fi
    done
  else
    fail 1 "no virtual display for the Windows tests"
  fi
fi

for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
