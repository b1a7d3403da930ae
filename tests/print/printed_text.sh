#!/bin/sh
# Run by the printing end-to-end test from under Wine: waits (a minute at most) until CUPS-PDF has written a PDF into
# PDF_DIR after DATA_DIR's file "stamp" and CUPS has no job left, then writes the text of the newest such PDF into
# DATA_DIR's "printed.txt" (pdftotext -layout without blank lines and indentation: each page ends in a form feed)
# and, when PNG is given, renders its first page there at 60 dpi.
# "printed.txt" appears whole, once all is done; when no PDF came, it says so. DATA_DIR and PNG are Wine paths.
# Usage: printed_text.sh PDF_DIR DATA_DIR [PNG]
unix() { printf '%s' "$1" | sed 's/^[Zz]://; s|\\|/|g'; }
pdfs=$1 dir=$(unix "$2") png=$(unix "${3:-}")
newest() { find "$pdfs" -maxdepth 1 -name '*.pdf' -newer "$dir/stamp" -printf '%T@ %p\n' | sort -n | tail -n 1 | cut -d' ' -f2-; }
# The program may be back before its job reaches CUPS: the job's PDF must be there and CUPS done with every job.
tries=0
while { [ -z "$(newest)" ] || [ -n "$(lpstat -o 2>/dev/null)" ]; } && [ $tries -lt 300 ]; do
    sleep 0.2
    tries=$((tries + 1))
done
pdf=$(newest)
if [ -z "$pdf" ]; then
    echo "no PDF newer than $dir/stamp in $pdfs" >"$dir/text.part"
elif ! pdftotext -layout "$pdf" "$dir/text.raw" 2>"$dir/text.err"; then
    echo "pdftotext failed on $pdf: $(cat "$dir/text.err")" >"$dir/text.part"
else
    sed '/^ *$/d; s/^ *//' "$dir/text.raw" >"$dir/text.part"
    [ -z "$png" ] || pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" "${png%.png}"
fi
mv "$dir/text.part" "$dir/printed.txt"
