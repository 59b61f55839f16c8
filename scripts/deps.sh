#!/usr/bin/env bash
# Installs the Debian packages Kestrel needs to build, test and run (as root, non-interactive);
# with --checks also clang, its sanitizer and fuzzer runtimes, clang-tidy, clang-format and
# cppcheck, which the full test run uses. Packages already present are not downloaded again.
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  fonts-liberation fontconfig libwmf-bin xvfb xauth
)
if [ "${1:-}" = "--checks" ]; then
  packages+=(clang libclang-rt-14-dev clang-tidy clang-format cppcheck git)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} — run this as root (or install them with apt-get)." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
