#!/usr/bin/env bash
# Sets up the machine, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh kolm_tests
build/bin/kolmdb demo "$PWD/build/bin" >/dev/null
cd build
ctest -j"$(nproc)" --output-on-failure --timeout 300
