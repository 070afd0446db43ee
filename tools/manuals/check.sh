#!/usr/bin/env bash
# check.sh ROOT GENERATOR: regenerates the documents into a temporary folder and compares them
# with the committed ones in ROOT/installation, so that the PDFs and the update texts never drift
# from their sources; checks that the update texts are Windows-1252 lines ended by CR LF, short
# enough for the update window.
set -euo pipefail
root=$1
generator=$2
installation=$root/installation
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "ERRORE: $*" >&2; failed=1; }

QT_QPA_PLATFORM=offscreen "$generator" "$root/tools/manuals" "$work" >/dev/null

for text in Aggiorna1.txt Aggiorna2.txt; do
  committed=$installation/Appoggio/$text
  [[ -f $committed ]] || { fail "manca Appoggio/$text"; continue; }
  cmp -s "$committed" "$work/Appoggio/$text" || fail "Appoggio/$text differisce dalla sua sorgente (rigenerare)"
  python3 - "$committed" <<'PY' || fail "Appoggio/$text non valido"
import sys
data = open(sys.argv[1], "rb").read()
problems = []
if not data.endswith(b"\r\n"):
    problems.append("l'ultima riga non termina con CR LF")
if data.replace(b"\r\n", b"").count(b"\r") or data.replace(b"\r\n", b"").count(b"\n"):
    problems.append("CR o LF isolati")
undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D}  # not assigned in Windows-1252
for i, b in enumerate(data):
    if b in undefined or (b < 0x20 and b not in (0x0D, 0x0A)):
        problems.append("byte 0x%02X non ammesso alla posizione %d" % (b, i))
        break
try:
    data.decode("utf-8")
    if any(b >= 0x80 for b in data):
        problems.append("il testo è UTF-8, non Windows-1252")
except UnicodeDecodeError:
    pass
for n, line in enumerate(data.split(b"\r\n")[:-1], 1):
    if len(line) > 52:
        problems.append("riga %d troppo lunga (%d caratteri)" % (n, len(line)))
if not any(b >= 0x80 for b in data):  # the texts have accented letters: a conversion must show up
    problems.append("nessuna lettera accentata Windows-1252")
for p in problems:
    print("  " + p, file=sys.stderr)
sys.exit(1 if problems else 0)
PY
done

for pdf in Dispensa.pdf Istruzioni_J.pdf Istruzioni.pdf; do
  committed=$installation/$pdf
  [[ -f $committed ]] || { fail "manca $pdf"; continue; }
  [[ -f $work/$pdf ]] || { fail "$pdf non generato (manca la sorgente?)"; continue; }
  if command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null; then
    pages_committed=$(pdfinfo "$committed" | awk '/^Pages:/ {print $2}')
    pages_new=$(pdfinfo "$work/$pdf" | awk '/^Pages:/ {print $2}')
    [[ $pages_committed == "$pages_new" ]] || fail "$pdf: $pages_committed pagine, rigenerato $pages_new"
    pdftotext -layout "$committed" "$work/committed.txt"
    pdftotext -layout "$work/$pdf" "$work/new.txt"
    diff -u "$work/committed.txt" "$work/new.txt" > "$work/diff.txt" || { fail "$pdf: il testo differisce dalla sorgente (rigenerare)"; head -40 "$work/diff.txt" >&2; }
    # Every word of the source must be printed at least as often as the source has it: a
    # paragraph lost by the layout shows up here even when the committed file lost it too.
    python3 - "$root/tools/manuals/src/${pdf%.pdf}.md" "$work/new.txt" <<'PY' || fail "$pdf: testo della sorgente mancante nel PDF"
import re, sys
from collections import Counter
source = open(sys.argv[1], encoding="utf-8").read()
printed = open(sys.argv[2], encoding="utf-8").read()
source = "\n".join(l for l in source.splitlines() if not l.startswith("%!"))
source = re.sub(r"!\[([^\]]*)\]\([^)]*\)", r"\1", source)  # a picture prints its caption
count = lambda text: Counter(w.lower() for w in re.findall(r"[A-Za-zÀ-ÿ]{4,}", text))
wanted, found = count(source), count(printed)
short = sorted(w for w, n in wanted.items() if found[w] < n)
if short:
    print("  parole mancanti: " + ", ".join(short[:20]), file=sys.stderr)
sys.exit(1 if short else 0)
PY
    # The contents pages must send each heading to the page that prints it.
    pdftotext -layout "$work/$pdf" "$work/pages.txt"
    python3 - "$work/pages.txt" <<'PY' || fail "$pdf: indice con numeri di pagina sbagliati"
import re, sys
pages = open(sys.argv[1], encoding="utf-8").read().split("\f")
flat = lambda text: " ".join(text.split())
if len(pages) > 2 and "Indice" in pages[1][:400]:
    entries = []
    for number, page in enumerate(pages[1:], 2):
        found = re.findall(r"^\s*(\S.*?\S)\s{2,}(\d+)\s*$", page, re.M)
        entries += [(t, int(n)) for t, n in found if not t.startswith("Pagina")]
        if entries and number + 1 >= min(n for _, n in entries):
            break
    wrong = [(t, n) for t, n in entries if n > len(pages) or flat(t) not in flat(pages[n - 1])]
    for t, n in wrong:
        print("  '%s' non è a pagina %d" % (t, n), file=sys.stderr)
    sys.exit(1 if wrong or not entries else 0)
PY
  else
    # Without poppler the size must stay within 2 %.
    a=$(stat -c %s "$committed"); b=$(stat -c %s "$work/$pdf")
    (( b * 100 > a * 98 && b * 100 < a * 102 )) || fail "$pdf: $a byte, rigenerato $b"
  fi
done
exit $failed
