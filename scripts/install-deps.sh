#!/usr/bin/env bash
# Installs with apt-get whatever the build and the tests need and is missing.
# A second run finds everything in place and returns within seconds.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine64 xvfb x11-utils xdotool imagemagick pulseaudio
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-ipafont locales
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libtag1-dev libstb-dev vorbis-tools
  dpkg-dev
  nsis p7zip-full zip unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  as_root apt-get update -qq
  DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine reads Japanese text only in a Japanese locale.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "install-deps: generating ja_JP.UTF-8"
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

# Source packages (for libjpeg-turbo's Windows build): derive a deb-src entry
# from the machine's own Debian entries instead of naming any host here.
src_list=/etc/apt/sources.list.d/koru-deb-src.sources
if [ ! -f "$src_list" ] && ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "install-deps: enabling Debian source packages"
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # Only stanzas that carry Debian's own keyring are Debian's archive.
    awk 'BEGIN{RS=""; ORS="\n\n"} /debian-archive-keyring/ { sub(/Types: *deb/, "Types: deb-src"); print }' "$f" >> "$tmp"
  done
  if [ -s "$tmp" ]; then
    as_root install -m 644 "$tmp" "$src_list"
    as_root apt-get update -qq
  fi
  rm -f "$tmp"
fi
echo "install-deps: everything is in place"
