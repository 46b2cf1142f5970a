#!/bin/sh
# Times `quillview convert` on every hostile shape in every built-in language
# and lists those over LIMIT seconds (default 1). Exits 1 when there are any.
# The built-in converters are forced, so an external road cannot hide a slow
# pass.
#
#   bench/hostile/time-shapes.sh [QUILLVIEW] [BYTES] [LIMIT]
#   LANGS="textile bbcode" SHAPES="star pipe" bench/hostile/time-shapes.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
quillview=${1:-$here/../../build/src/app/quillview}
bytes=${2:-300000}
limit=${3:-1}
langs=${LANGS:-"markdown markdownextra multimarkdown gfm textile wikitext bbcode tessel"}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$here/make-shapes.sh" "$folder" "$bytes"

slow=0
for file in "$folder"/*.txt; do
    shape=$(basename "$file" .txt)
    if [ -n "${SHAPES:-}" ] && ! echo " $SHAPES " | grep -q " $shape "; then continue; fi
    for lang in $langs; do
        # A run stopped by the timeout counts as the whole timeout.
        start=$(date +%s.%N)
        timeout 20 "$quillview" convert --set VANTREL_Use_IObjectiveC_Markup_Transformation=true \
            --set MMD_EXE_PATH= --lang "$lang" "$file" >/dev/null 2>&1 || true
        seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
        if awk -v s="$seconds" -v l="$limit" 'BEGIN { exit !(s > l) }'; then
            echo "SLOW $shape $lang ${seconds}s"
            slow=$((slow + 1))
        elif [ -n "${VERBOSE:-}" ]; then
            echo "ok   $shape $lang ${seconds}s"
        fi
    done
done
echo "hostile shapes: $slow runs over ${limit}s (shapes of $bytes bytes)"
[ "$slow" -eq 0 ]
