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

# The downloads (build/release), which the Windows tests check and install.
# Their programs are the Windows build as the README gives it, with plain
# CMake: no preset, no tests, no GoogleTest anywhere.
echo "== package"
package_started=$SECONDS
scripts/package.sh
for tree in build/release/build-x86_64 build/release/build-i686; do
  if grep -q gtest "$tree/build.ninja"; then
    echo "the configure without tests still builds GoogleTest ($tree)" >&2
    exit 1
  fi
done
echo "== package took $((SECONDS - package_started)) s"

echo "== native tests"
ctest --preset native
echo "== i686 checks (exports of the library doubles, imports of KORU.exe)"
ctest --preset win32
echo "== Windows and end-to-end tests under Wine"
ctest --preset win64
