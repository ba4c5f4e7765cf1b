#!/usr/bin/env bash
# Makes what a Windows user downloads, in build/release/:
#   KORU-<version>-win32.zip, KORU-<version>-win64.zip   (one folder KORU\)
#   KORU-<version>-win32-setup.exe, KORU-<version>-win64-setup.exe
#   SHA256SUMS
# and, not shipped, the programs' debugging symbols in build/release/symbols/.
# The programs are built in Release, optimised for size, with plain CMake and
# without tests; the version is the project's (CMakeLists.txt).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-deps.sh
scripts/build-libjpeg.sh x86_64
scripts/build-libjpeg.sh i686

release=$top/build/release
jobs=$(nproc)

# What goes into the folder KORU\ of every download, by rule: the program,
# every library the build makes (its *.dll), and the read-me. A later library
# is shipped without a change here.
shipped_programs() { find "$1" -maxdepth 1 -type f \( -name 'KORU.exe' -o -iname '*.dll' \) | sort; }

build_programs() {
  local arch=$1 tree=$release/build-$1
  echo "== package: build $arch (Release, size-optimised)"
  # No GoogleTest anywhere (the source folder named does not exist): the
  # configure must not need it.
  cmake -S . -B "$tree" -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_PREFIX_PATH="$top/build/deps/$arch" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_C_FLAGS="-g -ffunction-sections -fdata-sections" \
    -DCMAKE_CXX_FLAGS="-g -ffunction-sections -fdata-sections" \
    -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections" -DCMAKE_SHARED_LINKER_FLAGS="-Wl,--gc-sections" \
    -DKORU_TESTS=OFF -DKORU_GOOGLETEST_SOURCE_DIR="$top/build/no-googletest" >/dev/null
  # Without tests, everything the build makes is shipped or goes into it.
  cmake --build "$tree" -j "$jobs"
}

# Copies the programs of a build tree into a folder, each stripped of its
# symbols; the symbols go into symbols/<arch>/<name>.debug, which the
# stripped file names (a debugger finds them there).
stage_programs() {
  local arch=$1 tree=$release/build-$1 folder=$2
  local triple objcopy
  case "$arch" in
    x86_64) triple=x86_64-w64-mingw32 ;;
    i686) triple=i686-w64-mingw32 ;;
  esac
  objcopy=$triple-objcopy
  mkdir -p "$release/symbols/$arch"
  local program name
  while IFS= read -r program; do
    name=$(basename "$program")
    "$objcopy" --only-keep-debug "$program" "$release/symbols/$arch/$name.debug"
    "$objcopy" --strip-all "$program" "$folder/$name"
    (cd "$release/symbols/$arch" && "$objcopy" --add-gnu-debuglink="$name.debug" "$folder/$name")
  done < <(shipped_programs "$tree")
}

# The read-me: kept as UTF-8 with LF in the sources, shipped in code page
# 932 with CR LF, as Notepad on a Japanese Windows expects.
write_readme() {
  sed -e "s/@KORU_VERSION@/$version/g" -e 's/$/\r/' release/README.TXT.in | iconv -f UTF-8 -t CP932 >"$1/README.TXT"
}

project_version() {
  sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$release/build-x86_64/CMakeCache.txt"
}

rm -rf "$release/stage" "$release/symbols"
mkdir -p "$release"
build_programs x86_64
build_programs i686
version=$(project_version)
[ -n "$version" ] || { echo "package: no project version in the build tree" >&2; exit 1; }
rm -f "$release"/KORU-*.zip "$release"/KORU-*-setup.exe "$release/SHA256SUMS"

# Every file is dated at the last commit (in UTC, as the zips store it), so
# the same sources give the same zips.
export TZ=UTC
stamp=$(git log -1 --format=%cd --date=format-local:%Y%m%d%H%M.%S 2>/dev/null || date +%Y%m%d%H%M.%S)
# objcopy writes this time into the programs' headers instead of the present.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH

for pair in win32:i686 win64:x86_64; do
  target=${pair%%:*} arch=${pair#*:}
  folder=$release/stage/$target/KORU
  mkdir -p "$folder"
  stage_programs "$arch" "$folder"
  write_readme "$folder"
  find "$release/stage/$target" -exec touch -h -t "$stamp" {} +

  echo "== package: KORU-$version-$target.zip"
  (cd "$release/stage/$target" && find KORU -type f | LC_ALL=C sort |
     zip -X -q -9 "$release/KORU-$version-$target.zip" -@)

  echo "== package: KORU-$version-$target-setup.exe"
  # The installer installs and its uninstaller removes exactly the files of
  # the folder.
  file_list=$release/stage/$target.nsh
  {
    echo '!ifdef KORU_INSTALL'
    find "$folder" -maxdepth 1 -type f | LC_ALL=C sort | sed 's/^\(.*\)$/  File "\1"/'
    echo '!endif'
    echo '!ifdef KORU_UNINSTALL'
    find "$folder" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort | sed 's/^\(.*\)$/  Delete "$INSTDIR\\\1"/'
    echo '!endif'
  } >"$file_list"
  nsis_target=x86-unicode
  [ "$arch" = x86_64 ] && nsis_target=amd64-unicode
  makensis -V2 -INPUTCHARSET UTF8 \
    -DKORU_VERSION="$version" -DKORU_TARGET="$target" -DKORU_NSIS_TARGET="$nsis_target" \
    -DKORU_FILE_LIST="$file_list" -DKORU_ICON="$top/ui/koru.ico" -DKORU_OUTPUT="$release/KORU-$version-$target-setup.exe" \
    release/koru.nsi
done

(cd "$release" && sha256sum KORU-"$version"-win32.zip KORU-"$version"-win64.zip \
   KORU-"$version"-win32-setup.exe KORU-"$version"-win64-setup.exe >SHA256SUMS)
echo "== package: done"
(cd "$release" && ls -l KORU-"$version"-* SHA256SUMS)
