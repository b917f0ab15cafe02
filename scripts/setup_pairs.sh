#!/usr/bin/env bash
# Installs the Debian 12 packages of the peer timings (only the missing ones): GNU Octave with
# its control package for the root locus, scipy and matplotlib for the Python peers.
set -euo pipefail
packages=(octave octave-control python3-scipy python3-matplotlib)
source "$(dirname "$0")/paquets.sh"
installer_manquants "${packages[@]}"
