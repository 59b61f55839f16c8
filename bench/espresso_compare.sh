#!/usr/bin/env bash
# Times the espresso-logic-minimizer npm package (a Node.js bridge to the Berkeley Espresso
# minimizer) on benchmark families and prints it beside kestrel_bench measured in the same run.
# The peer is never part of the build or the tests: it is installed with npm into a scratch
# folder outside the repository the first time (ESPRESSO_DIR, default
# ${TMPDIR:-/tmp}/kestrel-espresso) and needs node and npm.
#
#   bench/espresso_compare.sh BUILD_DIR [FAMILY...]
#
# BUILD_DIR is a Release build with the benchmarks (build/bench/kestrel_bench). FAMILY names a
# family of bench_families (default: the covered and one-Zero families and the worst case).
# Both sides time the minimization alone, on the same Ones and Don't cares, in CPU time (which
# leaves out the time the process waited for a core on a shared machine):
#   kestrel   Fast/ or Candidate/<family>, 10 repetitions: the fastest and the median
#             repetition (each the mean of many runs)
#   espresso  minimize() on the PLA lines read beforehand (it reads them, minimizes, checks its
#             cover), after 0.3 s of warm-up: the fastest and the median of 10 rounds of ~50 ms
set -euo pipefail
build=${1:?usage: bench/espresso_compare.sh BUILD_DIR [FAMILY...]}
shift
families=("$@")
if [ ${#families[@]} -eq 0 ]; then
  families=(AllOnes HalfOnesHalfDontCares CompleteRandomSplit OneZero OneZeroDontCares
    EightZerosDontCares WorstCase)
fi
bench=$build/bench/kestrel_bench
[ -x "$bench" ] || { echo "espresso_compare: no $bench (a Release build with benchmarks)" >&2; exit 1; }
command -v node >/dev/null && command -v npm >/dev/null ||
  { echo "espresso_compare: needs node and npm" >&2; exit 1; }

peer=${ESPRESSO_DIR:-${TMPDIR:-/tmp}/kestrel-espresso}
package=$peer/node_modules/espresso-logic-minimizer
if ! node -e "require('$package')" 2>/dev/null; then
  echo "== installing espresso-logic-minimizer into $peer"
  mkdir -p "$peer"
  npm install --prefix "$peer" --no-audit --no-fund --loglevel=error \
    espresso-logic-minimizer@2.0.3 >&2
  node -e "require('$package')" ||
    { echo "espresso_compare: the package does not load (try npm rebuild in $peer)" >&2; exit 1; }
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/pla"
"$bench" --write_pla="$work/pla"
for f in "${families[@]}"; do
  [ -f "$work/pla/$f.pla" ] || { echo "espresso_compare: no family $f" >&2; exit 1; }
done

names=$(IFS='|'; echo "${families[*]}")
echo "== kestrel_bench"
"$bench" --benchmark_filter="^(Fast|Candidate)/($names)/" --benchmark_repetitions=10 \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$work/kestrel.json"

echo "== espresso"
node - "$package" "$work/pla" "${families[@]}" >"$work/espresso.json" <<'EOF'
const [, , pkg, dir, ...names] = process.argv;
const { minimize } = require(pkg);
const fs = require('fs');
const wall = () => Number(process.hrtime.bigint());  // nanoseconds
const cpu = () => {  // microseconds
  const u = process.cpuUsage();
  return u.user + u.system;
};
for (const name of names) {
  const lines = fs.readFileSync(`${dir}/${name}.pla`, 'utf8').split('\n').filter((l) => l);
  let calls = 0;
  const start = wall();
  while (wall() - start < 3e8) {
    minimize(lines);
    ++calls;
  }
  const inner = Math.max(1, Math.round(5e7 / (3e8 / calls)));
  const rounds = [];
  for (let r = 0; r < 10; ++r) {
    const t0 = cpu();
    for (let i = 0; i < inner; ++i) minimize(lines);
    rounds.push((cpu() - t0) / inner);
  }
  rounds.sort((a, b) => a - b);
  const terms = minimize(lines).length;
  console.log(JSON.stringify({ name, min: rounds[0], median: (rounds[4] + rounds[5]) / 2, terms }));
}
EOF

node - "$work/kestrel.json" "$work/espresso.json" "${families[@]}" <<'EOF'
const [, , kestrelFile, espressoFile, ...names] = process.argv;
const fs = require('fs');
const kestrel = {};
for (const b of JSON.parse(fs.readFileSync(kestrelFile, 'utf8')).benchmarks) {
  const [kind, name] = b.run_name.split('/');
  if (!['min', 'median'].includes(b.aggregate_name)) continue;
  // A family in both sets is taken from Fast/.
  if (kestrel[name] && kestrel[name].kind === 'Fast' && kind !== 'Fast') continue;
  if (!kestrel[name] || kestrel[name].kind !== kind) kestrel[name] = { kind };
  kestrel[name][b.aggregate_name] = b.cpu_time;  // microseconds
  if (b.implicants !== undefined) kestrel[name].implicants = b.implicants;
}
const espresso = {};
for (const line of fs.readFileSync(espressoFile, 'utf8').split('\n').filter((l) => l))
  espresso[JSON.parse(line).name] = JSON.parse(line);
const us = (v) => (v >= 1000 ? (v / 1000).toFixed(2) + ' ms' : v.toFixed(1) + ' us').padStart(10);
console.log(`${'family'.padEnd(22)}${'kestrel min'.padStart(12)}${'median'.padStart(11)}` +
            `${'espresso min'.padStart(14)}${'median'.padStart(11)}${'ratio'.padStart(9)}`);
for (const name of names) {
  const k = kestrel[name], e = espresso[name];
  console.log(`${name.padEnd(22)}  ${us(k.min)} ${us(k.median)}    ${us(e.min)} ${us(e.median)}` +
              `${(e.median / k.median).toFixed(1).padStart(8)}x`);
}
EOF
