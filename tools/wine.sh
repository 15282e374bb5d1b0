# Sourced by test.sh and run.sh: one Wine prefix per purpose, made once, and a persistent Wine server
# started detached so that no background service holds a test's output pipe open.
# The 64-bit server serves programs of both widths; WINE is the loader for the programs of one width,
# chosen with wine_arch.
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINE=$WINE64
WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all

# The 32-bit loader comes with Debian's wine32 package, which not every machine can install.
have_wine32() {
  [ -x "$WINE32" ] && dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'
}

# Some machines (a sandboxed kernel) refuse to execute 32-bit programs at all, even with the loader
# installed; wine32_refusal says why, and is empty where 32-bit programs run.
wine32_refusal() {
  local out
  out=$("$WINE32" --version 2>&1) && return 0
  echo "${out##*: }"
}

# Debian's Wine loader comes without its preloader, so the addresses the system randomises for it can
# take the place Wine needs for its shared data: about one process start in a few thousand then fails
# ("failed to map the shared user data"). Where that is a program, it dies without output; where it is
# the shell of a program's desktop, no window of that program can be made. Every start of the loader
# here (the prefix's set-up, the tests and the runs) has the randomisation off, inherited by every
# process it starts, where the layout is always the same one.
fixed_layout=()
if setarch "$(uname -m)" -R true 2>/dev/null; then
  fixed_layout=(setarch "$(uname -m)" -R)
fi

# wine_arch x64|i686: the loader for programs built for that architecture.
wine_arch() {
  case $1 in
  i686) WINE=$WINE32 ;;
  *) WINE=$WINE64 ;;
  esac
}

wine_prefix() {
  export WINEPREFIX="$1"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup: making the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "${fixed_layout[@]}" "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
    "${fixed_layout[@]}" "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f </dev/null >/dev/null 2>&1
    wine_stop
    have_wine32 && touch "$WINEPREFIX/.wine32"
  fi
  wine_prefix_32
  wine_fonts
}

# A prefix made before the 32-bit loader was installed lacks its 32-bit half until it is updated once.
wine_prefix_32() {
  local mark="$WINEPREFIX/.wine32"
  have_wine32 || return 0
  [ -f "$mark" ] && return 0
  "${fixed_layout[@]}" "$WINE64" wineboot -u </dev/null >/dev/null 2>&1
  wine_stop
  touch "$mark"
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
  "${fixed_layout[@]}" "$WINE64" wineboot </dev/null >/dev/null 2>&1
}

# Waits until the server has ended: one still ending holds the prefix, and a server started meanwhile
# gives up.
wine_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
}
