#!/usr/bin/env bash
# Installs what is needed, builds Kestrel and runs every test; then, in a second build made with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer, runs the tests of the engine, the export
# and the command line again and each fuzz target for a short while; last come the static checks
# (clang-format, cppcheck, clang-tidy). The reference cases, which start the command line 900
# times, and the netlist checks by Icarus Verilog, Yosys and ABC, whose time goes to those tools,
# run in the first pass only.
#
# KESTREL_SANITIZE_PASS=0 skips the second build; KESTREL_FUZZ_SECONDS sets the time per fuzz
# target (30; 0 skips fuzzing); KESTREL_LINT=0 skips the static checks. clang-tidy looks at the
# program's code here; scripts/lint.sh on its own also looks at the tests and benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --checks
SECONDS=0
stage() { echo "== $1 (at ${SECONDS} s)"; }

# Tests never write into the source tree: the state of every file git sees (tracked and
# untracked, with the contents of those that differ from the last commit) is taken now and
# compared at the end. In a fresh clone that means: nothing new, nothing changed.
tree_state() {
  git status --porcelain=v1 --untracked-files=all | while IFS= read -r line; do
    f=${line:3}
    printf '%s %s\n' "$line" "$( [ -f "$f" ] && git hash-object -- "$f" || echo -)"
  done
}
in_git=0
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  in_git=1
  tree_before=$(tree_state)
fi

build=${KESTREL_BUILD_DIR:-build/test}
stage "build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTREL_WERROR=ON
cmake --build "$build" -j2
stage "tests"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j2

sanitize=${KESTREL_SANITIZE_DIR:-build/sanitize}
if [ "${KESTREL_SANITIZE_PASS:-1}" != 0 ]; then
  stage "sanitizer build"
  CXX=clang++ cmake -S . -B "$sanitize" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
    -DKESTREL_SANITIZE=ON -DKESTREL_FUZZ=ON -DKESTREL_BUILD_GUI=OFF -DKESTREL_BUILD_BENCH=OFF \
    -DKESTREL_WERROR=ON
  cmake --build "$sanitize" -j2
  stage "tests under the sanitizers"
  (
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp"
    ctest --test-dir "$sanitize" --output-on-failure -j2 -E '^(ReferenceCases|NetlistTools)\.'
  )
  if [ "${KESTREL_FUZZ_SECONDS:-30}" != 0 ]; then
    stage "fuzzing"
    bash scripts/fuzz.sh "$sanitize" "${KESTREL_FUZZ_SECONDS:-30}"
  fi
fi

if [ "${KESTREL_LINT:-1}" != 0 ]; then
  stage "static checks"
  fuzz_build=""
  [ -f "$sanitize/compile_commands.json" ] && fuzz_build=$sanitize
  KESTREL_TIDY_TESTS=${KESTREL_TIDY_TESTS:-0} bash scripts/lint.sh "$build" $fuzz_build
fi
if [ "$in_git" = 1 ]; then
  stage "source tree unchanged"
  tree_after=$(tree_state)
  if [ "$tree_before" != "$tree_after" ]; then
    echo "The run wrote into the source tree (git status before and after differ):" >&2
    diff <(echo "$tree_before") <(echo "$tree_after") >&2 || true
    exit 1
  fi
fi
stage "done"
