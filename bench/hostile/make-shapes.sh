#!/bin/sh
# Writes one file per hostile shape (shapes.txt beside this script) into
# FOLDER, each about BYTES long (default 300000).
#
#   bench/hostile/make-shapes.sh FOLDER [BYTES]
set -eu
here=$(dirname "$0")
folder=$1
bytes=${2:-300000}
mkdir -p "$folder"
awk -F '\t' -v folder="$folder" -v bytes="$bytes" '
function repeat(x, k,    s) { s = ""; while (k-- > 0) s = s x; return s }
function unescape(s) { gsub(/\\n/, "\n", s); gsub(/\\t/, "\t", s); return s }
# Replaces the {…} tokens for repetition n.
function expand(unit, n,    out, start, stop, token, arg) {
    out = ""
    while ((start = index(unit, "{")) > 0 && (stop = index(substr(unit, start), "}")) > 1) {
        token = substr(unit, start + 1, stop - 2)
        out = out substr(unit, 1, start - 1)
        if (token == "n") out = out n
        else if (token ~ /^run:/) out = out repeat(substr(token, 5), n + 1)
        else if (token ~ /^depth:/) out = out repeat(substr(token, 7), n % 1000)
        else if (token ~ /^times:[0-9]+:/) {
            arg = substr(token, 7)
            out = out repeat(substr(arg, index(arg, ":") + 1), arg + 0)
        } else out = out "{" token "}"
        unit = substr(unit, start + stop)
    }
    return out unit
}
/^#/ || NF < 2 { next }
{
    file = folder "/" $1 ".txt"
    unit = unescape(NF >= 3 ? $3 : $2)
    piece = NF >= 3 ? expand(unescape($2), 0) : ""
    for (n = 0; written + length(piece) < bytes; n++) {
        printf "%s", piece > file
        written += length(piece)
        piece = expand(unit, n)
    }
    printf "%s", substr(piece, 1, bytes - written) > file
    close(file)
    written = 0
}' "$here/shapes.txt"
