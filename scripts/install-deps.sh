#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing moravin need.
# Only packages that are missing are installed, so a second run costs nothing.
set -euo pipefail

packages=(
  # build
  build-essential cmake qt6-base-dev qt6-base-dev-tools clang-format
  # fonts: the Japanese proportional gothic that stands in for the window font
  fonts-ipafont-gothic fontconfig
  # a real X server, window manager, keyboard and clipboard for the end-to-end tests
  xvfb xauth x11-utils xdotool xclip openbox imagemagick
  # input methods (and the private session bus fcitx5 is reached on) and Wayland
  qt6-wayland fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc weston dbus
  # fuzzing and sanitizers
  clang-14 libclang-rt-14-dev llvm-14
  # installation checks and packaging
  desktop-file-utils appstream dpkg-dev file
  # the benchmark's measuring script
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
