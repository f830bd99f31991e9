#!/usr/bin/env bash
# Start-up of the editor next to a bare Qt program that shows an empty main
# window. Two measures:
#  - what a user waits for: from starting the process to the map of its first
#    window, timed from outside by map_timer under Xvfb with no window
#    manager, runs of the two programs alternating;
#  - from starting the process to the window first shown and the process
#    gone, with peak memory, on the offscreen platform and under Xvfb.
set -euo pipefail
build=${1:-build}
runs=${RUNS:-31}

measure() {  # label, command...
  local label=$1; shift
  local total=0 best=999999 rss=0
  "$@" >/dev/null 2>&1 || true  # warm the file cache
  for ((i = 0; i < runs; i++)); do
    local t0 t1 out ms
    t0=$(date +%s%N)
    out=$("$@" 2>/dev/null | tail -n 1)
    t1=$(date +%s%N)
    ms=$(((t1 - t0) / 1000000))
    total=$((total + ms))
    ((ms < best)) && best=$ms
    ((out > rss)) && rss=$out
  done
  printf '%-34s mean %4d ms  best %4d ms  peak RSS %6d KiB\n' "$label" $((total / runs)) "$best" "$rss"
}

editor="$build/bench/startup_probe_editor"
bare="$build/bench/startup_probe_bare"
[[ -x $editor && -x $bare ]] || { echo "startup probes not built" >&2; exit 1; }

map_ms() {  # command...: one map_timer run, in ms
  "$build/bench/map_timer" "$@" 2>/dev/null || echo 0
}

if command -v Xvfb >/dev/null && [[ -x $build/bench/map_timer ]]; then
  Xvfb :94 -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  export DISPLAY=:94 QT_QPA_PLATFORM=xcb
  map_ms "$build/src/app/mojihyo" >/dev/null; map_ms "$bare" >/dev/null  # warm the file cache
  e=(); b=()
  for ((i = 0; i < runs; i++)); do
    e+=("$(map_ms "$build/src/app/mojihyo")")
    b+=("$(map_ms "$bare")")
  done
  # The editor paints its grid with the cells drawn, then makes the 256 line
  # edits: how long after show() each happened.
  for ((i = 0; i < runs; i++)); do "$editor" cells 2>/dev/null | tail -n 1; done \
    | sort -n -k2 | awk '{a[NR]=$1; b[NR]=$2} END {m=int((NR+1)/2);
        printf "  editor, after show(): grid first painted %.1f ms, its 256 cells made %.1f ms (medians)\n", a[m], b[m]}' \
    > /tmp/mojihyo-cells.$$
  kill $xvfb
  unset DISPLAY QT_QPA_PLATFORM
  printf '%s\n' "${e[@]}" | sort -n > /tmp/mojihyo-map-editor.$$
  printf '%s\n' "${b[@]}" | sort -n > /tmp/mojihyo-map-bare.$$
  median() { awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}' "$1"; }
  mean() { awk '{s+=$1} END {printf "%.1f", s/NR}' "$1"; }
  me=$(median /tmp/mojihyo-map-editor.$$) mb=$(median /tmp/mojihyo-map-bare.$$)
  echo "Process start to first window mapped, Xvfb, no window manager ($runs runs each, alternating)"
  printf '  %-32s median %6.1f ms  mean %6s ms\n' "editor (mojihyo)" "$me" "$(mean /tmp/mojihyo-map-editor.$$)"
  printf '  %-32s median %6.1f ms  mean %6s ms\n' "bare Qt main window" "$mb" "$(mean /tmp/mojihyo-map-bare.$$)"
  awk -v e="$me" -v b="$mb" 'BEGIN {printf "  ratio of the medians: %.2fx\n", e / b}'
  cat /tmp/mojihyo-cells.$$
  rm -f /tmp/mojihyo-cells.$$
  rm -f /tmp/mojihyo-map-editor.$$ /tmp/mojihyo-map-bare.$$
fi

echo "Start-up to first shown window and exit, with peak memory ($runs runs each)"
QT_QPA_PLATFORM=offscreen measure "editor, offscreen" "$editor"
QT_QPA_PLATFORM=offscreen measure "bare Qt main window, offscreen" "$bare"
if command -v xvfb-run >/dev/null; then
  # One X server for all runs, so its own start-up is not counted.
  Xvfb :93 -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  DISPLAY=:93 QT_QPA_PLATFORM=xcb measure "editor, Xvfb" "$editor"
  DISPLAY=:93 QT_QPA_PLATFORM=xcb measure "bare Qt main window, Xvfb" "$bare"
  kill $xvfb
fi
