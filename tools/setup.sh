#!/usr/bin/env bash
# Brings a fresh Debian 12 machine to the point where Vellumtide builds:
# Debian packages, the whisper.cpp source and the bundled fonts. Every step
# is skipped when its result is already there, so a second run is quick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps="$root/.deps"
mkdir -p "$deps"

packages=(
  build-essential cmake ninja-build pkg-config git ca-certificates
  qt6-base-dev qt6-multimedia-dev libqt6svg6 qt6-svg-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev ffmpeg
  libicu-dev nlohmann-json3-dev
  libhunspell-dev hunspell-en-us wordnet-base
  libopencv-dev opencv-data
  libfftw3-dev
  libpocketsphinx-dev libsphinxbase-dev pocketsphinx-en-us
  libcurl4-openssl-dev
  espeak-ng sox xvfb xauth desktop-file-utils
  libfontconfig-dev fonts-dejavu-core fonts-noto-core fonts-noto-extra fonts-noto-color-emoji fonts-urw-base35 fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# npm may come with a nodejs package of another origin; only ask Debian for it when absent.
command -v npm >/dev/null 2>&1 || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

for step in "$root"/tools/setup.d/*.sh; do
  [ -e "$step" ] || continue
  bash "$step" "$root" "$deps"
done
