#!/usr/bin/env bash
# Corvane.exe on an X display: a screenshot of its window kept as a test artifact, then Alt+F4 typed
# through the X server ends it with exit code 0, and the test runtime finds the contract kept.
set -uo pipefail
built_exe=$1
test_runtime=$2
artifacts=$3
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
# Corvane with the test runtime beside it, in a run folder of the test's own.
run=$(mktemp -d)
log="$run/runtime.log"
trap 'stop_display; rm -rf "$run"' EXIT
ln "$built_exe" "$run/Corvane.exe" 2>/dev/null || cp "$built_exe" "$run/Corvane.exe"
ln "$test_runtime" "$run/WebView2Loader.dll" 2>/dev/null || cp "$test_runtime" "$run/WebView2Loader.dll"
ensure_wine_prefix
ensure_display || exit 1
mkdir -p "$artifacts"

CORVANE_WEBVIEW2_LOG="Z:${log//\//\\}" "$wine_dir/wine64" "$run/Corvane.exe" --ignored argument </dev/null >/dev/null 2>&1 &
program=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Corvane$' 2>/dev/null | head -n 1)
if [ -z "$window" ]; then
  echo "desktop_test: no Corvane window appeared" >&2
  kill "$program"
  exit 1
fi
sleep 1
import -display "$DISPLAY" -window root "$artifacts/corvane-window.png"
echo "desktop_test: screenshot in $artifacts/corvane-window.png"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers alt+F4
for _ in $(seq 1 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
  echo "desktop_test: Alt+F4 did not end Corvane" >&2
  kill "$program"
  exit 1
fi
wait "$program"
status=$?
echo "desktop_test: Corvane ended with exit code $status"
contract=$(grep '^runtime contract: ' "$log" | tail -n 1)
echo "desktop_test: ${contract:-no contract line}" | tee -a "$artifacts/runtime-contracts.log"
[ "$status" -eq 0 ] && [ "$contract" = "runtime contract: 0 thread violations, 0 strings not freed" ]
