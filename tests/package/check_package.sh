#!/usr/bin/env bash
# Makes the Debian package of a build with CPack in a scratch folder and checks it: the files it
# installs, the dependencies dpkg-shlibdeps found, the PNG icon sizes, the desktop entry and the
# metainfo by their validators, and the file types by the shared MIME database (gio).
#
#   check_package.sh BUILD_DIR APP_ID VERSION
# Exit 0: all checks passed; 1: a check failed; 77: a tool is missing (the checks it needs
# were skipped).
set -euo pipefail
build=$1 app_id=$2 version=$3
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
skipped=()
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
need() { command -v "$1" >/dev/null || { skipped+=("$1"); return 1; }; }

for tool in cpack dpkg-deb dpkg-shlibdeps; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is missing; the package cannot be made" >&2
    exit 77
  fi
done
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kestrel-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log" >&2; fail "cpack -G DEB"; exit 1; }
deb=$(ls "$scratch"/out/kestrel_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { ls "$scratch/out" >&2; fail "no kestrel_${version}_ARCH.deb"; exit 1; }
root=$scratch/root
dpkg-deb -x "$deb" "$root"

# The files, exactly: the programs, the desktop entry, the file types, the icons, the metainfo
# and the manual as it is in docs/manual.
expected=$(
  {
    printf '%s\n' usr/bin/kestrel usr/bin/kestrel-cli usr/share/applications/kestrel.desktop \
      usr/share/mime/packages/kestrel.xml usr/share/icons/hicolor/scalable/apps/kestrel.svg \
      "usr/share/metainfo/$app_id.metainfo.xml"
    for size in 16 22 24 32 48 64 128 256; do
      echo "usr/share/icons/hicolor/${size}x${size}/apps/kestrel.png"
    done
    (cd "$source_dir/docs/manual" && find . -type f | sed 's|^\./|usr/share/kestrel/manual/|')
  } | LC_ALL=C sort
)
actual=$(cd "$root" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$expected" != "$actual" ]; then
  fail "the package's files differ from the expected list"
  diff <(echo "$expected") <(echo "$actual") >&2 || true
fi
for program in kestrel kestrel-cli; do
  [ -x "$root/usr/bin/$program" ] || fail "usr/bin/$program is not executable"
done

# Each PNG icon has the size its folder names (width and height from the PNG header).
for size in 16 22 24 32 48 64 128 256; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/kestrel.png
  [ -f "$png" ] || continue
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [ "$w $h" = "$size $size" ] || fail "the ${size}x${size} icon is ${w}x${h}"
done

# Dependencies: the libraries the binaries link (found by dpkg-shlibdeps) and the font.
depends=$(dpkg-deb -f "$deb" Depends)
names=" $(sed -E 's/ *\([^)]*\)//g; s/,/ /g' <<<"$depends") "
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 \
  libqt6printsupport6 libjpeg62-turbo fonts-liberation; do
  [[ $names == *" $package "* ]] || fail "Depends lacks $package: $depends"
done

desktop=$root/usr/share/applications/kestrel.desktop
grep -qx 'Exec=kestrel %f' "$desktop" || fail "the desktop entry does not start 'kestrel %f'"
grep -qx 'MimeType=application/x-kestrel-function;application/x-kestrel-project;' "$desktop" ||
  fail "the desktop entry lacks the two file types"
if need desktop-file-validate; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if need appstreamcli; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "appstreamcli validate"
fi

# The file types as a file manager sees them: by extension, and by the first line "KESTREL"
# for a file without one.
if need update-mime-database && need gio; then
  share=$scratch/share
  mkdir -p "$share/mime/packages" "$scratch/files"
  cp "$root/usr/share/mime/packages/kestrel.xml" "$share/mime/packages/"
  [ -f /usr/share/mime/packages/freedesktop.org.xml ] &&
    cp /usr/share/mime/packages/freedesktop.org.xml "$share/mime/packages/"
  update-mime-database "$share/mime" >/dev/null 2>&1
  printf 'KESTREL\r\nLITERAL\r\nx1~x0\r\n' >"$scratch/files/function.kef"
  printf 'KESTREL\r\nLITERAL\r\nx1~x0\r\nMUX\r\n2\r\n' >"$scratch/files/project.kep"
  printf 'KESTREL\r\nLITERAL\r\nx1~x0\r\n' >"$scratch/files/no-extension"
  printf 'KESTREL\nLITERAL\nx1~x0\n' >"$scratch/files/unix-lines"
  for pair in function.kef:application/x-kestrel-function \
    project.kep:application/x-kestrel-project \
    no-extension:application/x-kestrel-function unix-lines:application/x-kestrel-function; do
    file=${pair%%:*} type=${pair#*:}
    got=$(XDG_DATA_HOME=$share XDG_DATA_DIRS=$share gio info -a standard::content-type \
      "$scratch/files/$file" | sed -n 's/^ *standard::content-type: //p')
    [ "$got" = "$type" ] || fail "$file is $got, not $type"
  done
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
if [ ${#skipped[@]} -gt 0 ]; then
  echo "SKIP: missing ${skipped[*]}; the checks that need them did not run" >&2
  exit 77
fi
echo "package $(basename "$deb"): contents, dependencies, icons, validators and file types checked"
