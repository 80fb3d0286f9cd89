#!/usr/bin/env bash
# Renders the program's main windows and a printed certificate to PNG files in the folder given (default
# build/capturi), for looking at them; builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/capturi}")
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target capturi blankfdb -j"$(nproc 2>/dev/null || echo 2)"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" QT_QPA_PLATFORM=offscreen build/tools/capturi "$out"
ls "$out"
