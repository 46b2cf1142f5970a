#!/bin/sh
# Times whole-process conversions of the 10 MB scale files (and of a 50-byte
# file) by our `quillview convert` and, beside it, by the peer converter for
# the same markup when it is installed (scripts/install-peers), and prints a
# table: CPU seconds (user + system, the least of RUNS runs, ours and the
# peer's interleaved so that load from elsewhere hits both alike) and the
# ratio ours / peer.
#
#   bench/peers_table.sh [BINARY] [RUNS] [SIZE]
#
# BINARY defaults to build/src/app/quillview, RUNS to 3, SIZE to 10m (or
# 1m, 100k). The scale files come from build/scale (the scale_files target).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$root/build/src/app/quillview}
runs=${2:-3}
size=${3:-10m}
scale=$root/build/scale
[ -x "$binary" ] || { echo "no binary at $binary: build first" >&2; exit 2; }
[ -f "$scale/big-$size.md" ] || sh "$root/tests/corpus/make-scale.sh" "$scale" >/dev/null

work=$(mktemp -d "${TMPDIR:-/tmp}/quillview-peers-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME"
printf '# A title\n\nSome *text* with a [link](x).\n' >"$work/small.md"

# The command of each peer, reading the file named by its last argument; the
# peer counts as missing when its command does not run at all.
peer_command() {  # LANG -> prints a shell command that takes FILE as $1
  case $1 in
    markdownextra)
      echo 'php -r "require \"/usr/share/php/Parsedown/Parsedown.php\"; require \"/usr/share/php/ParsedownExtra/ParsedownExtra.php\"; echo (new ParsedownExtra())->text(file_get_contents(\$argv[1]));" "$1"' ;;
    markdown) echo 'cmark "$1"' ;;
    gfm) echo 'cmark-gfm --unsafe -e footnotes -e table -e strikethrough -e autolink -e tagfilter -e tasklist "$1"' ;;
    textile) echo 'redcloth "$1"' ;;
    wikitext) echo 'perl -MText::MediawikiFormat=wikiformat -e "local \$/; open my \$f, q(<:utf8), \$ARGV[0] or die; binmode STDOUT, q(:utf8); print wikiformat(<\$f>)" "$1"' ;;
    bbcode) echo 'perl -MParse::BBCode -e "local \$/; open my \$f, q(<:utf8), \$ARGV[0] or die; binmode STDOUT, q(:utf8); print Parse::BBCode->new->render(<\$f>)" "$1"' ;;
    *) echo "" ;;
  esac
}

peer_name() {
  case $1 in
    markdownextra) echo ParsedownExtra ;;
    markdown) echo cmark ;;
    gfm) echo cmark-gfm ;;
    textile) echo RedCloth ;;
    wikitext) echo Text::MediawikiFormat ;;
    bbcode) echo Parse::BBCode ;;
    *) echo - ;;
  esac
}

# CPU seconds of one run of a shell command with FILE as $1; empty on failure.
cpu_seconds() {  # COMMAND FILE
  if /usr/bin/time -f '%U %S' -o "$work/time" sh -c "$1" sh "$2" >/dev/null 2>"$work/err"; then
    awk '{ printf "%.3f", $1 + $2 }' "$work/time"
  fi
}

least() { sort -n | head -1; }

# A command run REPEAT times over, for files too small to time once.
repeated() {  # REPEAT COMMAND
  if [ "$1" -le 1 ]; then echo "$2"; else echo "i=0; while [ \$i -lt $1 ]; do $2 || exit 1; i=\$((i + 1)); done"; fi
}

# One row: LABEL LANG FILE [REPEAT]; times are per conversion.
row() {
  label=$1 lang=$2 file=$3 repeat=${4:-1}
  ours_cmd=$(repeated "$repeat" "\"$binary\" convert --lang $lang \"\$1\"")
  peer_cmd=$(peer_command "$lang")
  if [ -n "$peer_cmd" ] && ! sh -c "$peer_cmd" sh "$work/small.md" >/dev/null 2>&1; then
    peer_cmd=""
  fi
  # Parse::BBCode takes time that grows with the square of the length: the
  # 10 MB file would not finish, so it gets none.
  if [ "$lang" = bbcode ] && [ "$(wc -c <"$file")" -gt 1000000 ]; then
    peer_cmd=""
  fi
  [ -n "$peer_cmd" ] && peer_cmd=$(repeated "$repeat" "$peer_cmd")
  : >"$work/ours" ; : >"$work/peer"
  i=0
  while [ $i -lt "$runs" ]; do
    cpu_seconds "$ours_cmd" "$file" >>"$work/ours"; echo >>"$work/ours"
    [ -n "$peer_cmd" ] && { cpu_seconds "$peer_cmd" "$file" >>"$work/peer"; echo >>"$work/peer"; }
    i=$((i + 1))
  done
  ours=$(grep . "$work/ours" | least | awk -v n="$repeat" '{ printf "%.3f", $1 / n }' || true)
  peer=$(grep . "$work/peer" | least | awk -v n="$repeat" '{ printf "%.3f", $1 / n }' || true)
  ratio=-
  if [ -n "$ours" ] && [ -n "$peer" ]; then
    ratio=$(awk -v a="$ours" -v b="$peer" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }')
  fi
  [ -n "$peer" ] || peer=-
  [ -n "$ours" ] || ours=failed
  printf '| %-34s | %8s | %-22s | %8s | %6s |\n' "$label" "$ours" "$(peer_name "$lang")" "$peer" "$ratio"
}

printf '| %-34s | %8s | %-22s | %8s | %6s |\n' run "ours (s)" peer "peer (s)" ratio
printf '|%s|%s|%s|%s|%s|\n' "------------------------------------" "----------" "------------------------" "----------" "--------"
row "convert --lang markdownextra" markdownextra "$scale/big-$size.md"
row "convert --lang markdown" markdown "$scale/big-$size.md"
row "convert --lang gfm" gfm "$scale/big-$size.md"
row "convert --lang textile" textile "$scale/big-$size.textile"
row "convert --lang wikitext" wikitext "$scale/big-$size.wiki"
row "convert --lang bbcode" bbcode "$scale/big-$size.bbcode"
row "convert --lang bbcode (100 KB)" bbcode "$scale/big-100k.bbcode"
row "convert --lang tessel (on the .md)" tessel "$scale/big-$size.md"
row "convert of a 50-byte file" markdown "$work/small.md" 20
echo "CPU seconds (user + system), least of $runs runs, whole process, $size scale files."
