#!/usr/bin/env bash
# Static checks of Kestrel's own code (src, tests, bench, fuzz, packaging): formatting with
# clang-format, cppcheck, and clang-tidy with the committed .clang-tidy files. Fails on any
# finding.
#
#   scripts/lint.sh BUILD_DIR [FUZZ_BUILD_DIR]
#
# BUILD_DIR is a configured build (compile_commands.json) of the desktop program and the tests;
# FUZZ_BUILD_DIR, a build with -DKESTREL_FUZZ=ON, lets clang-tidy see the fuzz targets too.
# KESTREL_TIDY_TESTS=0 keeps clang-tidy to the program's code (src, fuzz): the full test run
# uses it to stay quick, as the tests and benchmarks take clang-tidy another two minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/lint.sh BUILD_DIR [FUZZ_BUILD_DIR]}
fuzz_build=${2:-}
root=$PWD
failed=0

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' 'packaging/*.cpp')

echo "== clang-format"
if ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "clang-format: the files above are not formatted (run clang-format -i on them)" >&2
  failed=1
fi

echo "== cppcheck"
# useStlAlgorithm only suggests replacing plain loops; the loops stay where they read better.
if ! cppcheck --std=c++20 --enable=warning,style,performance,portability --inline-suppr \
  --library=googletest --library=qt --quiet -j2 --error-exitcode=1 -I src/core -I src \
  --suppress=missingIncludeSystem --suppress=missingInclude --suppress=useStlAlgorithm \
  src tests bench fuzz packaging; then
  failed=1
fi

# clang-tidy prints findings as warnings; every warning in our own files counts.
tidy() {
  local db=$1
  shift
  local log
  log=$(mktemp)
  # run-clang-tidy always asks for colours; the escapes are taken out before reading the log.
  # The compile commands may come from g++, whose warning options clang does not all know.
  run-clang-tidy -p "$db" -j2 -quiet -extra-arg=-Wno-unknown-warning-option "$@" 2>&1 | sed 's/\x1b\[[0-9;]*m//g' >"$log" || true
  if grep -E "^$root/(src|tests|bench|fuzz|packaging)/.*(warning|error):" "$log"; then
    failed=1
  elif grep -qE "^Error while processing|clang-tidy-14: error|^error:" "$log"; then
    cat "$log" >&2
    failed=1
  fi
  rm -f "$log"
}
echo "== clang-tidy"
if [ "${KESTREL_TIDY_TESTS:-1}" != 0 ]; then
  tidy "$build" "^$root/(src|tests|bench|packaging)/"
else
  tidy "$build" "^$root/(src|packaging)/"
fi
if [ -n "$fuzz_build" ]; then
  tidy "$fuzz_build" "^$root/fuzz/"
fi

if [ "$failed" != 0 ]; then
  echo "lint: findings above" >&2
  exit 1
fi
echo "lint: clean"
