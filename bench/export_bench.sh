#!/bin/sh
# Times `quillview export` of a document to every format, one run each, and
# prints seconds per format. Default document: the 1 MB Markdown scale file.
#   bench/export_bench.sh [BINARY] [DOCUMENT]
# Build first (make test, or the quillview target); the scale files come from
# tests/corpus/make-scale.sh (the bench build makes them in build/scale).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$root/build/src/app/quillview}
document=${2:-$root/build/scale/big-1m.md}

if [ ! -f "$document" ]; then
  mkdir -p "$root/build/scale"
  sh "$root/tests/corpus/make-scale.sh" "$root/build/scale" >/dev/null
fi
[ -x "$binary" ] || { echo "no binary at $binary: build first" >&2; exit 2; }

out=$(mktemp -d "${TMPDIR:-/tmp}/quillview-export-bench-XXXXXX")
trap 'rm -rf "$out"' EXIT

printf '%s (%s bytes)\n' "$document" "$(wc -c < "$document")"
printf '%-11s %9s %12s\n' format seconds bytes
for format in html txt rtf rtfd doc docx odt pdf textbundle textpack; do
  start=$(date +%s.%N)
  if "$binary" export "$document" --format "$format" -o "$out/bench.$format" 2>"$out/$format.log"; then
    end=$(date +%s.%N)
    size=$(du -sb "$out/bench.$format" | cut -f1)
    printf '%-11s %9.2f %12s\n' "$format" "$(awk "BEGIN { print $end - $start }")" "$size"
  else
    printf '%-11s %9s %12s\n' "$format" failed "$(tail -1 "$out/$format.log")"
  fi
done
