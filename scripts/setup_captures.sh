#!/usr/bin/env bash
# Installs the Debian 12 packages the screenshots are taken with (only the missing ones): a
# window manager that draws title bars under Xvfb, ImageMagick to grab the screen and to shrink
# the pictures, and the X tools that list and move windows.
set -euo pipefail
packages=(openbox imagemagick x11-utils xdotool xvfb xauth)
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
