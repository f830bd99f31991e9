#!/usr/bin/env bash
# Builds the .deb into a temporary folder and checks that it states its
# dependencies and holds exactly the files a plain install puts under /usr.
#
#   check_package.sh BUILD_DIR VERSION
set -uo pipefail

build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
debs=("$work"/out/*.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "FAIL: cpack made no single .deb: ${debs[*]}"; exit 1; }
deb=${debs[0]}

[[ $(dpkg-deb -f "$deb" Package) == mojihyo ]] || fail "package name: $(dpkg-deb -f "$deb" Package)"
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version: $(dpkg-deb -f "$deb" Version)"

# dpkg-shlibdeps found the libraries the programs link; the font is named
# by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for needed in 'libqt6widgets6 ' 'libqt6gui6 ' 'libqt6core6' 'libstdc++6 ' 'libc6 ' \
              'fonts-ipafont-gothic | fonts-noto-cjk'; do
  [[ "$depends " == *"$needed"* ]] || fail "Depends lacks '$needed': $depends"
done

# The same files as an install for /usr, and nothing more: no cache that
# the desktop's tools build belongs in the package.
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
  { cat "$work/install.log"; fail "cmake --install"; }
(cd "$work/stage" && find . -type f | sed 's|^\./|/|' | sort) >"$work/installed"
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|' | grep -v '/$' | sort >"$work/packaged"
if ! diff -u "$work/installed" "$work/packaged" >"$work/diff"; then
  fail "the package and the install differ (- install, + package):"
  cat "$work/diff"
fi

# Programs are stripped in the package.
mkdir "$work/unpacked"
dpkg-deb -x "$deb" "$work/unpacked"
for program in "$work"/unpacked/usr/bin/*; do
  if readelf -S "$program" 2>/dev/null | grep -q '\.debug_info'; then
    fail "$(basename "$program") still carries debug information"
  fi
done

if [[ $failures -gt 0 ]]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "package: all checks passed"
