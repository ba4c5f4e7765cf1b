#!/usr/bin/env bash
# Installs what is missing, builds KORU and starts it under Wine in a working
# folder of its own beside the build (build/run), where KORU.ini and the lists
# live from one run to the next. Arguments are passed to KORU.exe.
# Without a display of the caller's, KORU runs on a virtual screen of its own
# (see it with scripts/screenshot.sh); sound goes to a sound server of its
# own; Wine's and the sound libraries' messages go to build/run/wine.log.
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
DISPLAY_BEFORE=${DISPLAY:-}
scripts/wine-harness.sh start "$harness"
trap '"$top/scripts/wine-harness.sh" stop "$harness"' EXIT
# shellcheck disable=SC1091
. "$harness/env.sh"
log=$run/wine.log
if [ -n "${KORU_DISPLAY:-${DISPLAY_BEFORE:-}}" ]; then
  echo "KORU shows on your display $DISPLAY."
else
  echo "KORU runs on a virtual screen ($DISPLAY), so nothing shows here."
  echo "  See it: scripts/screenshot.sh [picture.png]   (default build/run/screenshot.png)"
fi
if [ -S "${PULSE_SERVER#unix:}" ]; then
  echo "  Sound: a sound server of its own ($PULSE_SERVER), as the tests use."
else
  echo "  Sound: none (the sound server did not start; see $harness/state/pulseaudio.log)."
fi
echo "  Its files (KORU.ini, lists): $run"
echo "  Wine's messages: $log"
echo "  Close KORU's window (or press Ctrl+C here) to end."
cd "$run"
"$KORU_WINE" KORU.exe "$@" >"$log" 2>&1
