#!/usr/bin/env bash
# A long random walk of the application under the address and undefined-behaviour sanitizers:
# several seeds one after the other, each from a fresh start, each journal kept. A failing seed
# replays alone with the VARLEM_GRAINE and VARLEM_ACTIONS printed in its journal.
#
#   bash scripts/marche_longue.sh [first seed] [seeds] [actions per seed] [journal folder]
#
# Run two of them with different first seeds to use both cores of a two-core machine.
set -euo pipefail
cd "$(dirname "$0")/.."
premiere=${1:-1}
nombre=${2:-10}
actions=${3:-10000}
journaux=${4:-build/marche_longue/journaux}
build=build/marche_longue
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARLEM_SANITIZE=ON \
        -DVARLEM_BENCH=OFF -DVARLEM_WERROR=ON
fi
# Brought up to date every time: a walk of yesterday's code proves nothing about today's.
cmake --build "$build" --target varlem-tests-qt
mkdir -p "$journaux"
export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
echecs=0
for ((g = premiere; g < premiere + nombre; g++)); do
    journal="$journaux/graine_$g.txt"
    if VARLEM_GRAINE=$g VARLEM_ACTIONS=$actions "$build/tests/varlem-tests-qt" \
        --gtest_filter='MarcheAleatoire.*' >"$journal" 2>&1; then
        echo "graine $g : réussie ($(grep -o '[0-9]* actions en [0-9.]* s' "$journal"))"
    else
        echo "graine $g : ÉCHEC, voir $journal"
        echecs=$((echecs + 1))
    fi
done
echo "$echecs échec(s) sur $nombre graine(s)"
[ "$echecs" -eq 0 ]
