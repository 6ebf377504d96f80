#!/usr/bin/env bash
# Takes screenshots of the assistant's windows under Xvfb into the given folder.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/screenshots}"
bin="${KOLM_BIN:-build/bin}"
tools/setup-debian.sh screenshot_login screenshot_databases screenshot_reports kolmasyst kolmrap kolmdb >/dev/null
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$bin/screenshot_login" "$out"
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$bin/screenshot_databases" "$out"

# Three months of weekly runs on the demo, each under a moved clock, delivered by e-mail to a
# local test server: the history the statistics window charts and the last delivery it tells.
runs="$(mktemp -d)"
server=""
cleanup() {
    [ -n "$server" ] && kill "$server" 2>/dev/null
    rm -rf "$runs"
}
trap cleanup EXIT
mkdir -p "$runs/box" "$runs/runtime"
chmod 700 "$runs/runtime"
cp "$bin/kolmrap" "$runs/"
"$bin/kolmdb" demo "$runs" >/dev/null
/usr/bin/python3 tests/support/smtp_server.py "$runs/box" "$runs/port" >/dev/null 2>&1 &
server=$!
for _ in $(seq 100); do [ -f "$runs/port" ] && break; sleep 0.1; done
sed -i 's/^\[AsystentSettings\]/[AsystentSettings]\nASYST.Arkusz.Str=T\nASYST.Jednostki.Str=1/' "$runs/brel.ini"
printf '[Poczta]\nPOCZTA.Wysylka.Str=T\nPOCZTA.Serwer.Str=localhost\nPOCZTA.Port.Str=%s\nPOCZTA.Zabezpieczenie.Str=brak\nPOCZTA.Nadawca.Str=bhp@zaklad.pl\nPOCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\nPOCZTA.Jednostka.ZPO.P.Str=produkcja@zaklad.pl\n' \
    "$(cat "$runs/port")" >>"$runs/brel.ini"
for weeks in $(seq 13 -1 0); do
    day="$(date -d "-$((7 * weeks)) days" +%F)"
    LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1 FAKETIME="@$day 06:00:00" \
        QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runs/runtime" "$runs/kolmrap" 0 admin 'Admin123!' >/dev/null 2>&1
done
echo "$(grep -c ';CzynnRyz;' "$runs/kolmdemo/Raporty/Historia.csv") runs in the history, $(ls "$runs/box" | grep -c json) messages delivered"
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$bin/screenshot_reports" "$runs" "$out"

# The running assistant with a tray host: its icon, menu, main window, help and exit.
xvfb-run -a -s "-screen 0 1024x768x24" tools/screenshots_assistant.sh "$bin" "$out"
ls "$out"
