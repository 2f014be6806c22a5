#!/usr/bin/env bash
# Installs every Debian package the build, the media pipeline and the tests need.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang ccache
  libsdl2-dev libsdl2-mixer-dev libx11-dev libgl-dev libgl1-mesa-dri
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev ffmpeg
  fluidsynth fluid-soundfont-gm
  libpng-dev zlib1g-dev liblzo2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  librsvg2-bin sox libsox-fmt-mp3 lame fonts-dejavu-core fonts-dejavu-extra libfreetype-dev imagemagick python3
  gdb xvfb xdotool x11-utils
  libspeechd-dev speech-dispatcher espeak-ng
  desktop-file-utils appstream lintian dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
