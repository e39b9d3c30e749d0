# Sourced: prepares a Wine prefix and an X display for running the Windows
# build on Linux. Inputs (optional): SPACEVISIT_WINEPREFIX, SPACEVISIT_DISPLAY_SIZE.
# Exports: SPACEVISIT_ARCH (i686 or x86_64), WINE, WINEPREFIX, WINEARCH, DISPLAY.

# The shipped program is 32-bit. Some Linux hosts cannot execute 32-bit code
# at all (no IA-32 emulation in the kernel or hypervisor); there Wine's
# 32-bit half cannot start, and the same sources are run as an x86_64 build.
# An emulator registered for 32-bit programs (binfmt) would start Wine's
# 32-bit half, but far too slowly to test with: that counts as "cannot".
spacevisit_detect_arch() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1 &&
     ! grep -qs 'interpreter .*qemu-i386' /proc/sys/fs/binfmt_misc/*; then
    echo i686
  else
    echo x86_64
  fi
}

: "${SPACEVISIT_ARCH:=$(spacevisit_detect_arch)}"
export SPACEVISIT_ARCH
if [ "$SPACEVISIT_ARCH" = i686 ]; then
  export WINE=wine WINEARCH=win32
else
  export WINE=/usr/lib/wine/wine64 WINEARCH=win64
fi
export WINEPREFIX="${SPACEVISIT_WINEPREFIX:-$HOME/.local/share/spacevisit/wine-$SPACEVISIT_ARCH}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Chinese texts: code page 936 and a CJK-capable GUI font.
{ export LC_ALL=zh_CN.UTF-8; } 2>/dev/null

# Settings of the prefix; bump the stamp when they change.
spacevisit_prefix_settings_stamp=2
spacevisit_apply_prefix_settings() {
  local r=(timeout 60 "$WINE" reg add)
  "${r[@]}" 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Wine draws frames and captions itself, so screenshots show them even
  # without a window manager.
  "${r[@]}" 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  # The Chinese system fonts the window is laid out for are not installed:
  # stand in fonts with the same proportions (half-width Latin, 12-pixel
  # ideographs at the default size).
  local key='HKCU\Software\Wine\Fonts\Replacements' face
  for face in SimSun NSimSun 宋体 新宋体; do
    "${r[@]}" "$key" /v "$face" /t REG_SZ /d "WenQuanYi Zen Hei Mono" /f >/dev/null 2>&1
  done
  for face in SimHei 黑体; do
    "${r[@]}" "$key" /v "$face" /t REG_SZ /d "WenQuanYi Zen Hei" /f >/dev/null 2>&1
  done
}

spacevisit_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.spacevisit-ready" ]; then
      rm -rf "$WINEPREFIX"
      timeout 300 "$WINE" wineboot -i >/dev/null 2>&1 || true
      [ -d "$WINEPREFIX/drive_c" ] && touch "$WINEPREFIX/.spacevisit-ready"
    fi
    if [ -f "$WINEPREFIX/.spacevisit-ready" ] &&
       [ "$(cat "$WINEPREFIX/.spacevisit-settings" 2>/dev/null)" != "$spacevisit_prefix_settings_stamp" ]; then
      spacevisit_apply_prefix_settings
      echo "$spacevisit_prefix_settings_stamp" > "$WINEPREFIX/.spacevisit-settings"
    fi
  ) 9>"$WINEPREFIX.lock"
  [ -f "$WINEPREFIX/.spacevisit-ready" ] || { echo "wine-env: could not create the Wine prefix $WINEPREFIX" >&2; return 1; }
}

# Starts Xvfb on a free display unless DISPLAY already works. Sets
# SPACEVISIT_XVFB_PID when it started one.
spacevisit_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local size="${SPACEVISIT_DISPLAY_SIZE:-1366x768x24}" n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
    SPACEVISIT_XVFB_PID=$!
    for _ in $(seq 50); do
      DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && { export DISPLAY=":$n"; return 0; }
      kill -0 "$SPACEVISIT_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

spacevisit_stop_display() {
  [ -n "${SPACEVISIT_XVFB_PID:-}" ] && kill "$SPACEVISIT_XVFB_PID" 2>/dev/null
  SPACEVISIT_XVFB_PID=
}
