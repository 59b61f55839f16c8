# shellcheck shell=bash
# Sourced by the fresh-machine checks: makes a brand-new Debian 12 (bookworm) root with
# mmdebstrap from this machine's mirrors, mounts /proc, /sys, /dev and /dev/pts into it and
# gives it this machine's resolver. Every way out of the calling script unmounts them (a lazy
# unmount as the last resort) and removes the root unless KESTREL_FRESH_KEEP=1.
#
#   fresh_root NAME   # NAME prefixes the messages and the folder; sets $root, $work and $made
#
# Needs root (mmdebstrap, mounts and chroot) and the network to a Debian mirror.

fresh_root() {
  fresh_name=$1
  if [ "$(id -u)" -ne 0 ]; then
    echo "$fresh_name: run this as root (it makes a Debian root, mounts into it and chroots)." >&2
    exit 1
  fi
  if ! command -v mmdebstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap >/dev/null
  fi

  work=$(mktemp -d "${TMPDIR:-/var/tmp}/kestrel-$fresh_name.XXXXXX")
  root=$work/root
  fresh_mounted=()
  trap fresh_root_cleanup EXIT
  trap 'exit 130' INT TERM

  SECONDS=0
  echo "== making a fresh Debian 12 root in $root"
  # The same mirrors as this machine; the archive snapshots they serve may be older than apt's
  # validity window.
  local mirrors=() f m
  for f in /etc/apt/sources.list.d/*.sources /etc/apt/sources.list; do
    [ -s "$f" ] && mirrors+=("$f")
  done
  mmdebstrap --quiet --variant=apt --aptopt='Acquire::Check-Valid-Until "false"' \
    bookworm "$root" "${mirrors[@]}"
  # shellcheck disable=SC2034 # read by the calling script
  made=$SECONDS

  for m in proc dev dev/pts sys; do
    case $m in
      proc) mount -t proc proc "$root/proc" ;;
      sys) mount -t sysfs sys "$root/sys" ;;
      dev) mount --bind /dev "$root/dev" ;;
      dev/pts) mount --bind /dev/pts "$root/dev/pts" ;;
    esac
    fresh_mounted+=("$root/$m")
  done
  mkdir -p "$root/dev/shm"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
}

fresh_root_cleanup() {
  local status=$? i
  # Unmount in reverse order; a lazy unmount as the last resort so nothing stays mounted.
  for ((i = ${#fresh_mounted[@]} - 1; i >= 0; i--)); do
    umount "${fresh_mounted[i]}" 2>/dev/null || umount -l "${fresh_mounted[i]}" 2>/dev/null || true
  done
  if [ "${KESTREL_FRESH_KEEP:-0}" = 1 ]; then
    echo "$fresh_name: the root stays in $root" >&2
  elif findmnt -R "$root" >/dev/null 2>&1; then
    echo "$fresh_name: $root still has mounts; not removed" >&2
  else
    rm -rf "$work"
  fi
  exit "$status"
}

# The chroot's command line: a clean environment with the usual search path.
fresh_chroot() {
  chroot "$root" /usr/bin/env -i HOME=/root \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 TERM=dumb "$@"
}
