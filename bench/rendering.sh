#!/bin/sh
# Times opening a 1 MB Markdown document with 300 code blocks, 100 formulas
# and 5 diagrams to its first screen, with code colours, math and diagrams
# on and off (the first screen with them on should take no longer than 1.2
# times as long), then to the whole page rendered.
#   bench/rendering.sh [ROUNDS]
# Build first: cmake --build build --target rendering_bench
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
binary=$root/build/bench/rendering_bench
[ -x "$binary" ] || { echo "no bench at $binary: cmake --build build --target rendering_bench" >&2; exit 2; }
"$binary" --rounds "${1:-3}"
