#!/bin/sh
# Compares what two quillview binaries write for `convert` on every corpus
# document and every scale file, in every language that reads it, with
# CriticMarkup off and on. Prints each file whose output differs and exits
# non-zero when any does.
#
#   bench/compare_outputs.sh BASELINE NEW [LANG...]
#
# LANG limits the run to those language identifiers (default: all of
# markdown markdownextra multimarkdown tessel textile wikitext bbcode).
# The scale files come from build/scale (the scale_files target); settings
# come from an empty temporary configuration, so user settings do not matter,
# and MultiMarkdown runs the built-in converter. Markdown hides e-mail
# addresses behind numeric character references chosen at random on every
# run, so two outputs that differ only in which characters are written as
# references count as the same.
set -u

[ $# -ge 2 ] || { echo "usage: $0 BASELINE NEW [LANG...]" >&2; exit 2; }
baseline=$1
new=$2
shift 2
languages=${*:-markdown markdownextra multimarkdown tessel textile wikitext bbcode}

root=$(cd "$(dirname "$0")/.." && pwd)
corpus=$root/tests/corpus
scale=$root/build/scale

work=$(mktemp -d "${TMPDIR:-/tmp}/quillview-compare-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME"

# The corpus folder and the scale-file extension that a language reads.
source_of() {
  case $1 in
    markdown|markdownextra|multimarkdown|tessel) echo "markdown md" ;;
    textile) echo "textile textile" ;;
    wikitext) echo "wikitext wiki" ;;
    bbcode) echo "bbcode bbcode" ;;
    *) echo "unknown language $1" >&2; exit 2 ;;
  esac
}

# Both files the same once every numeric character reference is written as
# its character.
same_but_references() {
  python3 - "$1" "$2" <<'PY'
import re, sys
def decoded(path):
    text = open(path, encoding="utf-8", errors="surrogateescape").read()
    return re.sub(r"&#(x[0-9a-fA-F]+|[0-9]+);",
                  lambda m: chr(int(m.group(1)[1:], 16) if m.group(1)[0] == "x" else int(m.group(1))), text)
sys.exit(0 if decoded(sys.argv[1]) == decoded(sys.argv[2]) else 1)
PY
}

compared=0
differing=0
compare_one() {  # LANG FILE [--critic]
  "$baseline" convert --lang "$1" $3 --set MMD_EXE_PATH= "$2" >"$work/old" 2>"$work/old.err"
  old_rc=$?
  "$new" convert --lang "$1" $3 --set MMD_EXE_PATH= "$2" >"$work/new" 2>"$work/new.err"
  new_rc=$?
  compared=$((compared + 1))
  if [ $old_rc -ne $new_rc ] ||
     { ! cmp -s "$work/old" "$work/new" && ! same_but_references "$work/old" "$work/new"; }; then
    differing=$((differing + 1))
    echo "DIFFERS: --lang $1 $3 $2 (exit $old_rc / $new_rc)"
  fi
}

for lang in $languages; do
  set -- $(source_of "$lang")
  folder=$1
  extension=$2
  for file in "$corpus/$folder"/*."$extension" "$scale"/big-*."$extension"; do
    [ -f "$file" ] || continue
    compare_one "$lang" "$file" ""
    compare_one "$lang" "$file" --critic
  done
done

echo "$compared conversions compared, $differing differ"
[ $differing -eq 0 ]
