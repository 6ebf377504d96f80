#!/usr/bin/env bash
# Sets up the machine, builds, and measures the full summary report on synthetic organisations:
#   tools/bench.sh [small|medium|large ...]      (default: small medium large)
# The databases are made once in /tmp/kolm-bench and reused; each table is printed and written
# to build/bench-report-<size>.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup-debian.sh bench_report bench_engine bcrypt_bench kolmgen
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(small medium large)
for size in "${sizes[@]}"; do
    build/bin/bench_report "$size" --out "build/bench-report-$size.txt"
    echo
done
