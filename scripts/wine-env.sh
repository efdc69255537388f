# Sourced by the scripts that run Windows programs: one private 32-bit Wine prefix,
# a Chinese locale (ANSI code page 936), no crash dialogs, no Mono or Gecko prompts.
# Expects MOXAVEL_WINEPREFIX to be set by the caller.

export WINEARCH=win32
export WINEPREFIX="$MOXAVEL_WINEPREFIX"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8

# Creates and configures the prefix once; later calls only check a stamp file.
moxavel_prepare_prefix() {
  local stamp="$WINEPREFIX/.moxavel-prefix-ready-2"
  [ -f "$stamp" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    # Two test runs preparing the same prefix at once would corrupt it.
    flock 9
    [ -f "$stamp" ] && exit 0
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Wine has no SimSun; the controls' Song typeface falls back to WenQuanYi Zen Hei.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /t REG_SZ /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'SimSun' /t REG_SZ /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
    # One Wine desktop of a known size: windows get title bars without a window manager,
    # and hiding a window does not wait for a window manager that never answers.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1920x1080 /f >/dev/null 2>&1
    wineserver -w
    touch "$stamp"
  ) 9>"$WINEPREFIX.lock"
}

# Starts a private Xvfb when there is no display; sets MOXAVEL_XVFB_PID.
moxavel_start_display() {
  MOXAVEL_XVFB_PID=
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
    MOXAVEL_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && return 0
      kill -0 "$MOXAVEL_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$MOXAVEL_XVFB_PID" 2>/dev/null || true
    MOXAVEL_XVFB_PID=
    unset DISPLAY
  done
  echo "could not start Xvfb" >&2
  return 1
}

moxavel_stop_display() {
  if [ -n "${MOXAVEL_XVFB_PID:-}" ]; then
    kill "$MOXAVEL_XVFB_PID" 2>/dev/null || true
    wait "$MOXAVEL_XVFB_PID" 2>/dev/null || true
    MOXAVEL_XVFB_PID=
  fi
}
