#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Quintaro.
# Idempotent: when every package is present it does nothing and asks no server.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev          # Qt 6 Widgets and Qt Test (Qt's CMake files want the GL headers)
  libbenchmark-dev                # micro-benchmarks under bench/
  libxxhash-dev                   # the copy engine hashes the copies it verifies (XXH3)
  qt6-tools-dev qt6-tools-dev-tools libqt6opengl6-dev  # the button's Designer plugin, QUiLoader
  desktop-file-utils appstream libxml2-utils  # checking the installed desktop entry, actions and metainfo
  dpkg-dev file                   # cpack -G DEB and its dependency scan (dpkg-shlibdeps)
  exfat-fuse exfatprogs ntfs-3g bindfs dosfstools fusefat fuse3  # FUSE drives on loop images for the copy tests
  acl                             # setfacl and getfacl for the copy tests' ACL round trip
  xvfb xauth                      # running the program without a display
  weston qt6-wayland xdotool      # the window tests under a Wayland compositor with a seat (tests/wayland)
  fonts-liberation fonts-dejavu-core  # metric-compatible stand-ins for the fonts the windows name
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "setup: missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
