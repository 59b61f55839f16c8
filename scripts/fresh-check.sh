#!/usr/bin/env bash
# Proves that the README's test command works on a machine that has never seen the project:
# makes a brand-new Debian 12 (bookworm) root with mmdebstrap, copies a clean clone of the
# repository's committed state into it, and runs `CI=true bash .ci/run` there with a clean
# environment. Everything the run needs must come from scripts/deps.sh.
#
#   bash scripts/fresh-check.sh            # the committed HEAD of this repository
#   KESTREL_FRESH_KEEP=1 bash scripts/fresh-check.sh   # keep the root afterwards (for a look)
#
# Needs root (mmdebstrap, mounts and chroot) and the network to a Debian mirror; takes about
# 20 minutes on 2 cores. Not part of .ci/run.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

source scripts/fresh-root.sh
fresh_root fresh-check

echo "== copying a clean clone of $(git -C "$repo" rev-parse --short HEAD)"
git clone --quiet --no-local "$repo" "$root/root/kestrel"

echo "== CI=true bash .ci/run inside the root"
status=0
fresh_chroot CI=true /bin/bash -c 'cd /root/kestrel && bash .ci/run' || status=$?

total=$SECONDS
if [ "$status" -eq 0 ]; then
  echo "fresh-check: PASSED in ${total} s (root made in ${made} s, .ci/run $((total - made)) s)"
else
  echo "fresh-check: FAILED (exit $status) after ${total} s (root made in ${made} s)" >&2
fi
exit "$status"
