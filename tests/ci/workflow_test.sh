#!/usr/bin/env bash
# The CI workflow: actionlint finds no problem in it (only the runner label its build predates is
# accepted), every step it runs calls a script of the repository, and the check itself refuses a
# workflow with a planted mistake.
#   bash tests/ci/workflow_test.sh <actionlint module folder>
set -uo pipefail
module=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
workflow=.github/workflows/ci.yml
lint() { node tests/ci/lint_workflows.js "$module" "$@"; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }

if lint "$workflow" >"$work/out" 2>&1; then echo "ok: actionlint passes $workflow"; else fail "actionlint on $workflow"; cat "$work/out" >&2; fi

# Each run: is one line that calls a repository script, so that nothing in the YAML could not run here.
while IFS= read -r line; do
  command=${line#*run: }
  case "$command" in
    "bash scripts/"*) script=${command#bash }; script=${script%% *}
      [ -f "$script" ] || fail "the workflow runs $script, which the repository lacks" ;;
    *) fail "a step runs something other than a script of the repository: $command" ;;
  esac
done < <(grep -E '^[[:space:]]*(- )?run: +[^[:space:]]' "$workflow")
echo "ok: every step's run calls a script of the repository"

# Mistakes the check must catch, each planted in a copy of the workflow.
while IFS='|' read -r what pattern replacement; do
  sed "s/$pattern/$replacement/" "$workflow" >"$work/planted.yml"
  cmp -s "$workflow" "$work/planted.yml" && { fail "could not plant: $what"; continue; }
  if lint "$work/planted.yml" >/dev/null 2>&1; then fail "actionlint accepted $what"; else echo "ok: refused: $what"; fi
done <<'PLANTED'
an unknown matrix property|matrix\.os }}$|matrix.system }}
an unknown shell|shell: bash$|shell: bsah
a runner label that does not exist|runs-on: windows-2022|runs-on: windows-2021
an unknown job in needs|needs: release|needs: relaese
PLANTED

# The release job packages only the SDK package whose SHA-256 the workflow pins; it stops before building.
mkdir -p "$work/sdk"
printf 'not the package' >"$work/sdk/Microsoft.Web.WebView2.1.0.0.nupkg"
for pin in unpinned 0000000000000000000000000000000000000000000000000000000000000000; do
  if bash scripts/ci/release.sh "$work/sdk" "$pin" >"$work/out" 2>&1; then
    fail "the release accepted a package against the pin $pin"
  elif grep -q "not the pinned $pin" "$work/out"; then
    echo "ok: refused: a package that is not the pinned one ($pin)"
  else
    fail "the release refused the package against the pin $pin without saying why"
    cat "$work/out" >&2
  fi
done

echo "workflow: $failures failures"
[ "$failures" -eq 0 ]
