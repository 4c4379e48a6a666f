# Shared by the run and test commands: a private Wine prefix inside the build
# tree and a virtual X display. Source it; it defines functions only.

scrutor_root() { cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd; }

# Exports WINEPREFIX/WINEDEBUG for our own prefix; never touches another prefix.
scrutor_wine_env() {
  local root; root=$(scrutor_root)
  export WINEPREFIX="${SCRUTOR_WINEPREFIX:-$root/build/wine/prefix}"
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  mkdir -p "$(dirname "$WINEPREFIX")"
}

# Starts Xvfb on a free display unless DISPLAY already answers; exports DISPLAY.
# The display must exist before the prefix's first wine process, or the
# wineserver keeps serving invisible windows.
scrutor_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
    return 0
  fi
  scrutor_wine_env
  local state; state=$(dirname "$WINEPREFIX")
  if [ -f "$state/xvfb.display" ] && [ -f "$state/xvfb.pid" ] \
      && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
    export DISPLAY=":$(cat "$state/xvfb.display")"
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
  fi
  rm -f "$state/xvfb.display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$state/xvfb.display" \
    >/dev/null 2>&1 &
  echo $! >"$state/xvfb.pid"
  local i
  for i in $(seq 1 100); do
    [ -s "$state/xvfb.display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(tr -d '\n' <"$state/xvfb.display")"
  # A display from an earlier run may have died: restart the wineserver with it.
  wineserver -k >/dev/null 2>&1 || true
}

# Creates the prefix once and keeps one wineserver alive for the whole run.
scrutor_wine_ready() {
  scrutor_wine_env
  scrutor_ensure_display
  # The registry files appear only when the wineserver saves them, so a marker
  # of our own says the prefix was made. A crash then ends the process with a
  # backtrace instead of waiting on a crash dialog nobody answers.
  if [ ! -f "$WINEPREFIX/.scrutor-ready" ]; then
    echo "wine: creating prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 \
      && wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1 \
      && touch "$WINEPREFIX/.scrutor-ready"
  fi
  # This Wine build does not look in its own font folder, so without a copy in the
  # prefix the caption buttons (drawn with Marlett) show as plain letters.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
  fi
  wineserver -p >/dev/null 2>&1 || true
  # The first wine process of a server starts Wine's background services, which keep its
  # standard handles: started from a test, they would hold CTest's output pipe open and the
  # test would never end. Start them here, on files of our own.
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null || true
}

scrutor_wine_stop() {
  scrutor_wine_env
  wineserver -k >/dev/null 2>&1 || true
  local state; state=$(dirname "$WINEPREFIX")
  if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/xvfb.display"
  fi
}
