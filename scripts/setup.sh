#!/usr/bin/env bash
# Installs the Debian 12 packages that Varlem needs to build, run and test (only the missing ones).
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev libxkbcommon-dev
          fonts-liberation xvfb xauth libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcli11-dev ccache qt6-translations-l10n
          desktop-file-utils appstream dpkg-dev file clang-format)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
