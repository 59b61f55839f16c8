#!/usr/bin/env bash
# Proves that the Debian package installs and runs on a machine that has never seen the
# project: makes a brand-new Debian 12 (bookworm) root with mmdebstrap, installs the package
# there with `apt-get install ./kestrel_*.deb` (recommendations included, as a user's apt does),
# and runs both programs: kestrel-cli realizes, saves and renders; kestrel starts with that
# project on Qt's offscreen platform and then on an X server (Xvfb, installed after the
# package so that it cannot supply anything the package forgot). The file types and the
# desktop entry must be registered by the triggers of their indexes.
#
#   bash scripts/fresh-package-check.sh [PATH/kestrel_VERSION_ARCH.deb]
#       (default: the newest build/*/kestrel_*.deb; make one with `cpack -G DEB` in a Release
#       build folder)
#   KESTREL_FRESH_KEEP=1 bash scripts/fresh-package-check.sh   # keep the root afterwards
#
# Needs root (mmdebstrap, mounts and chroot) and the network to a Debian mirror; takes some
# minutes. Not part of .ci/run.
set -euo pipefail
cd "$(dirname "$0")/.."

deb=${1:-$(ls -t build/*/kestrel_*.deb 2>/dev/null | head -n 1 || true)}
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "fresh-package-check: no package; make one with 'cpack -G DEB' in a Release build folder" >&2
  exit 1
fi
deb=$(realpath "$deb")
source scripts/fresh-root.sh
fresh_root fresh-package-check
mkdir -p "$root/root/package"
cp "$deb" "$root/root/package/"

echo "== apt-get install ./$(basename "$deb") inside the root, then both programs"
status=0
fresh_chroot DEBIAN_FRONTEND=noninteractive /bin/bash -euo pipefail -c '
cd /root/package
apt-get update -q >/dev/null
apt-get install -y -q ./kestrel_*.deb >/tmp/install.log || { cat /tmp/install.log; exit 1; }
grep -E "^(The following NEW packages|[0-9]+ upgraded)" -A0 /tmp/install.log || true
echo "-- Depends: $(dpkg-query -W -f="\${Depends}" kestrel)"
missing=$(ldd /usr/bin/kestrel /usr/bin/kestrel-cli | grep "not found" || true)
[ -z "$missing" ] || { echo "libraries not found: $missing"; exit 1; }

cd /tmp
kestrel-cli realize --function "x2x1+~x2x0" --structure mux-gates --mux-size 2 --gates nand
kestrel-cli save /tmp/circuit.kep --function "x2x1+~x2x0" --structure mux-gates --mux-size 2 \
  --gates nand
for picture in circuit.png circuit.svg circuit.pdf circuit.wmf; do
  kestrel-cli render --project /tmp/circuit.kep --what project -o "/tmp/$picture"
  [ -s "/tmp/$picture" ] || { echo "no $picture"; exit 1; }
done
kestrel --help | head -n 1

# The desktop program stays up with the project until it is stopped: status 124 from timeout.
run=0
QT_QPA_PLATFORM=offscreen timeout 8 kestrel /tmp/circuit.kep || run=$?
[ "$run" = 124 ] || { echo "kestrel (offscreen) ended with status $run"; exit 1; }
echo "-- kestrel ran on the offscreen platform"
apt-get install -y -q --no-install-recommends xvfb xauth >/dev/null
run=0
xvfb-run -a -s "-screen 0 1280x800x24" timeout 8 kestrel /tmp/circuit.kep || run=$?
[ "$run" = 124 ] || { echo "kestrel (X server) ended with status $run"; exit 1; }
echo "-- kestrel ran on an X server"

# The indexes the package triggers: file types and the desktop entry.
for f in /usr/share/mime/application/x-kestrel-function.xml \
  /usr/share/mime/application/x-kestrel-project.xml; do
  [ -f "$f" ] || { echo "file type not registered: $f"; exit 1; }
done
grep -q "application/x-kestrel-project=kestrel.desktop" /usr/share/applications/mimeinfo.cache ||
  { echo "the desktop entry is not registered for projects"; exit 1; }
ls /usr/share/icons/hicolor/*/apps/kestrel.* | wc -l | sed "s/^/-- icons installed: /"
' || status=$?

total=$SECONDS
if [ "$status" -eq 0 ]; then
  echo "fresh-package-check: PASSED in ${total} s (root made in ${made} s)"
else
  echo "fresh-package-check: FAILED (exit $status) after ${total} s (root made in ${made} s)" >&2
fi
exit "$status"
