#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop and a
# package manager will see: every file in its place, the validators of the
# desktop entry, the metadata and the manual pages, and that the pieces name
# each other consistently.
#
#   check_install.sh BUILD_DIR VERSION APP_ID
set -uo pipefail

build=$1 version=$2 id=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install"
  exit 1
fi
root=$work/stage/usr
share=$root/share

# Every file of the install; the programs and their pages are checked below
# as pairs, so that each new program needs only its own line in CMake.
expected=(
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  "share/mime/packages/$id.xml"
  "share/icons/hicolor/scalable/apps/$id.svg"
)
sizes=(16 32 48 64 128 256)
for s in "${sizes[@]}"; do expected+=("share/icons/hicolor/${s}x${s}/apps/$id.png"); done
programs=(mojihyo mojihyo-convert mojihyo-check mojihyo-decode mojihyo-relsearch)

for f in "${expected[@]}"; do [[ -s $root/$f ]] || fail "missing or empty: $f"; done
for p in "${programs[@]}"; do [[ -x $root/bin/$p ]] || fail "missing program: bin/$p"; done

# Nothing else is installed: no libraries, headers or stray files.
while IFS= read -r rel; do
  case $rel in
    bin/*) [[ -s $share/man/man1/${rel#bin/}.1 ]] || fail "$rel has no manual page" ;;
    share/man/man1/*.1)
      page=${rel#share/man/man1/}
      [[ -x $root/bin/${page%.1} ]] || fail "manual page $page has no program" ;;
    *) [[ " ${expected[*]} " == *" $rel "* ]] || fail "not expected in the install: $rel" ;;
  esac
done < <(find "$work/stage" -type f -o -type l | sed "s|^$work/stage/usr/||; t; s|^|outside /usr: |")

# A PNG's size is in its IHDR chunk: width and height, 4 bytes each from
# byte 16.
for s in "${sizes[@]}"; do
  png=$share/icons/hicolor/${s}x${s}/apps/$id.png
  [[ -f $png ]] || continue
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [[ "$w x $h" == "$s x $s" ]] || fail "$png is $w x $h pixels, not $s x $s"
done

# Desktop entry: valid, starts an installed program, names the icon and the
# file type this install registers.
desktop=$share/applications/$id.desktop
mimexml=$share/mime/packages/$id.xml
metainfo=$share/metainfo/$id.metainfo.xml
if out=$(desktop-file-validate "$desktop" 2>&1) && [[ -z $out ]]; then :; else
  fail "desktop-file-validate: $out"
fi
key() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(key Exec) == "mojihyo %f" ]] || fail "Exec is '$(key Exec)', not 'mojihyo %f'"
[[ $(key Icon) == "$id" ]] || fail "Icon is '$(key Icon)', not '$id'"

for xml in "$mimexml" "$metainfo" "$share/icons/hicolor/scalable/apps/$id.svg"; do
  out=$(xmllint --noout "$xml" 2>&1) || fail "not well-formed: $xml: $out"
done
types=$(xmllint --xpath '//*[local-name()="mime-type"]/@type' "$mimexml" 2>/dev/null |
  sed 's/.*type="\([^"]*\)".*/\1/' | sort)
[[ $types == "application/x-mojihyo-table" ]] || fail "MIME package registers '$types'"
listed=$(key MimeType | tr ';' '\n' | sed '/^$/d' | sort)
[[ $listed == "$types" ]] || fail "desktop entry lists '$listed', the MIME package registers '$types'"

# The desktop's own tool builds its database from the package: .tab maps to
# the type, and no pattern claims .tbl.
mkdir -p "$work/mime/packages"
cp "$mimexml" "$work/mime/packages/"
if update-mime-database "$work/mime" >/dev/null 2>&1; then
  grep -qx '50:application/x-mojihyo-table:\*\.tab' "$work/mime/globs2" ||
    fail "update-mime-database did not map *.tab: $(grep -v '^#' "$work/mime/globs2")"
  ! grep -qi 'tbl' "$work/mime/globs2" || fail "a pattern claims .tbl files"
else
  fail "update-mime-database rejected the MIME package"
fi

# AppStream metadata: valid, and agrees with the desktop entry, the
# installed programs and the version.
out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
xpath() { xmllint --xpath "$1" "$metainfo" 2>/dev/null; }
[[ $(xpath 'string(/component/id)') == "$id" ]] || fail "metainfo id is not $id"
[[ $(xpath 'string(/component/launchable[@type="desktop-id"])') == "$id.desktop" ]] ||
  fail "metainfo launchable is not $id.desktop"
provided=$(xpath '/component/provides/binary/text()' | sort)
installed=$(ls "$root/bin" | sort)
[[ $provided == "$installed" ]] || fail "metainfo provides '$provided', bin holds '$installed'"
[[ $(xpath 'string(/component/provides/mediatype)') == "$types" ]] ||
  fail "metainfo provides another media type than '$types'"
[[ $(xpath 'string(/component/releases/release[1]/@version)') == "$version" ]] ||
  fail "newest release in the metainfo is not $version"
[[ $(xpath 'string(/component/screenshots/screenshot/image)') == https://* ]] ||
  fail "the screenshot is not an https address"

# The installed command-line programs run and report the same version.
for p in mojihyo-convert mojihyo-check; do
  out=$("$root/bin/$p" --version 2>&1)
  [[ $out == "$p $version" ]] || fail "installed $p --version: $out"
done

# Manual pages render without a single warning and carry the version.
for page in "$share"/man/man1/*.1; do
  out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $out ]] || fail "man warns about $(basename "$page"): $out"
  grep -q "^\.TH .*\"MoJiHyo $version\"" "$page" || fail "$(basename "$page") is not for version $version"
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES; do
    grep -qx "\.SH \"\?$section\"\?" "$page" || fail "$(basename "$page") has no $section section"
  done
done

if [[ $failures -gt 0 ]]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "install layout: all checks passed"
