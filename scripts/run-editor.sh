#!/usr/bin/env bash
# Starts the editor from a build folder. Without a display it runs under
# Xvfb when that is installed (the window is then invisible).
set -euo pipefail
build=${1:-build}
shift || true
editor="$build/src/app/mojihyo"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]] && command -v xvfb-run >/dev/null; then
  exec xvfb-run -a "$editor" "$@"
fi
exec "$editor" "$@"
