#!/usr/bin/env bash
# Builds the Debian package build/kolm_<version>_amd64.deb:
#   tools/package.sh          build it
#   tools/package.sh --check  also install it, validate its desktop entries, and use the installed
#                             suite as two ordinary users of the group kolm would: the demo, the
#                             report by each and by both at once, the assistant with a backup;
#                             then remove the package, the users and what they made (only on a
#                             machine without kolm)
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

tools/setup-debian.sh kolmrap kolmasyst kolmdb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/kolm_*_amd64.deb)
echo "package: $deb ($(stat -c %s "$deb") bytes)"
[ "${1:-}" = "--check" ] || exit 0

if dpkg-query -W -f='${Status}' kolm 2>/dev/null | grep -q "installed" || [ -e /var/lib/kolm ]; then
    echo "kolm is already on this machine: the package check runs only where it is not"
    exit 0
fi
fail() { echo "package check: $*" >&2; exit 1; }

users=(kolmtest1 kolmtest2)
server_pid=""
cleanup() {
    for u in "${users[@]}"; do
        if id "$u" >/dev/null 2>&1; then
            $SUDO pkill -KILL -u "$u" 2>/dev/null || true
            $SUDO userdel -r "$u" >/dev/null 2>&1 || true
        fi
    done
    if dpkg-query -W -f='${Status}' kolm 2>/dev/null | grep -q "ok"; then
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -qq kolm >/dev/null || true
    fi
    if [ -n "$server_pid" ]; then
        $SUDO kill "$server_pid" 2>/dev/null || true
        for _ in $(seq 50); do $SUDO kill -0 "$server_pid" 2>/dev/null || break; sleep 0.1; done
        $SUDO kill -KILL "$server_pid" 2>/dev/null || true
    fi
    $SUDO rm -rf /var/lib/kolm
}
trap cleanup EXIT

# As root only what needs root: the package, the server, the users.
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "./$deb" >/dev/null
desktop-file-validate /usr/share/applications/kolmasyst.desktop /etc/xdg/autostart/kolmasyst.desktop
for size in 16 22 24 32 48 64 128 256; do
    [ -f /usr/share/icons/hicolor/${size}x${size}/apps/kolmasyst.png ] || fail "no ${size}px icon"
done
for p in kolmrap kolmasyst kolmdb; do
    [ "$(command -v $p)" = /usr/bin/$p ] || fail "$p is not on the PATH"
    $p --version | grep -q "^$p " || fail "$p --version"
done
getent group kolm >/dev/null || fail "no group kolm"
for f in brel.ini aliases.ini kolmasyst.ini; do
    [ "$(stat -c '%a %G' /var/lib/kolm/$f)" = "664 kolm" ] || fail "/var/lib/kolm/$f: $(stat -c '%a %G' /var/lib/kolm/$f)"
done
[ "$(stat -c '%a %G' /var/lib/kolm)" = "2775 kolm" ] || fail "/var/lib/kolm: $(stat -c '%a %G' /var/lib/kolm)"
[ "$(stat -c '%a %U %G' /var/lib/kolm/bazy)" = "2750 firebird kolm" ] || fail "/var/lib/kolm/bazy"
[ "$(stat -c '%a %G' /var/lib/kolm/dane)" = "2775 kolm" ] || fail "/var/lib/kolm/dane"

# The machine's server opens the suite's databases; where no service manager started it, as the
# administrator would by hand.
if ! (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null; then
    $SUDO setsid runuser -u firebird -- /usr/sbin/firebird </dev/null >/dev/null 2>&1 &
    for _ in $(seq 100); do
        server_pid=$(pgrep -x -u firebird firebird | head -n 1 || true)
        (exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null && break
        sleep 0.1
    done
fi
(exec 3<>/dev/tcp/127.0.0.1/3050) 2>/dev/null || fail "the Firebird server takes no connections"

for u in "${users[@]}"; do
    $SUDO useradd -m -s /bin/bash "$u"
    $SUDO usermod -a -G kolm "$u"
done
as() { local u=$1; shift; $SUDO runuser -u "$u" -- env HOME="/home/$u" "$@"; }

# From here on ordinary users only.
today=$(date +%F)
as kolmtest1 kolmdb demo >/dev/null || fail "kolmdb demo as a user of the group"
grep -q "^SERVER NAME=localhost:/var/lib/kolm/bazy/kolm_demo.fdb" /var/lib/kolm/aliases.ini ||
    fail "the demo is not reached through the server: $(cat /var/lib/kolm/aliases.ini)"
[ "$(stat -c '%U %G' /var/lib/kolm/bazy/kolm_demo.fdb)" = "firebird kolm" ] || fail "the demo is not the server's"
reports=/var/lib/kolm/dane/kolmdemo/Raporty
check_reports() {
    for s in CzynnRyz TermRyz StanAdm PracAdm SrodRyz WyborDob RoznDob PrzetBhp AktualBhp; do
        local pdf=$reports/$s/$s$today.pdf
        [ -s "$pdf" ] || fail "$1: no report $s"
        pdfinfo "$pdf" >/dev/null 2>&1 || fail "$1: $pdf is no readable PDF"
        [ "$(stat -c '%G' "$pdf")" = kolm ] && [ $(( 0$(stat -c '%a' "$pdf") & 060 )) -eq 48 ] ||
            fail "$1: $pdf is not the group's: $(stat -c '%a %G' "$pdf")"
    done
}
as kolmtest1 kolmrap 0 admin 'Admin123!' 2>/dev/null || fail "kolmrap as kolmtest1"
check_reports kolmtest1
# The next user of the group replaces today's files of the first.
as kolmtest2 kolmrap 0 admin 'Admin123!' 2>/dev/null || fail "kolmrap as kolmtest2 after kolmtest1"
[ "$(stat -c '%U' "$reports/CzynnRyz/CzynnRyz$today.pdf")" = kolmtest2 ] || fail "kolmtest2 did not replace the reports"
check_reports kolmtest2
# Both at once on the same database.
as kolmtest1 kolmrap 0 admin 'Admin123!' 2>/dev/null & one=$!
as kolmtest2 kolmrap 0 kierownik 'Kierownik1!' 2>/dev/null & two=$!
wait $one || fail "kolmrap of kolmtest1 beside kolmtest2"
wait $two || fail "kolmrap of kolmtest2 beside kolmtest1"
check_reports "two users at once"
# The history every run keeps is the group's, one day's lines once, whoever ran last.
history=$reports/Historia.csv
[ "$(grep -c "^$today;CzynnRyz;" "$history")" = 1 ] || fail "the history holds today's run $(grep -c "^$today;CzynnRyz;" "$history") times"
[ "$(stat -c '%G' "$history")" = kolm ] && [ $(( 0$(stat -c '%a' "$history") & 060 )) -eq 48 ] ||
    fail "the history is not the group's: $(stat -c '%a %G' "$history")"
[ "$(stat -c '%G' "$reports/.Historia.csv.lock")" = kolm ] || fail "the history's lock is not the group's"
# The configuration one user writes is the other's, and stays the group's.
grep -q "DataAsys.Str=$today" /var/lib/kolm/brel.ini || fail "DataAsys not written"
[ -L /opt/kolm/brel.ini ] || fail "the link /opt/kolm/brel.ini was replaced"
[ "$(stat -c '%a %G' /var/lib/kolm/brel.ini)" = "664 kolm" ] || fail "brel.ini lost its group or mode"
[ "$(stat -c '%G' /var/lib/kolm/.brel.ini.lock)" = "kolm" ] || fail "the lock file is not the group's"

# The assistant of the first user opens its database and backs it up on its schedule; an hour of
# its timers passes in ten seconds.
$SUDO sed -i 's/^BACKUP.DataBackup.Str=.*/BACKUP.DataBackup.Str=2000-01-01/' /var/lib/kolm/brel.ini
assistant_log=$(mktemp)
as kolmtest1 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR= \
    LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1 FAKETIME="+0 x360" \
    /opt/kolm/kolmasyst >/dev/null 2>"$assistant_log" &
sleep 0.5
assistant_pid=$(pgrep -u kolmtest1 -x kolmasyst | head -n 1 || true)
[ -n "$assistant_pid" ] || fail "the assistant did not start"
# The second user's assistant beside it: each user's instance lock is their own.
as kolmtest2 QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR= /opt/kolm/kolmasyst >/dev/null 2>&1 &
sleep 1
pgrep -u kolmtest2 -x kolmasyst >/dev/null || fail "the second user's assistant did not stay"
# The assistant's clock runs fast: its day of the backup may already be the next one.
backup_day() { sed -n 's/^BACKUP.DataBackup.Str=//p' /var/lib/kolm/brel.ini; }
for _ in $(seq 600); do
    [ "$(backup_day)" != "2000-01-01" ] && break
    sleep 0.1
done
day=$(backup_day)
[ "$day" != "2000-01-01" ] && [[ ! "$day" < "$today" ]] ||
    fail "the assistant made no backup; it said: $(cat "$assistant_log"); brel.ini: $(grep -i backup /var/lib/kolm/brel.ini)"
copy=/var/lib/kolm/dane/kolmdemo/Backup/kolm_demo_$day.gdb
[ -s "$copy" ] || fail "no backup copy $copy"
[ "$(stat -c '%U %G' "$copy")" = "kolmtest1 kolm" ] || fail "the backup copy is not the group's"
as kolmtest2 fbstat -h "$copy" | grep -q "Attributes" || fail "the backup copy does not open"
as kolmtest2 fbstat -h "$copy" | grep -q "backup lock" && fail "the backup copy is still in its backup state"
# A logout's SIGTERM ends both assistants as "Koniec" does.
$SUDO kill -TERM "$assistant_pid"
$SUDO pkill -TERM -u kolmtest2 -x kolmasyst || true
for _ in $(seq 100); do
    pgrep -x kolmasyst >/dev/null || break
    sleep 0.1
done
pgrep -x kolmasyst >/dev/null && fail "an assistant did not end on SIGTERM"

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq kolm >/dev/null
[ ! -e /usr/bin/kolmrap ] && [ ! -e /opt/kolm/kolmrap ] || fail "the programs stayed after removal"
[ -f /var/lib/kolm/brel.ini ] && grep -q "DataAsys.Str=$today" /var/lib/kolm/brel.ini ||
    fail "the configuration was lost on removal"
[ -f /var/lib/kolm/bazy/kolm_demo.fdb ] || fail "the database was lost on removal"
echo "package check: installed, used by two users of the group kolm, removed; the data in /var/lib/kolm stayed"
