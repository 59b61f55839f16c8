#!/usr/bin/env bash
# Rewrites the golden netlists (Verilog and BLIF) of the netlist tests from the current code.
# Usage: tests/data/netlist/update_golden.sh [build-dir]   (default build/test)
# Review the change with git diff before committing it.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../../build/test}"
KESTREL_UPDATE_GOLDEN=1 KESTREL_GOLDEN_DIR="$here" \
  "$build/tests/kestrel_tests" --gtest_filter='*NetlistGolden.*'
git -C "$here" status --short -- .
