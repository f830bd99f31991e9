#!/usr/bin/env bash
# Takes the screenshot the AppStream metadata shows: the editor under Xvfb
# with a table of kana open. Run by hand after the window changes; it needs
# xvfb-run (xvfb), xwininfo (x11-utils) and import (imagemagick).
#
#   scripts/take-screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
editor=$build/src/app/mojihyo
out=data/screenshots/main-window.png
[[ -x $editor ]] || { echo "take-screenshot: build the editor first (make)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A table laid out as many Japanese games lay out theirs: hiragana, then
# katakana, digits and the Latin alphabet, with the two breaks.
{
  printf '00=\xe3\x80\x80\r\n'
  python3 - <<'PY'
import sys
kana = [chr(c) for c in range(0x3042, 0x3094) if chr(c) not in 'ぁぃぅぇぉっゃゅょゎゐゑ']
kata = [chr(ord(k) + 0x60) for k in kana]
rows = []
for i, ch in enumerate(kana): rows.append((0x01 + i, ch))
for i, ch in enumerate(kata): rows.append((0x50 + i, ch))
for i in range(10): rows.append((0xA0 + i, str(i)))
for i in range(26): rows.append((0xAA + i, chr(ord('A') + i)))
for i in range(26): rows.append((0xC4 + i, chr(ord('a') + i)))
for b, ch in rows:
    if b < 0xFE:
        sys.stdout.buffer.write(f'{b:02X}={ch}\r\n'.encode('utf-8'))
PY
  printf '*FE\r\n/FF\r\n'
} >"$work/game.tbl"

cat >"$work/shoot.sh" <<SHOT
"$PWD/$editor" T "$work/game.tbl" &
editor_pid=\$!
for _ in \$(seq 50); do
  id=\$(xwininfo -root -tree | awk '/"MoJiHyo - / { print \$1; exit }')
  [[ -n \$id ]] && break
  sleep 0.2
done
sleep 1
import -window "\$id" "$PWD/$out"
kill \$editor_pid
SHOT
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/shoot.sh"
echo "$out"
