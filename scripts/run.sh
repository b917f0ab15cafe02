#!/usr/bin/env bash
# Installs what is missing, builds Varlem and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target varlem
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: starting Varlem under xvfb-run." >&2
    exec xvfb-run -a build/default/varlem "$@"
fi
exec build/default/varlem "$@"
