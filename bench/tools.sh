#!/usr/bin/env bash
# The command-line tools as a user runs them, output to /dev/null:
# mojihyo-decode on 32 MiB next to tr mapping the same bytes (within 3 times
# with a one-byte table, within 5 times with 10,000 two-byte entries more,
# laid out as games lay them out: see bench/tools_samples.h),
# its peak memory next to the file's size, and mojihyo-relsearch on 4 MiB
# for an 8-letter word (under 50 ms at each width). Best of RUNS runs.
# Exits 1 when a target is missed.
set -euo pipefail
build=${1:-build}
runs=${RUNS:-7}
decode=$build/src/cli/mojihyo-decode
relsearch=$build/src/cli/mojihyo-relsearch
samples=$build/bench/tools_samples
for p in "$decode" "$relsearch" "$samples"; do [[ -x $p ]] || { echo "$p not built" >&2; exit 1; }; done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$samples" "$work"
set2=$(cat "$work/tr_set.txt")
failures=0

run_tr() { tr '\000-\377' "$set2" <"$work/rom32.bin" >/dev/null; }
run_one() { "$decode" "$work/one_byte.tbl" "$work/rom32.bin" >/dev/null; }
run_multi() { "$decode" --from tfs "$work/multi_byte.tbl" "$work/rom32.bin" >/dev/null; }
run_every() { "$decode" --from tfs "$work/every_byte_leads.tbl" "$work/rom32.bin" >/dev/null; }
run_rel1() { "$relsearch" "$work/rom4.bin" princess >/dev/null; }
run_rel2() { "$relsearch" "$work/rom4.bin" princess --width 2 >/dev/null; }
run_rel2le() { "$relsearch" "$work/rom4.bin" princess --width 2 --little-endian >/dev/null; }

best_us() {  # the fastest of $runs runs of a function, in microseconds
  local best=999999999 t0 t1
  "$1"  # warm the file cache
  for ((i = 0; i < runs; i++)); do
    t0=$(date +%s%N)
    "$1"
    t1=$(date +%s%N)
    (((t1 - t0) / 1000 < best)) && best=$(((t1 - t0) / 1000))
  done
  echo "$best"
}
ms() { printf '%d.%03d ms' $(($1 / 1000)) $(($1 % 1000)); }
check() {  # label, microseconds, limit in microseconds, the limit said in words
  local verdict=ok
  (($2 <= $3)) || { verdict="MISSED ($4)"; failures=$((failures + 1)); }
  printf '%-52s %12s  %s\n' "$1" "$(ms "$2")" "$verdict"
}

# The decode of a one-byte table is tr's mapping: the same bytes come out.
cmp -s <(tr '\000-\377' "$set2" <"$work/rom32.bin") <("$decode" "$work/one_byte.tbl" "$work/rom32.bin") ||
  { echo "mojihyo-decode does not write what tr writes" >&2; exit 1; }

echo "Command-line tools, best of $runs runs"
tr_us=$(best_us run_tr)
printf '%-52s %12s\n' "tr mapping 32 MiB" "$(ms "$tr_us")"
one_us=$(best_us run_one)
check "mojihyo-decode 32 MiB, one-byte table" "$one_us" $((3 * tr_us)) "3 x tr"
multi_us=$(best_us run_multi)
check "mojihyo-decode 32 MiB, 10,000 two-byte entries more" "$multi_us" $((5 * tr_us)) "5 x tr"
# The same number of keys over every first byte, so that every random byte
# goes on to the next: no table is laid out so; shown, not held.
every_us=$(best_us run_every)
printf '%-52s %12s  (%s x tr)\n' "mojihyo-decode 32 MiB, two-byte keys after every byte" \
  "$(ms "$every_us")" "$(awk -v a="$every_us" -v b="$tr_us" 'BEGIN { printf "%.1f", a / b }')"
for r in rel1 rel2 rel2le; do
  case $r in
    rel1) label="mojihyo-relsearch 4 MiB, 8 letters, width 1" ;;
    rel2) label="mojihyo-relsearch 4 MiB, 8 letters, width 2" ;;
    rel2le) label="mojihyo-relsearch 4 MiB, 8 letters, width 2 LE" ;;
  esac
  check "$label" "$(best_us run_$r)" 50000 "50 ms"
done

# Peak memory: what decoding 32 MiB adds to decoding nothing is at most the
# file itself (mapped) and the output buffer.
peak() { "$samples" --peak-kib "$decode" "$work/one_byte.tbl" "$1"; }
base_kib=$(peak "$work/empty.bin")
full_kib=$(peak "$work/rom32.bin")
grown=$((full_kib - base_kib))
verdict=ok
((grown <= 32768 + 1024)) || { verdict="MISSED (the file's size and 1 MiB)"; failures=$((failures + 1)); }
printf '%-52s %9d KiB  %s\n' "mojihyo-decode 32 MiB, peak memory over an empty file" "$grown" "$verdict"

((failures == 0)) || { echo "$failures target(s) missed"; exit 1; }
