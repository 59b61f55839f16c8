#!/usr/bin/env bash
# Installs what is needed, builds Kestrel and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${KESTREL_BUILD_DIR:-build/release}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DKESTREL_BUILD_TESTS=OFF -DKESTREL_BUILD_BENCH=OFF
cmake --build "$build" -j2
if [ -x "$build/src/app/kestrel" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (DISPLAY is not set): Kestrel is a desktop program and needs one." >&2
    echo "Start it from a desktop session, or under a virtual display: xvfb-run $build/src/app/kestrel" >&2
    exit 1
  fi
  exec "$build/src/app/kestrel" "$@"
fi
# Without the desktop program, show the engine at work on a sample function.
exec "$build/src/cli/kestrel-cli" minimize --literal "x9~x7x3~x0 + x4~x7"
