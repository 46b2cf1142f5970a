#!/bin/sh
# Time to the first text on screen, from launch, for the bundled sample and
# the 100 KB, 1 MB and 10 MB Markdown scale files: Quillview beside a bare
# Qt WebEngine view (minimal_webview) showing the same page as an HTML file.
# Medians of ROUNDS launches each, on a display of its own (Xvfb). The 10 MB
# rows also give when the program went quiet and its memory (the program
# and its web engine processes together): peak, and once quiet.
#   bench/first_paint.sh [ROUNDS] [LABEL=QUILLVIEW ...]
# (several binaries, such as before=… after=…, run side by side)
# Build first: cmake --build build --target quillview minimal_webview first_paint_probe
# FIRST_PAINT_DISPLAY picks the display number (default :91).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-5}
[ $# -gt 0 ] && shift
[ $# -gt 0 ] || set -- "quillview=$root/build/src/app/quillview"
probe=$root/build/bench/first_paint_probe
minimal=$root/build/bench/minimal_webview
scale=$root/build/scale
display=${FIRST_PAINT_DISPLAY:-:91}
for program in "$probe" "$minimal" $(for pair in "$@"; do echo "${pair#*=}"; done); do
  [ -x "$program" ] || { echo "no $program: build it first" >&2; exit 2; }
done
if [ ! -f "$scale/big-10m.md" ]; then
  mkdir -p "$scale"
  sh "$root/tests/corpus/make-scale.sh" "$scale" >/dev/null
fi

work=$(mktemp -d)
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT INT TERM
sleep 1

# Settings, styles and the single-instance socket of a home of its own.
export DISPLAY="$display" QT_QPA_PLATFORM=xcb HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" \
  XDG_DATA_HOME="$work/home/data" XDG_CACHE_HOME="$work/home/cache" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$work/home/config/Quillview" "$work/run" && chmod 700 "$work/run"
# A user past the first starts, who chose no automatic update checks.
printf '[General]\nVantrel_Updater_First_Start_Done=true\nVantrel_Updater_Second_Start_Done=true\nVANTREL_UPDATER_AUTOCHECK=false\n' \
  > "$work/home/config/Quillview/Quillview.conf"
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1

cp "$root/resources/samples/sample.md" "$work/sample.md"
for size in 100k 1m 10m; do cp "$scale/big-$size.md" "$work/big-$size.md"; done

# One launch of each first, so that none pays for the first run in a home.
for pair in "$@"; do "$probe" --rounds 1 -- "${pair#*=}" "$work/sample.md" >/dev/null; done
# The bare view warms up on a page with text in its lower half, which the
# probe waits for.
DISPLAY= QT_QPA_PLATFORM=offscreen "${1#*=}" export --format html -o "$work/warm-up.html" "$work/sample.md" >/dev/null 2>&1
"$probe" --rounds 1 -- "$minimal" "$work/warm-up.html" 900 760 >/dev/null

printf 'milliseconds from launch to first text, %s launches each (median, least, most)\n' "$rounds"
printf '%-10s %-10s %8s %8s %8s %9s %8s %8s\n' document program median least most quiet-at peak-MB quiet-MB
for name in sample big-100k big-1m big-10m; do
  page="$work/$name.html"
  DISPLAY= QT_QPA_PLATFORM=offscreen "${1#*=}" export --format html -o "$page" "$work/$name.md" >/dev/null 2>&1
  settle=
  [ "$name" = big-10m ] && settle=--settle
  for pair in "$@"; do
    printf '%-10s %-10s ' "$name" "${pair%%=*}"
    "$probe" --rounds "$rounds" $settle -- "${pair#*=}" "$work/$name.md"
  done
  printf '%-10s %-10s ' "$name" minimal
  "$probe" --rounds "$rounds" $settle -- "$minimal" "$page" 900 760
done
