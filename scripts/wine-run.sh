#!/usr/bin/env bash
# Runs one Windows program inside the harness started by wine-harness.sh.
# Usage: wine-run.sh HARNESS_DIR program.exe [arguments...]
set -euo pipefail
dir=${1:?harness folder}; shift
# shellcheck disable=SC1091
. "$dir/env.sh"
exec "$KORU_WINE" "$@"
