#!/usr/bin/env bash
# Takes screenshots of the assistant's windows under Xvfb into the given folder.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
bin="${KOLM_BIN:-build/bin}"
tools/setup-debian.sh screenshot_login screenshot_databases kolmasyst kolmdb >/dev/null
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$bin/screenshot_login" "$out"
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$bin/screenshot_databases" "$out"
# The running assistant with a tray host: its icon, menu, main window, help and exit.
xvfb-run -a -s "-screen 0 1024x768x24" tools/screenshots_assistant.sh "$bin" "$out"
ls "$out"
