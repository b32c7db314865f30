#!/bin/sh
# imprime-pdf.sh FOLDER: the port of the installation's printer. Wine hands it the PostScript of one
# job on standard input; Ghostscript turns it into a PDF file in FOLDER named by date, time and the
# job's title, so that printing asks nothing.
set -eu
pasta=$1
mkdir -p "$pasta"
tmp=$(mktemp "$pasta/.trabalho.XXXXXX")
trap 'rm -f "$tmp" "$tmp-pdf"' EXIT
cat > "$tmp"
# The job's title from the PostScript header, kept to characters that are safe in a file name.
titulo=$(sed -n '/^%%EndComments/q; s/^%%Title: *//p' "$tmp" | head -n 1 | tr -d '\r\n' | tr -c 'A-Za-z0-9._-' '_' |
  cut -c 1-60)
titulo=${titulo:-Documento}
# Should Ghostscript fail, the job is kept as the PostScript it came in.
saida=$tmp-pdf tipo=pdf
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile="$saida" "$tmp" >&2 || saida=$tmp tipo=ps
chmod a+r "$saida"
base="$pasta/$(date +%Y-%m-%d_%H-%M-%S)_$titulo"
nome="$base.$tipo"
n=1
# A hard link claims a name atomically: two jobs in the same second never take the same file.
until ln "$saida" "$nome" 2>/dev/null; do
  [ -e "$nome" ] || exit 1
  n=$((n + 1))
  nome="${base}_$n.$tipo"
done
