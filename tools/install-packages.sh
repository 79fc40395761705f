#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Does nothing when all are present.
set -euo pipefail

packages=(
  cmake ninja-build ccache make python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  clang-14 libclang-rt-14-dev googletest
  wine wine64 fonts-wine fonts-liberation
  xvfb xdotool imagemagick x11-utils
  pulseaudio pulseaudio-utils sox libsox-fmt-all espeak-ng
  liblnk-utils nsis
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages and not root: install them with apt-get as root." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
