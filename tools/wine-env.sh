# Sourced by the project's scripts: a Wine prefix of the project's own inside
# build/, so a user's own Wine set-up is neither used nor disturbed.
VM_ROOT=${VM_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="$VM_ROOT/build/wineprefix"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts: nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

vm_display_works() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo -display "$DISPLAY" >/dev/null 2>&1
}

# Starts a private virtual X server and exports DISPLAY; stopped by vm_stop_xvfb.
vm_start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  VM_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do vm_display_works && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

vm_stop_xvfb() {
  [ -n "${VM_XVFB_PID:-}" ] && kill "$VM_XVFB_PID" 2>/dev/null
  VM_XVFB_PID=
}

# Creates the prefix on first use (about a minute); later calls return at once.
vm_init_prefix() {
  if [ ! -f "$WINEPREFIX/.vidmorph-ready" ]; then
    echo "wine: creating the prefix in $WINEPREFIX (first use only)"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Without a window manager Wine draws no captions or frames unless told to.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vidmorph-ready"
  fi
}

# The prefix tools/start.sh runs the program in, build/wineprefix-app: set up
# as the tests' prefix, and with a font link so that text the interface
# fonts lack (the Chinese language pack) comes from the CJK font that
# tools/setup.sh installs instead of showing as boxes. The tests keep a prefix
# without it: the link changes how the text of every dialog is drawn.
vm_use_app_prefix() {
  export WINEPREFIX="$VM_ROOT/build/wineprefix-app"
  vm_init_prefix
  if [ ! -f "$WINEPREFIX/.vidmorph-fontlink" ]; then
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    local face
    for face in "MS Sans Serif" "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2" Tahoma \
      "Tahoma Bold" Arial "Segoe UI"; do
      wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f \
        >/dev/null 2>&1
    done
    wineserver -w
    touch "$WINEPREFIX/.vidmorph-fontlink"
  fi
}
