#!/usr/bin/env bash
# Sets up everything, builds Corvane.exe and starts it under Wine, with the WebView2 test runtime
# beside it standing in for Microsoft's (which does not run under Wine), in a run folder of its own.
# With a display (DISPLAY set) it runs until you close the window. Without one it starts an Xvfb of
# its own, waits until the start page shows, saves a screenshot, prints where, and closes the program;
# if Corvane shows its error box instead, it prints the box's text and fails.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/build.sh --target Corvane webview2_test_runtime error_box
source scripts/wine-env.sh
run="$root/build/mingw/run"
trap 'stop_display; rm -rf "$run"' EXIT
rm -rf "$run" && mkdir -p "$run"
ln build/mingw/bin/Corvane.exe "$run/Corvane.exe"
ln build/mingw/test-bin/WebView2Loader.dll "$run/WebView2Loader.dll"
log="$run/runtime.log"
export CORVANE_WEBVIEW2_LOG="Z:${log//\//\\}"
ensure_wine_prefix

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting Corvane on $DISPLAY"
  "$wine_dir/wine64" "$run/Corvane.exe"
  exit $?
fi

ensure_display
echo "run: no display; starting Corvane on an Xvfb of its own ($DISPLAY)"
"$wine_dir/wine64" "$run/Corvane.exe" </dev/null >/dev/null 2>&1 &
program=$!
error_box() { "$wine_dir/wine64" build/mingw/test-bin/error_box.exe "$@" 2>/dev/null | tr -d '\r'; }
# The start page showing in the window, or the error box: whichever comes first.
shown=""
for _ in $(seq 1 600); do
  if grep -q '^page https://app.corvane.io/#/pos$' "$log" 2>/dev/null; then shown=page; break; fi
  if text=$(error_box); then shown=box; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if [ "$shown" = box ]; then
  echo "run: Corvane could not start and says:" >&2
  printf '%s\n' "$text" | sed 's/^/  /' >&2
  error_box --dismiss >/dev/null || true
  wait "$program" || true
  exit 1
fi
if [ "$shown" != page ]; then
  echo "run: the Corvane window did not show its start page" >&2
  kill "$program" 2>/dev/null || true
  exit 1
fi
sleep 1  # let the start page paint
shot="$root/build/mingw/corvane-screenshot.png"
import -display "$DISPLAY" -window root "$shot"
echo "run: screenshot saved to $shot"
# Closing: WM_CLOSE, as the close box would send.
"$wine_dir/wine64" taskkill /im Corvane.exe >/dev/null 2>&1 || true
status=0
wait "$program" || status=$?
timeout 20 "$wine_dir/wineserver" -w || true  # a persistent server (wineserver -p) never ends by itself
echo "run: Corvane ended with exit code $status"
exit "$status"
