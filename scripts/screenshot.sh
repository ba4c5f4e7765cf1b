#!/usr/bin/env bash
# Takes a picture of the screen KORU runs on, for a machine without a display
# of its own: scripts/run-koru.sh starts KORU on a virtual screen.
# Usage: screenshot.sh [picture.png]   (default build/run/screenshot.png)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
harness=${KORU_HARNESS_DIR:-$top/build/run-harness}
picture=${1:-$top/build/run/screenshot.png}
if [ ! -f "$harness/env.sh" ]; then
  echo "screenshot: KORU is not running (start it with scripts/run-koru.sh)" >&2
  exit 1
fi
# shellcheck disable=SC1091
. "$harness/env.sh"
mkdir -p "$(dirname "$picture")"
import -window root "$picture"
echo "$picture"
