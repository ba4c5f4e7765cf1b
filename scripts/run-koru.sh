#!/usr/bin/env bash
# Installs what is missing, builds KORU and starts it under Wine in a working
# folder of its own beside the build (build/run), where KORU.ini and the lists
# live from one run to the next. Arguments are passed to KORU.exe.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-deps.sh
scripts/build-libjpeg.sh x86_64
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target KORU LUMETRIX

run=$top/build/run
mkdir -p "$run"
cp build/win64/KORU.exe build/win64/LUMETRIX.dll "$run/"

harness=$top/build/run-harness
scripts/wine-harness.sh start "$harness"
trap '"$top/scripts/wine-harness.sh" stop "$harness"' EXIT
# shellcheck disable=SC1091
. "$harness/env.sh"
echo "KORU runs on display $DISPLAY"
cd "$run"
"$KORU_WINE" KORU.exe "$@"
