#!/usr/bin/env bash
# Takes screenshots of the assistant's windows under Xvfb into the given folder.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb build/bin/screenshot_login "$out"
ls "$out"
