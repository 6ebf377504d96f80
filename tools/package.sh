#!/usr/bin/env bash
# Builds the Debian package build/kolm_<version>_amd64.deb:
#   tools/package.sh          build it
#   tools/package.sh --check  also install it, validate its desktop entries, make the demo
#                             database with the installed kolmdb, run the installed kolmrap on it,
#                             and remove the package again (only on a machine without kolm)
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

# The installed programs at work: the demo database, then the report on it.
$SUDO kolmdb demo /opt/kolm >/dev/null
$SUDO kolmrap 0 admin 'Admin123!'
today=$(date +%F)
for s in CzynnRyz TermRyz StanAdm PracAdm SrodRyz WyborDob RoznDob PrzetBhp AktualBhp; do
    [ -s /opt/kolm/kolmdemo/Raporty/$s/$s$today.pdf ] || fail "no report $s"
done
# The configuration was written through the links and stays shared by the group.
grep -q "DataAsys.Str=$today" /var/lib/kolm/brel.ini || fail "DataAsys not written"
[ -L /opt/kolm/brel.ini ] || fail "the link /opt/kolm/brel.ini was replaced"
[ "$(stat -c '%a %G' /var/lib/kolm/brel.ini)" = "664 kolm" ] || fail "brel.ini lost its group or mode"
[ "$(stat -c '%G' /var/lib/kolm/.brel.ini.lock)" = "kolm" ] || fail "the lock file is not the group's"
$SUDO rm -rf /opt/kolm/demo /opt/kolm/kolmdemo

DEBIAN_FRONTEND=noninteractive $SUDO apt-get remove -y -qq kolm >/dev/null
[ ! -e /usr/bin/kolmrap ] && [ ! -e /opt/kolm/kolmrap ] || fail "the programs stayed after removal"
[ -f /var/lib/kolm/brel.ini ] && grep -q "DataAsys.Str=$today" /var/lib/kolm/brel.ini ||
    fail "the configuration was lost on removal"
echo "package check: installed, validated, ran, removed; the configuration in /var/lib/kolm stays"
