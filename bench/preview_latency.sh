#!/bin/sh
# Times the preview from a save to the repainted page, for the 100 KB and
# 1 MB Markdown scale files (both save kinds), and how long the window goes
# without answering while the 10 MB file converts and is shown, without and
# with the outline panel (which lists its 11,000 headings after each save).
#   bench/preview_latency.sh [ROUNDS]
# Build first (the preview_latency_bench target); the scale files come from
# tests/corpus/make-scale.sh (the bench build makes them in build/scale).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
binary=$root/build/bench/preview_latency_bench
scale=$root/build/scale
rounds=${1:-5}

if [ ! -f "$scale/big-10m.md" ]; then
  mkdir -p "$scale"
  sh "$root/tests/corpus/make-scale.sh" "$scale" >/dev/null
fi
[ -x "$binary" ] || { echo "no bench at $binary: cmake --build build --target preview_latency_bench" >&2; exit 2; }

"$binary" --rounds "$rounds" "$scale/big-100k.md" "$scale/big-1m.md"
"$binary" --rounds 2 "$scale/big-10m.md"
"$binary" --rounds 2 --outline "$scale/big-10m.md" | tail -n 2
