#!/usr/bin/env bash
# Draws the contact sheet of the command icons (16 and 24 pixels, device pixel ratios 1 and 2,
# light and dark backgrounds) into a PNG, to look at them after drawing or changing one.
# Usage: planche_icones.sh [FILE.png [ZOOM [NAME,NAME...]]]
# (default build/planche_icones.png, zoom 1, every icon)
set -euo pipefail
cd "$(dirname "$0")/.."
sortie=$(realpath -m "${1:-build/planche_icones.png}")
cmake --preset default >/dev/null
cmake --build --preset default --target varlem-tests-qt
QT_QPA_PLATFORM=offscreen VARLEM_PLANCHE_ICONES="$sortie" VARLEM_PLANCHE_ZOOM="${2:-1}" \
    VARLEM_PLANCHE_NOMS="${3:-}" \
    build/default/tests/varlem-tests-qt --gtest_filter='IconesCommandesTest.*'
echo "Planche : $sortie"
