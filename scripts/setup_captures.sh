#!/usr/bin/env bash
# Installs the Debian 12 packages the screenshots are taken with (only the missing ones): a
# window manager that draws title bars under Xvfb, ImageMagick to grab the screen and to shrink
# the pictures, and the X tools that list and move windows.
set -euo pipefail
packages=(openbox imagemagick x11-utils xdotool xvfb xauth)
source "$(dirname "$0")/paquets.sh"
installer_manquants "${packages[@]}"
