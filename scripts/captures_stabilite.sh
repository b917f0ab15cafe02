#!/usr/bin/env bash
# Draws the stability windows into PNG files to look at them: the root locus and its closed
# loop, the Stabilite text and the Nyquist diagram, under a virtual display.
# Usage: captures_stabilite.sh [FOLDER] (default build/captures_stabilite)
set -euo pipefail
cd "$(dirname "$0")/.."
sortie=$(realpath -m "${1:-build/captures_stabilite}")
cmake --preset default >/dev/null
cmake --build --preset default --target varlem-tests-qt
QT_QPA_PLATFORM=xcb VARLEM_CAPTURES="$sortie" xvfb-run -a -s '-screen 0 1600x1000x24' \
    build/default/tests/varlem-tests-qt --gtest_filter='CapturesStabilite.*'
echo "Captures : $sortie"
