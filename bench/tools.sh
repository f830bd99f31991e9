#!/usr/bin/env bash
# The command-line tools as a user runs them, output to /dev/null:
# mojihyo-decode on 32 MiB next to tr mapping the same bytes (within 3 times
# with a one-byte table, within 5 times with 10,000 two-byte entries more,
# laid out as games lay them out: see bench/tools_samples.h), its peak
# memory next to the file's size, and mojihyo-relsearch on 4 MiB for an
# 8-letter word (under 50 ms at each width). Each figure is the best of RUNS
# runs. The ratios to tr are taken on processor time (user and system),
# which the other work of a busy machine does not lengthen; the time on the
# clock is shown beside it. Exits 1 when a target is missed.
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
rom=$work/rom32.bin
failures=0

# Prints "WALL CPU PEAK", each the least of $runs runs (after one that warms
# the file cache), of the command given.
best() {
  local wall=999999999 cpu=999999999 peak=999999999 w c p
  "$samples" --run "$@" >/dev/null
  for ((i = 0; i < runs; i++)); do
    read -r w c p < <("$samples" --run "$@")
    ((w < wall)) && wall=$w
    ((c < cpu)) && cpu=$c
    ((p < peak)) && peak=$p
  done
  echo "$wall $cpu $peak"
}
ms() { printf '%d.%03d ms' $(($1 / 1000)) $(($1 % 1000)); }
line() {  # label, wall, cpu, verdict
  printf '%-50s %12s %12s  %s\n' "$1" "$(ms "$2")" "$(ms "$3")" "$4"
}
verdict() {  # value, limit, the limit in words
  if (($1 <= $2)); then echo ok; else
    failures=$((failures + 1))
    echo "MISSED ($3)"
  fi
}

# The decode of a one-byte table is tr's mapping: the same bytes come out.
cmp -s <(tr '\000-\377' "$set2" <"$rom") <("$decode" "$work/one_byte.tbl" "$rom") ||
  { echo "mojihyo-decode does not write what tr writes" >&2; exit 1; }

printf 'Command-line tools, best of %d runs %28s %12s\n' "$runs" "clock" "processor"
read -r tr_wall tr_cpu _ < <(best --stdin "$rom" tr '\000-\377' "$set2")
line "tr mapping 32 MiB" "$tr_wall" "$tr_cpu" ""
read -r wall cpu _ < <(best "$decode" "$work/one_byte.tbl" "$rom")
line "mojihyo-decode 32 MiB, one-byte table" "$wall" "$cpu" "$(verdict "$cpu" $((3 * tr_cpu)) "3 x tr")"
read -r wall cpu _ < <(best "$decode" --from tfs "$work/multi_byte.tbl" "$rom")
line "mojihyo-decode 32 MiB, 10,000 two-byte entries more" "$wall" "$cpu" "$(verdict "$cpu" $((5 * tr_cpu)) "5 x tr")"
# The same number of keys over every first byte, so that every random byte
# goes on to the next: no table is laid out so; shown, not held.
read -r wall cpu _ < <(best "$decode" --from tfs "$work/every_byte_leads.tbl" "$rom")
line "mojihyo-decode 32 MiB, two-byte keys after every byte" "$wall" "$cpu" \
  "($(awk -v a="$cpu" -v b="$tr_cpu" 'BEGIN { printf "%.1f", a / b }') x tr, not held)"
for width in 1 2 2le; do
  case $width in
    1) args=() ;;
    2) args=(--width 2) ;;
    2le) args=(--width 2 --little-endian) ;;
  esac
  read -r wall cpu _ < <(best "$relsearch" "$work/rom4.bin" princess "${args[@]}")
  line "mojihyo-relsearch 4 MiB, 8 letters, width $width" "$wall" "$cpu" "$(verdict "$wall" 50000 "50 ms")"
done

# Peak memory: what decoding 32 MiB adds to decoding nothing is at most the
# file itself (mapped) and the output buffer.
read -r _ _ base_kib < <(best "$decode" "$work/one_byte.tbl" "$work/empty.bin")
read -r _ _ full_kib < <(best "$decode" "$work/one_byte.tbl" "$rom")
grown=$((full_kib - base_kib))
printf '%-50s %9d KiB of the file'"'"'s 32768  %s\n' "mojihyo-decode 32 MiB, peak memory over an empty file" \
  "$grown" "$(verdict "$grown" $((32768 + 1024)) "the file's size and 1 MiB")"

((failures == 0)) || { echo "$failures target(s) missed"; exit 1; }
