# Sourced by test.sh and run.sh: one Wine prefix per purpose, made once, and a persistent Wine server
# started detached so that no background service holds a test's output pipe open.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all

wine_prefix() {
  export WINEPREFIX="$1"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f </dev/null >/dev/null 2>&1
    "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
}

wine_start() {
  setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 &
  "$WINE" wineboot </dev/null >/dev/null 2>&1
}

wine_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
}
