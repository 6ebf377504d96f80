#!/usr/bin/env bash
# Prepares a Debian 12 machine and builds into build/bin the targets given (all without any):
#   tools/setup-debian.sh [target ...]
#   tools/setup-debian.sh --packages-only   only the packages and the engine's configuration
# Run as root or through sudo. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

PACKAGES=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6sql6-ibase
          firebird3.0-server firebird3.0-server-core firebird3.0-utils libfbclient2 firebird-dev
          libgtest-dev libcrypt-dev libxlsxwriter-dev python3-openpyxl libxcb1-dev clang-format
          fonts-liberation2 poppler-utils desktop-file-utils xvfb xauth qt6-translations-l10n trayer xdotool imagemagick x11-utils
          faketime qt6-charts-dev libcurl4-openssl-dev python3-aiosmtpd openssl)
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The assistant, the report generator and the suite's modules hold the same local database
# at once: the embedded engine must share the file between processes.
FBCONF=/etc/firebird/3.0/firebird.conf
if ! grep -q '^ServerMode *= *SuperClassic' "$FBCONF"; then
    $SUDO sed -i 's/^#\?ServerMode *=.*/ServerMode = SuperClassic/' "$FBCONF"
    grep -q '^ServerMode' "$FBCONF" || echo 'ServerMode = SuperClassic' | $SUDO tee -a "$FBCONF" >/dev/null
fi

[ "${1:-}" = "--packages-only" ] && exit 0

# Optimised (-O1: the programs wait on the database and Qt, not on their own code) without
# debug information: the build is most of a test run's time. KOLM_WERROR=ON (as CI sets it)
# makes every warning an error.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DKOLM_WERROR="${KOLM_WERROR:-OFF}" >/dev/null
if [ $# -gt 0 ]; then
    cmake --build build -j"$(nproc)" --target "$@"
else
    cmake --build build -j"$(nproc)"
fi
