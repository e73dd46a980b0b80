#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
set -eu

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libepoxy-dev libfaudio-dev
  libtinygltf-dev nlohmann-json3-dev libstb-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  # core X fonts: SDL's message boxes on X11 draw their (Japanese) text with them
  xfonts-base
  # OpenGL under SDL's offscreen driver: Mesa's EGL and llvmpipe
  libegl1 libegl-mesa0 libgl1-mesa-dri libgles2 libglx-mesa0
  # measuring sounds and looking at windows by hand
  sox xvfb
  # the Debian package (make package): CPack finds the game's libraries with
  # file and dpkg-shlibdeps; the package tests validate the menu entry; lintian
  # checks the package by hand
  file dpkg-dev desktop-file-utils lintian
  # the Windows game, cross-built (make windows), and its HLSL checked here
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev glslang-tools
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then
  command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
