#!/usr/bin/env bash
# Installs the Debian packages Kestrel needs to build, test and run (as root, non-interactive);
# with --checks also what the full test run needs beyond that: clang with its sanitizer and
# fuzzer runtimes, clang-tidy, clang-format, cppcheck and git, and the validators of the
# package's desktop files. Packages are installed without their recommendations, so
# everything used is named here; scripts/fresh-check.sh proves the list on a brand-new
# Debian 12 root. Packages already present are not downloaded again.
set -euo pipefail
packages=(
  # Build: compiler, CMake, Qt 6 (widgets, SVG, printing), libjpeg, the test, benchmark,
  # command-line and JSON libraries.
  cmake g++ make pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
  # The minimum cover's solver: COIN-OR CBC (branch and cut over 0-1 programs) solves the cyclic
  # core of the prime chart with a time limit and says whether it proved the cover minimal.
  coinor-libcbc-dev
  # CBC's pkg-config file links -lz, and its -dev packages do not bring zlib's.
  zlib1g-dev
  # The diagram font (Arial Narrow's metric twin) and the font lookup.
  fonts-liberation fontconfig
  # Tests: libwmf reads the exported metafiles back (wmf2svg, wmf2gd); it draws text only with
  # the URW base fonts.
  libwmf-bin fonts-urw-base35
  # Tests: Icarus Verilog simulates the exported Verilog netlists; Yosys and its ABC read the
  # Verilog and BLIF netlists and prove them equivalent.
  iverilog yosys
  # Screenshots of the desktop program under a virtual display.
  xvfb xauth
  # The Debian package (cpack -G DEB): CPack finds the binaries with file and their library
  # dependencies with dpkg-shlibdeps.
  file dpkg-dev
)
if [ "${1:-}" = "--checks" ]; then
  # fuzz.sh reads the fuzzers' logs with awk; lint.sh lists the sources with git.
  packages+=(clang libclang-rt-14-dev clang-tidy clang-format cppcheck git mawk)
  # The package test validates the desktop entry and the metainfo, and looks the file types up
  # in a MIME database of its own (update-mime-database, gio).
  packages+=(desktop-file-utils appstream shared-mime-info libglib2.0-bin)
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
