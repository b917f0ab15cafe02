#!/usr/bin/env bash
# Screenshots of a delayed function and of its loop as a user studies them: e^(-p)/(1+p) typed
# in the entry dialog, its Bode, Nyquist, Black and step plots, its decomposition, pole-zero map
# and system window, then its loop closed with P set by its slider to 1 and to 3. The windows are
# grabbed under xvfb with the desktop's own rendering.
# Usage: captures_retard.sh [FOLDER]   (default build/captures_retard)
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=$(realpath -m "${1:-build/captures_retard}")
cmake --preset default >/dev/null
cmake --build --preset default --target varlem-tests-qt
mkdir -p "$dossier"
QT_QPA_PLATFORM=xcb VARLEM_CAPTURES="$dossier" \
    xvfb-run -a -s '-screen 0 1600x1000x24' \
    build/default/tests/varlem-tests-qt --gtest_filter='CapturesRetard.*'
echo "Captures : $dossier"
