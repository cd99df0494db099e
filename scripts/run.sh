#!/usr/bin/env bash
# Builds zemka and the runtime library mach, then starts zemka in ./work beside the shipped
# message file. With an answer file as argument (bash scripts/run.sh examples/05-rod-flux-1d.in),
# that file becomes work/zemka.in and is replayed to the end.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
answers=""
if [ $# -gt 0 ]; then
  answers="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
  [ -f "$answers" ] || { echo "run.sh: no answer file $1" >&2; exit 2; }
fi
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
echo "building zemka and libzemka-mach.a in build/ ..."
cmake --build "$root/build" -j"$(nproc)" --target zemka zemka-mach
mkdir -p "$root/work"
cp "$root/data/zemka.seq" "$root/work/zemka.seq"
cd "$root/work"
if [ -n "$answers" ]; then
  cp "$answers" zemka.in
  exec "$root/build/app/zemka" <<< '#'
fi
exec "$root/build/app/zemka"
