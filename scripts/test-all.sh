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

# The Windows build as the README gives it, with plain CMake: no preset, no
# tests, no GoogleTest anywhere (the source folder named does not exist).
echo "== build KORU.exe with plain CMake, without tests"
plain=build/win64-plain
cmake -S . -B "$plain" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake \
  -DCMAKE_PREFIX_PATH="$top/build/deps/x86_64" -DKORU_TESTS=OFF \
  -DKORU_GOOGLETEST_SOURCE_DIR="$top/build/no-googletest" >/dev/null
if grep -q gtest "$plain/build.ninja"; then
  echo "the configure without tests still builds GoogleTest" >&2
  exit 1
fi
cmake --build "$plain" -j "$jobs" --target KORU LUMETRIX

echo "== native tests"
ctest --preset native
echo "== i686 checks (exports of the library doubles, imports of KORU.exe)"
ctest --preset win32
echo "== Windows and end-to-end tests under Wine"
ctest --preset win64
