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
    wine_stop
  fi
  wine_fonts
}

# Wine's own fonts: the symbol font that draws the caption buttons (minimise, maximise, close) and the
# faces programs ask for by name ("MS Sans Serif", "Tahoma", "Courier"). This Wine does not load them from
# its own fonts folder: without them the caption buttons show as letters and text falls back to a wider
# face that no longer fits the controls laid out for it. Their copies come with the fonts-wine package; a
# prefix made before they were added gets them too.
wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  [ -d "$fonts" ] || return 0
  for font in /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon; do
    [ -f "$font" ] && [ ! -f "$fonts/${font##*/}" ] && cp "$font" "$fonts/"
  done
  return 0
}

# The server is started in the foreground, where it returns once it is ready, and only then a program:
# a program that finds no server starts one of its own, which ends a few seconds after it and takes
# down whatever starts in that moment (such as the first test program that CTest lists).
wine_start() {
  setsid "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  if ! "$WINESERVER" -k0 2>/dev/null; then
    echo "setup: the Wine server for $WINEPREFIX did not start" >&2
    return 1
  fi
  "$WINE" wineboot </dev/null >/dev/null 2>&1
}

# Waits until the server has ended: one still ending holds the prefix, and a server started meanwhile
# gives up.
wine_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
}
