#!/usr/bin/env bash
# Fails when a C++ file of the tree is not in the committed clang-format style.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t fichiers < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz tools -name '*.cpp' -o -name '*.h')
clang-format --dry-run --Werror "${fichiers[@]}"
echo "Format: ${#fichiers[@]} files in the committed style."
