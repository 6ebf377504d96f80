#!/usr/bin/env bash
# The platform's own headers (POSIX, X11) are included only by the platform services' sources in
# src/common/platform/posix: a port to another system is one folder of new files.
set -euo pipefail
cd "$(dirname "$0")/.."
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*<(unistd\.h|fcntl\.h|sys/[^>]*|signal\.h|csignal|pthread\.h|pwd\.h|grp\.h|dirent\.h|termios\.h|poll\.h|dlfcn\.h|spawn\.h|syslog\.h|xcb/[^>]*|X11/[^>]*)>'
found=$(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' | grep -v '^src/common/platform/posix/' |
        xargs grep -n -E "$pattern" || true)
if [ -n "$found" ]; then
    echo "POSIX or X11 headers outside src/common/platform/posix:" >&2
    echo "$found" >&2
    exit 1
fi
