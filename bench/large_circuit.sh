#!/usr/bin/env bash
# Memory and time of the desktop program with its largest diagram: the ten-variable parity
# function realized as a tree of 2-input multiplexers (511 multiplexers, 7584 x 46200 pixels at
# zoom 30). Makes the project with kestrel-cli, then
#   1. runs kestrel_large_circuit (the program's windows) on it: resident memory and time of
#      opening the project, of every zoom step, of scrolling page by page, and of New project;
#   2. starts the program itself, `kestrel parity10.kep`, and reads its resident memory once
#      the project is on screen.
# Both under Xvfb when it is installed (a real X server and window system), else offscreen.
#
#   bench/large_circuit.sh <build-dir>      (a Release build: cmake -DCMAKE_BUILD_TYPE=Release)
set -euo pipefail
build=${1:?usage: bench/large_circuit.sh <build-dir>}
cli=$build/src/cli/kestrel-cli
tool=$build/bench/kestrel_large_circuit
app=$build/src/app/kestrel
for f in "$cli" "$tool" "$app"; do
  [ -x "$f" ] || { echo "missing $f: build the project first" >&2; exit 1; }
done
work=$(mktemp -d)
cleanup() {
  [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The Ones of parity: every combination with an odd number of ones.
ones=$(awk 'BEGIN { for (v = 0; v < 1024; v++) { n = 0; for (b = v; b; b = int(b / 2)) n += b % 2;
                    if (n % 2) printf "%s%d", (c++ ? "," : ""), v } }')
"$cli" save "$work/parity10.kep" --ones "$ones" --structure mux-tree --mux-size 2 >/dev/null

if command -v Xvfb >/dev/null; then
  display=:$((90 + RANDOM % 9))
  Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  sleep 1
  export DISPLAY=$display
  unset QT_QPA_PLATFORM
else
  export QT_QPA_PLATFORM=offscreen
fi

echo "== kestrel_large_circuit $work/parity10.kep"
"$tool" "$work/parity10.kep"

echo "== kestrel $work/parity10.kep"
start=$(date +%s%N)
"$app" "$work/parity10.kep" &
app_pid=$!
# The caption names the file once the project is read and realized.
for _ in $(seq 500); do
  sleep 0.02
  if command -v xdotool >/dev/null && [ -n "${DISPLAY:-}" ]; then
    xdotool search --name 'Kestrel \(parity10.kep\)' >/dev/null 2>&1 && break
  else
    sleep 2 && break
  fi
done
echo "on screen after about $(( ($(date +%s%N) - start) / 1000000 )) ms (process start included)"
grep -E 'VmRSS|VmHWM' "/proc/$app_pid/status"
