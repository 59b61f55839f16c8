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

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-check: run this as root (it makes a Debian root, mounts into it and chroots)." >&2
  exit 1
fi
if ! command -v mmdebstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null
fi

work=$(mktemp -d "${TMPDIR:-/var/tmp}/kestrel-fresh.XXXXXX")
root=$work/root
mounted=()
cleanup() {
  local status=$?
  # Unmount in reverse order; a lazy unmount as the last resort so nothing stays mounted.
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" 2>/dev/null || true
  done
  if [ "${KESTREL_FRESH_KEEP:-0}" = 1 ]; then
    echo "fresh-check: the root stays in $root" >&2
  elif findmnt -R "$root" >/dev/null 2>&1; then
    echo "fresh-check: $root still has mounts; not removed" >&2
  else
    rm -rf "$work"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

SECONDS=0
echo "== making a fresh Debian 12 root in $root"
# The same mirrors as this machine; the archive snapshots they serve may be older than apt's
# validity window.
mirrors=()
for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list; do
  [ -s "$f" ] && mirrors+=("$f")
done
mmdebstrap --quiet --variant=apt --aptopt='Acquire::Check-Valid-Until "false"' \
  bookworm "$root" "${mirrors[@]}"
made=$SECONDS

echo "== copying a clean clone of $(git -C "$repo" rev-parse --short HEAD)"
git clone --quiet --no-local "$repo" "$root/root/kestrel"

for m in proc dev dev/pts sys; do
  case $m in
    proc) mount -t proc proc "$root/proc" ;;
    sys) mount -t sysfs sys "$root/sys" ;;
    dev) mount --bind /dev "$root/dev" ;;
    dev/pts) mount --bind /dev/pts "$root/dev/pts" ;;
  esac
  mounted+=("$root/$m")
done
mkdir -p "$root/dev/shm"
cp /etc/resolv.conf "$root/etc/resolv.conf"

echo "== CI=true bash .ci/run inside the root"
status=0
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 CI=true TERM=dumb /bin/bash -c 'cd /root/kestrel && bash .ci/run' || status=$?

total=$SECONDS
if [ "$status" -eq 0 ]; then
  echo "fresh-check: PASSED in ${total} s (root made in ${made} s, .ci/run $((total - made)) s)"
else
  echo "fresh-check: FAILED (exit $status) after ${total} s (root made in ${made} s)" >&2
fi
exit "$status"
