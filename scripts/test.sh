#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: the optimised build with warnings
# as errors, then the same suites under the address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# A file out of the committed clang-format style fails the run before anything is built.
bash scripts/verifier_format.sh
export QT_QPA_PLATFORM=offscreen
# The random walk of the application replays the same actions on every run unless told otherwise.
export VARLEM_GRAINE="${VARLEM_GRAINE:-20261209}"
jobs=$(nproc)
for preset in ci asan; do
    echo "=== $preset ==="
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
