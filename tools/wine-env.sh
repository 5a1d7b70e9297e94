# Sourced by the scripts that run Windows programs: a private Wine prefix inside the build
# folder, an X display of our own (Xvfb) and one persistent wineserver for the whole run.
# Call mw_wine_start after setting MW_BUILD; mw_wine_stop ends both again.

mw_wine_start() {
  export WINEPREFIX="$MW_BUILD/win/wineprefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Wine takes its ANSI code page from the locale: pinned, so results do not depend on the
  # machine (this gives code page 1252).
  export LC_ALL=C.UTF-8

  if [ -z "${MW_KEEP_DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    MW_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi

  mkdir -p "$WINEPREFIX"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
    wineserver -w
    # Every program of the prefix shares one virtual desktop: windows get frames, and a test
    # driver sees the windows of the program it drives.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p >/dev/null 2>&1
  # The first program of a server session starts Wine's own background services, which keep
  # whatever output they inherit open for as long as the server lives. Start them here, with
  # no output to hold, so that ctest never waits on a pipe that a service keeps open.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

mw_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${MW_XVFB_PID:-}" ]; then
    kill "$MW_XVFB_PID" >/dev/null 2>&1 || true
    wait "$MW_XVFB_PID" 2>/dev/null || true
  fi
}
