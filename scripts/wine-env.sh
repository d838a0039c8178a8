# Shared by the scripts that run Windows programs under Wine. Source it; it defines functions only.

corvane_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine_dir=/usr/lib/wine

export WINEPREFIX="${CORVANE_WINEPREFIX:-$corvane_root/.deps/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64
# A UTF-8 locale keeps non-ASCII text intact on its way out of Wine (URLs handed to the browser script).
export LANG=C.UTF-8 LC_ALL=C.UTF-8

wine_reg() { "$wine_dir/wine64" reg add "$@" /f >/dev/null 2>&1; }

# Creates the prefix on first use, with the settings headless tests need. Serialised with a lock so
# that parallel test processes never build it twice. Only a prefix the project created is ever
# removed: CORVANE_WINEPREFIX may point at a user's own (~/.wine), which is refused rather than
# rebuilt. The project's prefix carries .corvane-owned from the start of its creation, and
# .corvane-ready once it is complete.
ensure_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.corvane-ready" ] && exit 0
    if [ -e "$WINEPREFIX" ] && [ ! -f "$WINEPREFIX/.corvane-owned" ] && [ -n "$(ls -A "$WINEPREFIX" 2>/dev/null)" ]; then
      echo "wine: $WINEPREFIX is a Wine prefix Corvane did not create; it is left as it is." >&2
      echo "wine: point CORVANE_WINEPREFIX at an empty or new folder instead." >&2
      exit 1
    fi
    rm -rf "$WINEPREFIX"  # an unfinished prefix of the project's own
    mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/.corvane-owned"
    echo "wine: creating the prefix $WINEPREFIX (about 20 s, once)" >&2
    # Skip the Mono and Gecko installers: nothing here needs them and the machine has no network.
    WINEDLLOVERRIDES="mscoree,mshtml=" "$wine_dir/wine64" wineboot -i >/dev/null 2>&1
    wine_reg 'HKCU\Software\Wine' /v Version /d win10
    # Without a window manager every hide or destroy of a shown window stalls for 2 s.
    wine_reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
    # A crash must end the process, not open a modal debugger window that hangs the run.
    wine_reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    "$wine_dir/wineserver" -w
    touch "$WINEPREFIX/.corvane-ready"
  ) 9>"$(dirname "$WINEPREFIX")/.wineprefix.lock"
}

# What tests change in the prefix, put back as a fresh prefix has it: a test that was killed cannot
# have restored it itself. Files tests leave behind go too. Run with no Wine process running.
reset_wine_prefix() {
  local known
  known=$(mktemp --suffix=.reg)
  cat >"$known" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize]
"AppsUseLightTheme"=-

[-HKEY_CURRENT_USER\Software\Wine\WineBrowser]

[-HKEY_CLASSES_ROOT\tel]
REG
  "$wine_dir/wine64" regedit /S "Z:${known//\//\\}" >/dev/null 2>&1
  rm -f "$known"
  rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/corvane-* "$WINEPREFIX"/drive_c/users/Public/corvane-* \
    "$WINEPREFIX"/drive_c/users/Public/CON.txt
}

xvfb_pid=""
# Gives the caller an X display: the caller's own if DISPLAY is set, otherwise a fresh Xvfb.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  local n
  n=$(tr -dc '0-9' <"$fdfile")
  rm -f "$fdfile"
  [ -n "$n" ] || { echo "wine: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$n"
}

stop_display() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}
