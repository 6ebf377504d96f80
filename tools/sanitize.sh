#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/
# and runs the whole test suite there; CI runs it once per change.
#   tools/sanitize.sh [ctest arguments]   for example -R SafeFile
# The assertions of the code (Q_ASSERT) are on in this build. Leaks are not looked for: the
# database client keeps its memory until the process ends.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh --packages-only
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1" \
    -DKOLM_SANITIZE=ON -DKOLM_WERROR="${KOLM_WERROR:-OFF}" >/dev/null
# Also for the programs the build runs (the test databases are made by one).
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --build build-sanitize -j"$(nproc)" --target kolm_tests
build-sanitize/bin/kolmdb demo "$PWD/build-sanitize/bin" >/dev/null
cd build-sanitize
ctest -j"$(nproc)" --output-on-failure --timeout 600 "$@"
