#!/usr/bin/env bash
# Sets up everything, builds Corvane.exe and starts it under Wine, with the WebView2 test runtime
# beside it standing in for Microsoft's (which does not run under Wine). With a display (DISPLAY set)
# it runs until you close the window. Without one it starts an Xvfb of its own, waits for the window,
# saves a screenshot, prints where, and closes the program.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/build.sh --target Corvane webview2_test_runtime
source scripts/wine-env.sh
exe="$root/build/mingw/bin/Corvane.exe"
ensure_wine_prefix

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting Corvane on $DISPLAY"
  exec "$wine_dir/wine64" "$exe"
fi

ensure_display
trap 'stop_display' EXIT
echo "run: no display; starting Corvane on an Xvfb of its own ($DISPLAY)"
"$wine_dir/wine64" "$exe" </dev/null >/dev/null 2>&1 &
program=$!
if ! window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Corvane$' 2>/dev/null | head -n 1) || [ -z "$window" ]; then
  echo "run: the Corvane window did not appear" >&2
  kill "$program" 2>/dev/null || true
  exit 1
fi
sleep 2  # let the start page paint
shot="$root/build/mingw/corvane-screenshot.png"
import -display "$DISPLAY" -window root "$shot"
echo "run: screenshot saved to $shot"
# Closing: WM_CLOSE, as the close box would send.
"$wine_dir/wine64" taskkill /im Corvane.exe >/dev/null 2>&1 || true
status=0
wait "$program" || status=$?
"$wine_dir/wineserver" -w
echo "run: Corvane ended with exit code $status"
exit "$status"
