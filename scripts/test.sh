#!/usr/bin/env bash
# Installs what is needed, builds Kestrel and runs every test; then builds the engine, the
# export, the command line and their tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs those tests once more (KESTREL_SANITIZE_PASS=0 skips that
# pass). The reference cases, which start the command line 900 times, run in the first pass only.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
build=${KESTREL_BUILD_DIR:-build/test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_WERROR=ON
cmake --build "$build" -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2

if [ "${KESTREL_SANITIZE_PASS:-1}" != 0 ]; then
  sanitize=${KESTREL_SANITIZE_DIR:-build/sanitize}
  cmake -S . -B "$sanitize" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DKESTREL_SANITIZE=ON -DKESTREL_BUILD_GUI=OFF -DKESTREL_BUILD_BENCH=OFF -DKESTREL_WERROR=ON
  cmake --build "$sanitize" -j2
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
  ctest --test-dir "$sanitize" --output-on-failure -j2 -E '^ReferenceCases\.'
fi
