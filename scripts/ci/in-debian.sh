#!/usr/bin/env bash
# Runs a command of the repository in a debian:12 container, as root and with CI=true, as the project's
# own CI machines run it: the checkout is mounted at /src, and git is installed first, since the
# scripts read the history (the release's time, the reproducible-build check's clones).
#   bash scripts/ci/in-debian.sh <command> [arguments...]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
[ $# -gt 0 ] || { echo "usage: bash scripts/ci/in-debian.sh <command> [arguments...]" >&2; exit 2; }
command -v docker >/dev/null || { echo "in-debian: docker is needed to start a debian:12 container" >&2; exit 1; }
quoted=$(printf '%q ' "$@")
exec docker run --rm -e CI=true -v "$root:/src" -w /src debian:12 bash -c "
  set -euo pipefail
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git ca-certificates >/dev/null
  git config --global --add safe.directory /src
  $quoted"
