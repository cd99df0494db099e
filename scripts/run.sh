#!/usr/bin/env bash
# Builds zemka and starts it in ./work, a work directory holding the shipped message file.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target zemka >/dev/null
mkdir -p "$root/work"
cp "$root/data/zemka.seq" "$root/work/zemka.seq"
cd "$root/work"
exec "$root/build/app/zemka" "$@"
