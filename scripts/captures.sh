#!/usr/bin/env bash
# The README's screenshots as a user sees them: Varlem under Xvfb with openbox drawing the title
# bars, the system window, its studies and then its closed loop, each grabbed whole. Writes
# bureau.png and boucle.png into FOLDER (default /tmp/captures), at the device pixel ratio
# RATIO (default 1), and lists the windows with their frames and what the window manager knows
# of their owner (fenetres.txt).
#   bash scripts/captures.sh [FOLDER [RATIO]]
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=$(realpath -m "${1:-/tmp/captures}")
ratio=${2:-1}
mkdir -p "$dossier"
bash scripts/setup_captures.sh
cmake --build build/default --target varlem-tests-qt
largeur=$((1600 * ratio))
hauteur=$((1000 * ratio))
xvfb-run -a -s "-screen 0 ${largeur}x${hauteur}x24 -dpi $((96 * ratio))" bash -c '
    openbox --sm-disable &
    sleep 1
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR='"$ratio"' VARLEM_CAPTURES='"$dossier"' \
        build/default/tests/varlem-tests-qt --gtest_filter=Captures.* | tee "'"$dossier"'/fenetres.txt"
    kill %1 2>/dev/null || true
'
