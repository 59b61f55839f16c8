#!/usr/bin/env bash
# Line and branch coverage of src/core and src/cli: builds an instrumented Debug build (g++ with
# --coverage, no desktop program, no benchmarks) into build/coverage, runs every test it holds
# (the core and command-line tests, and the export tests, which start kestrel-cli render), and
# prints a summary per file and the totals of each folder with gcovr.
#
# Branch figures leave out the branches g++ adds for exceptions thrown by the library and the
# ones it marks unreachable, so they count the decisions of the program's own code.
# Not part of CI: the instrumented build and run take several minutes.
#
# Usage: scripts/coverage.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/coverage}

if ! command -v gcovr >/dev/null; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "gcovr is missing: install the Debian package gcovr (apt-get install gcovr)." >&2
    exit 1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends gcovr
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKESTREL_COVERAGE=ON \
  -DKESTREL_BUILD_GUI=OFF -DKESTREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2
# Counters of an earlier run would add up with this one.
find "$build" -name '*.gcda' -delete
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j2 --output-on-failure

report() {  # folder under src/
  echo
  echo "== src/$1"
  gcovr --root "$root" --object-directory "$build" --filter "$root/src/$1/" \
    --exclude-throw-branches --exclude-unreachable-branches --print-summary
}
report core
report cli
