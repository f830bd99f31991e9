#!/usr/bin/env bash
# Time from process start to the window first shown, and peak memory, for the
# editor and for a bare Qt program that shows an empty main window; on the
# offscreen platform and under Xvfb.
set -euo pipefail
build=${1:-build}
runs=${RUNS:-15}

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

echo "Start-up to first shown window ($runs runs each)"
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
