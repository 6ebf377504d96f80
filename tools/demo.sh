#!/usr/bin/env bash
# Sets up the machine, builds, puts the demo database with its configuration next to the
# programs and runs the summary report on it.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh kolmrap kolmdb kolmasyst
BIN="$PWD/build/bin"
echo "Demo database: $(build/bin/kolmdb demo "$BIN")"
set +e
"$BIN/kolmrap" 0 admin 'Admin123!'
status=$?
set -e
echo "kolmrap finished with status $status (0 = success)."
if [ -d "$BIN/kolmdemo/Raporty" ]; then
    echo "Reports: $BIN/kolmdemo/Raporty"
    find "$BIN/kolmdemo/Raporty" -type f -name '*.pdf' | sort
fi
exit $status
