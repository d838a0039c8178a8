#!/usr/bin/env bash
# On a Windows runner (Git Bash): installs the release's MSI for the user with msiexec /qn, brings the
# WebView2 Runtime up to date with Microsoft's Evergreen Bootstrapper (the download link of Corvane's
# own dialog), prints the runtime version the shipped loader finds, runs the smoke program against
# the installed Corvane in both modes, and uninstalls. The screenshot and the figures go to <results>.
#   bash scripts/ci/windows-smoke.sh <dist folder with the MSI and smoke.exe> <results folder>
# Under Wine (the packaging test) the same steps run with CORVANE_WINDOWS_RUN=wine64, the installed
# folder in CORVANE_INSTALLED and CORVANE_SKIP_RUNTIME_UPDATE=1.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
[ $# -eq 2 ] || { echo "usage: bash scripts/ci/windows-smoke.sh <dist folder> <results folder>" >&2; exit 2; }
dist=$(cd "$1" && pwd) results=$2
mkdir -p "$results" && results=$(cd "$results" && pwd)
run=${CORVANE_WINDOWS_RUN:-}
# Git Bash rewrites arguments that look like paths, /qn among them; Windows programs get them as given.
export MSYS2_ARG_CONV_EXCL='*'

windows_path() {
  if command -v cygpath >/dev/null; then cygpath -w "$1"; else printf 'Z:%s' "${1//\//\\}"; fi
}
windows() { $run "$@"; }
say() { echo "windows-smoke: $*"; }

msis=("$dist"/Corvane-*-x64.msi)
[ -f "${msis[0]}" ] || { say "no Corvane-<version>-x64.msi in $dist"; exit 1; }
msi=${msis[0]}
smoke=$(windows_path "$dist/smoke.exe")
if [ -n "${CORVANE_INSTALLED:-}" ]; then
  installed=$CORVANE_INSTALLED
else
  installed=$(cygpath -u "$LOCALAPPDATA")/Programs/Corvane
fi

failures=()
step() {  # step <what> <command...>
  local what=$1
  shift
  say "$what"
  "$@" || failures+=("$what")
}

step "installing $(basename "$msi") for this user" windows msiexec /i "$(windows_path "$msi")" /qn
[ -f "$installed/Corvane.exe" ] || failures+=("the MSI installed no $installed/Corvane.exe")

if [ "${CORVANE_SKIP_RUNTIME_UPDATE:-0}" != 1 ]; then
  link=$(sed -n 's/.*DownloadLink = "\(.*\)";/\1/p' "$root/app/config.h")
  bootstrapper="$results/MicrosoftEdgeWebview2Setup.exe"
  say "updating the WebView2 Runtime with the Evergreen Bootstrapper from $link"
  if curl -fsSL -o "$bootstrapper" "$link"; then
    # It answers non-zero when the runtime is already current: that is no failure.
    windows "$(windows_path "$bootstrapper")" /silent /install || say "the bootstrapper ended with code $?"
    rm -f "$bootstrapper"
  else
    failures+=("downloading the Evergreen Bootstrapper")
  fi
fi

step "the runtime version" windows "$smoke" "$(windows_path "$installed")" --runtime-version
step "smoke: the window and the browser inside it" \
  windows "$smoke" "$(windows_path "$installed")" --out "$(windows_path "$results")"
step "smoke: the dialog for a missing runtime" windows "$smoke" "$(windows_path "$installed")" --missing-runtime
step "uninstalling" windows msiexec /x "$(windows_path "$msi")" /qn
[ ! -e "$installed/Corvane.exe" ] || failures+=("the uninstall left $installed/Corvane.exe")

if [ ${#failures[@]} -gt 0 ]; then
  say "FAILED: $(IFS=';'; echo "${failures[*]}")"
  exit 1
fi
say "passed: installed, both smoke modes, uninstalled"
