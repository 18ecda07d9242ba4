#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, when any is missing.
set -euo pipefail

packages=(cmake ninja-build g++ clang libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-webengine-dev qt6-translations-l10n
  libjpeg62-turbo-dev libcurl4-openssl-dev libsndfile1-dev libasound2-dev
  fonts-noto-cjk xvfb xauth)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
