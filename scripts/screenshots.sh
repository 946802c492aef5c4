#!/usr/bin/env bash
# Shows each page of quorvan's and tallowik's sheets and each of their dialogs, then
# setup's and ferrul's dialogs, in a real X window (a private Xvfb server) and saves
# them as PNG files under docs/screenshots/.
# Usage: scripts/screenshots.sh [build directory]   (default: build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
cmake --build "$build" -j2 --target quorvan_screenshots tallowik_screenshots installer_screenshots >/dev/null
bin=$(cd "$build" && pwd)/bin
out="$root/docs/screenshots"
mkdir -p "$out"

# A display number nobody uses.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done

runtime=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$runtime"' EXIT
for program in quorvan_screenshots tallowik_screenshots installer_screenshots; do
  DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$runtime" "$bin/$program" "$out"
done
