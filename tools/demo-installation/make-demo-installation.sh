#!/usr/bin/env bash
# Regenerates the demo subjects and default settings of the installation folder with florimant-cli:
#   FileSet/OrbiDomi.stt, FileDum/MMVarOrb.dum  orb sets (A active) and chart settings
#   FileSet/MMVarLas.stt                       display settings (defaults)
#   BASE.ST1/.ST2/.ST3, BASEtxt/               a small demo archive, one subject with a text
#   TMPR.ST1/.ST2, FileDum/*.dum               the demo current subject (recalled from BASE)
# Usage: make-demo-installation.sh [path/to/florimant-cli] [installation folder]
# The chart summaries of the birth records come from the ephemeris of the installation folder,
# so its FilePosi files must be in place first.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cli=${1:-$root/build/test/cli/florimant-cli}
installation=${2:-$root/installation}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/FileSet" "$work/FileDum"
ln -s "$installation/FilePosi" "$work/FilePosi"

crlf() { printf '%s\r\n' "$@"; }

# The three orb sets in editor-row order (Congiunzione, SemiSestile, Decile, Novile, SemiQuadrato,
# Settile, Sestile, Quintile, Quadrato, Trigono, SesquiQuadr, BiQuintile, Quinconce, Opposizione),
# then the parallel and antiscia orbs: A the fixed traditional orbs, B and C the editor defaults.
{
  crlf 10 1 1 1 1 1 4 1 6 8 1 1 1 9 1 1
  crlf 10 1 0.5 0.5 1 0.5 3 1 4 4 1 1 2 8 1 1
  crlf 5 1 0.5 0.5 1 0.5 3 1 4.5 5 0.8 0.8 1.5 7 1 1
  crlf A
} > "$work/FileDum/MMVarOrb.dum"
# House system, node kind and black moon kind of the active file are the program's defaults
# (PLACIDO, VERO, MEDIA); applying set A writes both files in the program's own notation.
"$cli" --data "$work" settings orb-set A > /dev/null

crlf 1 0 0 1 " 1.00000000000000E+0000" "" " 1.00000000000000E+0000" " 1.00000000000000E+0000" \
  > "$work/FileSet/MMVarLas.stt"

add() { "$cli" --data "$work" archive add BASE "$@" > /dev/null; }
add --name "ROSSI MARIO" --date 15/03/1960 --time 10:30 --correction -1 --coords 45N28-009E11 \
    --locality "MILANO *MI*" --nationality ITALIA --calendar GREGORIANO \
    --notes "Soggetto dimostrativo: tema natale di prova." --text
add --name "BIANCHI ANNA" --date 02/08/1975 --time 06:45 --correction -2 --coords 41N54-012E29 \
    --locality "ROMA *RM*" --nationality ITALIA --calendar GREGORIANO
add --name "ESPOSITO LUCIA" --date 21/12/1948 --time 23:10 --correction -1 --coords 40N51-014E15 \
    --locality "NAPOLI *NA*" --nationality ITALIA --calendar GREGORIANO
add --name "FERRARI PAOLO" --date 30/06/1990 --time 14:05 --correction -2 --coords 45N04-007E41 \
    --locality "TORINO *TO*" --nationality ITALIA --calendar GREGORIANO

# The demo current subject: ROSSI MARIO, recalled as the recall window would.
position=$("$cli" --data "$work" archive show BASE | grep -o '"position":[0-9]*,"index_text":"ROSSI MARIO ' | grep -o '[0-9][0-9]*')
"$cli" --data "$work" archive recall BASE "$position" > /dev/null

rm "$work/FilePosi"
# Only the files made here are replaced; the rest of the installation is left alone.
rm -rf "${installation:?}/BASEtxt"
(cd "$work" && find . -type f) | while read -r f; do
  mkdir -p "$(dirname "$installation/$f")"
  cp "$work/$f" "$installation/$f"
done
echo "demo installation written to $installation"
