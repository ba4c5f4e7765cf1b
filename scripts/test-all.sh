#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# the native unit tests (sanitizers on), the Windows tests under Wine and the
# end-to-end tests of KORU.exe under Wine and Xvfb.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-deps.sh
scripts/build-libjpeg.sh x86_64
scripts/build-libjpeg.sh i686

jobs=$(nproc)
for preset in native win64 win32; do
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done

echo "== native tests"
ctest --preset native
echo "== Windows and end-to-end tests under Wine"
ctest --preset win64
