#!/usr/bin/env bash
# Installs the Debian 12 packages that Varlem needs to build, run and test (only the missing ones).
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-svg-dev libxkbcommon-dev
          fonts-liberation xvfb xauth libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libcli11-dev ccache qt6-translations-l10n
          desktop-file-utils appstream dpkg-dev file clang-format)
source "$(dirname "$0")/paquets.sh"
installer_manquants "${packages[@]}"
