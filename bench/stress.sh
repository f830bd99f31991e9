#!/usr/bin/env bash
# Large tables through the converter and the editor: peak memory (maximum
# resident set size, from /usr/bin/time -v) and time, next to the size of
# the input. The tables are made here, in a temporary folder:
#   entries-100M.tbl  a Thingy table of 256 entries and 16-bit entries whose
#                     values are three kana in EUC-JP (13-byte lines), 100 MB
#   entries-200M.tbl  the same, 200 MB
#   short-100M.tbl    16-bit entries of one EUC-JP kana each (9-byte lines)
#   utf8-100M.tbl     entries of three kana in UTF-8 (16-byte lines), 100 MB
#   utf16-100M.tbl    utf8-100M.tbl as UTF-16LE with a byte-order mark
#   long-50M.tbl      a few entries, one of them 50 MB long
set -euo pipefail
export LC_ALL=C  # awk counts bytes, not characters
build=${1:-build}
convert="$build/src/cli/mojihyo-convert"
probe="$build/bench/open_probe"
[[ -x $convert ]] || { echo "mojihyo-convert not built" >&2; exit 1; }
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time is missing (Debian package time)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/mojihyo-stress.XXXXXX")
trap 'rm -rf "$work"' EXIT

entries() {  # megabytes, value, file
  awk -v mb="$1" -v value="$2" 'BEGIN {
    for (i = 0; i < 256; i++) printf "%02X=%c\r\n", i, 33 + i % 90
    line = 0
    target = mb * 1000000
    while (written < target) {
      s = sprintf("%04X=%s\r\n", line % 65536, value)
      printf "%s", s
      written += length(s)
      line++
    }
  }' >"$3"
}
euc() { printf '%s' "$1" | iconv -f UTF-8 -t EUC-JP; }
entries 100 "$(euc あいう)" "$work/entries-100M.tbl"
entries 200 "$(euc あいう)" "$work/entries-200M.tbl"
entries 100 "$(euc あ)" "$work/short-100M.tbl"
entries 100 "あいう" "$work/utf8-100M.tbl"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$work/utf8-100M.tbl"; } >"$work/utf16-100M.tbl"
awk 'BEGIN {
  printf "40=@\r\n"
  s = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-=/"
  while (length(s) < 50000000) s = s s
  printf "41=%s\r\n42=B\r\n", substr(s, 1, 50000000)
}' >"$work/long-50M.tbl"

mib() { echo $(( ($1 + 524288) / 1048576 )); }
peak_kib() { sed -n 's/^\tMaximum resident set size (kbytes): //p' "$1"; }
ms_of() {  # elapsed "m:ss.cc" or "h:mm:ss" to milliseconds
  awk -F: '{ if (NF == 3) s = $1 * 3600 + $2 * 60 + $3; else s = $1 * 60 + $2; printf "%d", s * 1000 }' <<<"$1"
}

echo "Converter: peak memory against the input (one run each)"
printf '  %-34s %8s %11s %7s %8s %8s\n' "input -> output" "input" "peak RSS" "ratio" "time" "CPU"
for case in "entries-100M.tbl out.tab" "entries-200M.tbl out.tab" "short-100M.tbl out.tab" \
            "entries-100M.tbl out.tbl" "utf8-100M.tbl out.tab" "utf16-100M.tbl out.tbl" "utf16-100M.tbl out.tab" \
            "long-50M.tbl out.tab"; do
  set -- $case
  in="$work/$1" out="$work/$2"
  size=$(stat -c %s "$in")
  /usr/bin/time -v -o "$work/time.txt" "$convert" "$in" "$out" 2>/dev/null || true
  kib=$(peak_kib "$work/time.txt")
  elapsed=$(sed -n 's/^\tElapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time.txt")
  cpu=$(awk -F': ' '/User time|System time/ { s += $2 } END { printf "%d", s * 1000 }' "$work/time.txt")
  printf '  %-34s %5d MB %7d MiB %6.2fx %6d ms %5d ms\n' "$1 -> $2" $((size / 1000000)) "$(mib $((kib * 1024)))" \
    "$(awk -v k="$kib" -v s="$size" 'BEGIN { printf "%.2f", k * 1024 / s }')" "$(ms_of "$elapsed")" "$cpu"
  rm -f "$out"
done

if [[ -x $probe ]]; then
  echo "Editor: opening a table offscreen (time from window construction to first showing;"
  echo "CPU time of the whole process, start-up included)"
  printf '  %-34s %8s %11s %8s %8s\n' "table" "input" "peak RSS" "time" "CPU"
  printf '42=B\r\n' >"$work/tiny.tbl"
  for name in tiny.tbl entries-100M.tbl utf8-100M.tbl utf16-100M.tbl long-50M.tbl; do
    size=$(stat -c %s "$work/$name")
    read -r ms cpu kib < <(QT_QPA_PLATFORM=offscreen "$probe" T "$work/$name" 2>/dev/null | tail -n 1)
    printf '  %-34s %5d MB %7d MiB %6d ms %5d ms\n' "$name" $((size / 1000000)) "$(mib $((kib * 1024)))" "$ms" "$cpu"
  done
fi
if [[ -x $build/bench/long_entry_probe ]]; then
  read -r opened taken kib < <(QT_QPA_PLATFORM=offscreen "$build/bench/long_entry_probe" 2>/dev/null | tail -n 1)
  echo "Editor: the window of a 50 MB entry opens in $opened ms and gives its bytes back in $taken ms;"
  echo "  peak RSS $(mib $((kib * 1024))) MiB"
fi
