#!/usr/bin/env bash
# Builds libjpeg (Debian's libjpeg-turbo source package) for a Windows target
# into build/deps/<arch>, where CMake's find_package(JPEG) finds it.
# Usage: build-libjpeg.sh x86_64|i686
set -euo pipefail
arch=$1
top=$(cd "$(dirname "$0")/.." && pwd)
deps=$top/build/deps
prefix=$deps/$arch
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

mkdir -p "$deps/src"
src=$(find "$deps/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -1)
if [ -z "$src" ]; then
  (cd "$deps/src" && apt-get source --download-only -qq libjpeg-turbo >/dev/null)
  dsc=$(ls "$deps/src"/libjpeg-turbo_*.dsc | head -1)
  (cd "$deps/src" && dpkg-source --no-check -x "$(basename "$dsc")" >/dev/null)
  src=$(find "$deps/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -1)
fi

echo "build-libjpeg: building for $arch"
cmake -S "$src" -B "$deps/build-$arch" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
  -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
cmake --build "$deps/build-$arch" >/dev/null
cmake --install "$deps/build-$arch" >/dev/null
echo "build-libjpeg: installed into $prefix"
