#!/usr/bin/env bash
# Screenshots of the windows on the sample folder for the user guide, in docs/captures/, and the
# first printed page in docs/: each window started under a virtual X display of its own, driven as
# a user would with xdotool, shot with ImageMagick's import (the window alone) and made small by
# optipng; at 96 and at 144 dots per inch. Each run has its own temporary folder and its own
# display, so that two runs, or a killed one, never block each other. The folders typed are
# relative to that folder on Linux (./KORVEX) and on a drive of its own under Wine (K:\KORVEX):
# no machine's path shows in a picture.
# Usage: scripts/captures.sh [BUILD [BUILD_WINDOWS]]   (build build-windows)
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
# The window must reach the virtual screen, even from a shell set for offscreen tests.
unset QT_QPA_PLATFORM
absolu() { case $1 in /*) echo "$1" ;; *) echo "$racine/$1" ;; esac; }
build=$(absolu "${1:-build}")
build_windows=$(absolu "${2:-build-windows}")
sortie=$racine/docs/captures
travail=$(mktemp -d /tmp/captures.XXXXXX)
# The sample folder, and a copy whose table announces one record less than it holds, in the run's
# own folder.
exemple=$travail/KORVEX
endommage=$travail/ENDOMMAGE/KORVEX
ATTENTE=20  # seconds for anything to appear
TITRE="Calcul d'une récap sous KORVEX"

# Amounts with a decimal comma, as a French user sees them; the French locale is the one the
# build compiles for its tests.
en_francais=(env LOCPATH="$build/locales" LC_ALL=fr_FR.UTF-8 LANG=fr_FR.UTF-8)

lances=()
prefixe_wine=""
nettoyer() {
  for pid in "${lances[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -n "$prefixe_wine" ] && WINEPREFIX=$prefixe_wine wineserver -k 2>/dev/null || true
  for pid in "${lances[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$travail"
}
trap nettoyer EXIT

echec() { echo "captures : $*" >&2; exit 1; }

# Runs "$@" every tenth of a second until it succeeds, for at most ATTENTE seconds.
attendre() {
  local quoi=$1; shift
  for _ in $(seq $((ATTENTE * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  echec "$quoi : rien après $ATTENTE s"
}

fenetre_visible() { xdotool search --onlyvisible --name "^$TITRE\$" | head -1; }
fenetre_presente() { [ -n "$(fenetre_visible)" ]; }

# The screen where the window is, so that a menu open over it is in the picture too.
capturer() {
  local nom=$1 id=$2 X Y WIDTH HEIGHT SCREEN WINDOW
  sleep 0.5  # the last keystroke or click drawn
  eval "$(xdotool getwindowgeometry --shell "$id")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "png:$sortie/$nom.png"
  optipng -quiet -o5 -strip all "$sortie/$nom.png"
  echo "  $nom.png ($(stat -c %s "$sortie/$nom.png") octets)"
}

# Pixels of the description at the run's scale (ECHELLE in percent: 100 at 96 DPI, 150 at 144).
ECHELLE=100
px() { echo $(($1 * ECHELLE / 100)); }

# A click at x, y of the window's client area, in the description's pixels.
cliquer() { xdotool mousemove --window "$1" "$(px "$2")" "$(px "$3")" click "${4:-1}"; }

# Replaces the text of the field at x, y by typing it (End, Shift+Home: every edit knows them).
saisir() {
  cliquer "$1" "$2" "$3"
  xdotool key --clearmodifiers End shift+Home
  xdotool type --delay 8 -- "$4"
}

# The whole user's road in one window, coordinates of the window description (client area):
# folder field 184,8; month field 32,56; button 288,48; grid from 0,97 with 24-pixel rows and
# columns 64, 290, 172, 175, 139 wide. SUFFIXE names the shots (linux, windows).
piloter() {
  local suffixe=$1 id=$2 dossier=$3
  capturer "fenetre-$suffixe-depart" "$id"
  saisir "$id" 300 18 "$dossier"
  capturer "fenetre-$suffixe-dossier" "$id"
  saisir "$id" 90 66 "02-2024"
  cliquer "$id" 388 60
  sleep 1
  capturer "fenetre-$suffixe-recap" "$id"
  # The labels and gains of rubrics 1 to 5, dragged with the mouse.
  xdotool mousemove --window "$id" "$(px 100)" "$(px 133)" mousedown 1 mousemove --window "$id" "$(px 600)" "$(px 229)" mouseup 1
  capturer "fenetre-$suffixe-selection" "$id"
  # The grid's context menu, where this version of the window has one.
  local avant
  avant=$(fenetres_visibles)
  cliquer "$id" 300 160 3
  sleep 0.5
  if [ "$(fenetres_visibles)" -gt "$avant" ]; then
    capturer "fenetre-$suffixe-menu" "$id"
    xdotool key Escape
  else
    echo "  (pas de menu contextuel sur la grille : fenetre-$suffixe-menu.png non faite)"
  fi
}

nommee() { local id; id=$(xdotool search --onlyvisible --name "$1" | head -1); [ -n "$id" ] && echo "$id"; }
absente() { ! nommee "$1" >/dev/null; }

# Alt+F4 closes a Wine window; with no window manager to close a Qt one, it is taken off the screen.
fermer() {
  xdotool key alt+F4
  for _ in $(seq 20); do absente "$1" && return 0; sleep 0.1; done
  xdotool windowunmap "$(nommee "$1")"
  attendre "la fermeture de « $1 »" absente "$1"
}

fenetres_visibles() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }

# The windows opened from the recap left by piloter: the comparison with the month before
# (Ctrl+M), then rubric 1's detail (a double click on its row), each shot, then closed.
piloter_tableaux() {
  local suffixe=$1 id=$2
  local comparaison="^Comparaison — mois 02-2024 / 01-2024\$" detail="^Détail — rubrique 1 Salaire de base — mois 02-2024\$"
  cliquer "$id" 150 133  # rubric 1's row: the grid has the keys
  xdotool key --clearmodifiers ctrl+m
  attendre "la fenêtre de comparaison" nommee "$comparaison"
  capturer "fenetre-$suffixe-comparaison" "$(nommee "$comparaison")"
  # Only the rows to check (Alt+V), sorted by the gap, largest first (two clicks on its header:
  # the columns are 64, 250, 90, 130 and 130 pixels wide, under the 41-pixel panel).
  xdotool key --clearmodifiers alt+v
  local filtre="^Comparaison — mois 02-2024 / 01-2024 \\(seulement les lignes à vérifier\\)\$"
  attendre "le filtre de la comparaison" nommee "$filtre"
  cliquer "$(nommee "$filtre")" 700 52
  sleep 0.3
  cliquer "$(nommee "$filtre")" 700 52
  capturer "fenetre-$suffixe-comparaison-filtre" "$(nommee "$filtre")"
  xdotool key --clearmodifiers Escape
  attendre "la fermeture de la comparaison" absente "$filtre"
  xdotool mousemove --window "$id" 150 133 click --repeat 2 --delay 100 1
  attendre "la fenêtre de détail" nommee "$detail"
  capturer "fenetre-$suffixe-detail" "$(nommee "$detail")"
  xdotool windowfocus --sync "$(nommee "$detail")" key --clearmodifiers ctrl+w
  attendre "la fermeture du détail" absente "$detail"
}

# The cumuls from the recap of 02-2024 (Ctrl+U: January to that month), then the quarter typed in
# « Au » (Alt+A) and calculated (Alt+C), with the keyboard only; shot, then closed.
piloter_cumuls() {
  local suffixe=$1 id=$2
  local ouverte="^Cumuls — du 01-2024 au 02-2024\$" trimestre="^Cumuls — du 01-2024 au 03-2024\$"
  cliquer "$id" 150 133
  xdotool key --clearmodifiers ctrl+u
  attendre "la fenêtre des cumuls" nommee "$ouverte"
  xdotool windowfocus --sync "$(nommee "$ouverte")" key --clearmodifiers alt+a End shift+Home
  xdotool type --delay 8 -- "03-2024"
  xdotool key --clearmodifiers alt+c
  attendre "les cumuls du trimestre" nommee "$trimestre"
  capturer "fenetre-$suffixe-cumuls" "$(nommee "$trimestre")"
  xdotool windowfocus --sync "$(nommee "$trimestre")" key --clearmodifiers Escape
  attendre "la fermeture des cumuls" absente "$trimestre"
}

# The controls' test folder: its recap of 02-2024, the controls (Ctrl+K), the payslip of the
# negative net (Enter on its row), then the gaps of rubric 1 by employee from the comparison
# (Ctrl+M, Enter on its first row); each shot, then closed with Escape.
piloter_controles() {
  local suffixe=$1 id=$2 dossier=$3
  local controles="^Contrôles — mois 02-2024 / 01-2024\$" bulletin="^Bulletin — enregistrement 14 — "
  local comparaison="^Comparaison — mois 02-2024 / 01-2024\$" ecarts="^Écarts par salarié — rubrique 1 "
  saisir "$id" 300 18 "$dossier"
  saisir "$id" 90 66 "02-2024"
  cliquer "$id" 388 60
  sleep 1
  cliquer "$id" 150 133
  xdotool key --clearmodifiers ctrl+k
  attendre "la fenêtre des contrôles" nommee "$controles"
  capturer "fenetre-$suffixe-controles" "$(nommee "$controles")"
  # The fourth finding, the negative net: Home, three rows down, Enter.
  xdotool windowfocus --sync "$(nommee "$controles")" key --clearmodifiers ctrl+Home Down Down Down Return
  attendre "le bulletin" nommee "$bulletin"
  capturer "fenetre-$suffixe-bulletin" "$(nommee "$bulletin")"
  xdotool windowfocus --sync "$(nommee "$bulletin")" key --clearmodifiers Escape
  attendre "la fermeture du bulletin" absente "$bulletin"
  xdotool windowfocus --sync "$(nommee "$controles")" key --clearmodifiers Escape
  attendre "la fermeture des contrôles" absente "$controles"
  xdotool windowfocus --sync "$id" key --clearmodifiers ctrl+m
  attendre "la fenêtre de comparaison" nommee "$comparaison"
  xdotool windowfocus --sync "$(nommee "$comparaison")" key --clearmodifiers ctrl+Home Return
  attendre "les écarts par salarié" nommee "$ecarts"
  capturer "fenetre-$suffixe-ecarts" "$(nommee "$ecarts")"
  xdotool windowfocus --sync "$(nommee "$ecarts")" key --clearmodifiers Escape
  attendre "la fermeture des écarts" absente "$ecarts"
  xdotool windowfocus --sync "$(nommee "$comparaison")" key --clearmodifiers Escape
  attendre "la fermeture de la comparaison" absente "$comparaison"
}

# The recap, the comparison and a detail, for a window started at another scale.
piloter_comparaison() {
  local suffixe=$1 id=$2 dossier=$3
  local comparaison="^Comparaison — mois 02-2024 / 01-2024\$"
  saisir "$id" 300 18 "$dossier"
  saisir "$id" 90 66 "02-2024"
  cliquer "$id" 388 60
  sleep 1
  capturer "fenetre-$suffixe-recap-144" "$id"
  cliquer "$id" 150 133
  xdotool key --clearmodifiers ctrl+m
  attendre "la fenêtre de comparaison" nommee "$comparaison"
  capturer "fenetre-$suffixe-comparaison-144" "$(nommee "$comparaison")"
  xdotool key --clearmodifiers Escape
  attendre "la fermeture de la comparaison" absente "$comparaison"
  local detail="^Détail — rubrique 1 Salaire de base — mois 02-2024\$"
  xdotool windowfocus --sync "$id" key --clearmodifiers ctrl+d
  attendre "la fenêtre de détail" nommee "$detail"
  capturer "fenetre-$suffixe-detail-144" "$(nommee "$detail")"
  xdotool windowfocus --sync "$(nommee "$detail")" key --clearmodifiers Escape
  attendre "la fermeture du détail" absente "$detail"
}

# The recap of the damaged copy: the warnings area with its count of payslips left out.
piloter_avertissements() {
  local suffixe=$1 id=$2 dossier=$3
  saisir "$id" 300 18 "$dossier"
  saisir "$id" 90 66 "02-2024"
  cliquer "$id" 388 60
  sleep 1
  capturer "fenetre-$suffixe-avertissements" "$id"
}

# Page 1 of the recap on the Linux window's printer, through its PDF export: the grid's menu from
# the keyboard (Shift+F10), its last entry, then the file name in Qt's own save dialog.
imprimer_page1() {
  local id=$1 pdf=$travail/recap.pdf
  cliquer "$id" 150 133
  xdotool key --clearmodifiers shift+F10 Up Return
  attendre "le dialogue d'enregistrement du PDF" nommee "^Exporter la récap en PDF\$"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 8 -- "$pdf"
  xdotool key --clearmodifiers Return
  attendre "le PDF de la récap" test -s "$pdf"
  sleep 0.5
  pdftoppm -png -r 60 -singlefile -f 1 "$pdf" "$racine/docs/impression-page1"
  optipng -quiet -o5 -strip all "$racine/docs/impression-page1.png"
  echo "  ../impression-page1.png ($(stat -c %s "$racine/docs/impression-page1.png") octets)"
}

# Xvfb takes a free display itself and writes its number once it listens: no display number is
# fixed, and a killed run's stale lock is one Xvfb knows to pass over.
demarrer_xvfb() {
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$travail/ecran" >/dev/null 2>&1 &
  lances+=($!)
  attendre "l'écran virtuel" test -s "$travail/ecran"
  export DISPLAY=":$(cat "$travail/ecran")"
  attendre "l'écran virtuel $DISPLAY" xdpyinfo
}

mkdir -p "$sortie"
cp -r "$racine/examples/KORVEX" "$exemple"
mkdir -p "$(dirname "$endommage")"
cp -r "$racine/examples/KORVEX" "$endommage"
mkdir -p "$travail/CONTROLES"
cp -r "$racine/tests/cli/controles/KORVEX" "$travail/CONTROLES/KORVEX"
# The header's record count, bytes 4 to 7, one less: the last record is read as one too many.
/usr/bin/python3 - "$endommage/PAIES.DTA" <<'FIN'
import struct, sys
with open(sys.argv[1], "r+b") as f:
    f.seek(4); n = struct.unpack("<I", f.read(4))[0]
    f.seek(4); f.write(struct.pack("<I", n - 1))
FIN
cd "$travail"
[ -x "$build/src/DLG_KORVEX_Calcule_Recap" ] || echec "$build/src/DLG_KORVEX_Calcule_Recap n'est pas construit (make build)"
demarrer_xvfb

echo "Fenêtre Linux :"
"${en_francais[@]}" "$build/src/DLG_KORVEX_Calcule_Recap" &
lances+=($!)
attendre "la fenêtre Linux « $TITRE »" fenetre_presente
piloter linux "$(fenetre_visible)" ./KORVEX
piloter_tableaux linux "$(fenetre_visible)"
piloter_cumuls linux "$(fenetre_visible)"
imprimer_page1 "$(fenetre_visible)"
piloter_avertissements linux "$(fenetre_visible)" ./ENDOMMAGE/KORVEX
piloter_controles linux "$(fenetre_visible)" ./CONTROLES/KORVEX
kill "${lances[-1]}"
echo "Fenêtre Linux à 144 points par pouce :"
ECHELLE=150
"${en_francais[@]}" QT_SCALE_FACTOR=1.5 "$build/src/DLG_KORVEX_Calcule_Recap" &
lances+=($!)
attendre "la fenêtre Linux « $TITRE »" fenetre_presente
piloter_comparaison linux "$(fenetre_visible)" ./KORVEX
kill "${lances[-1]}"
ECHELLE=100

# The same exe as on users' machines, under Wine, in a prefix of its own: the test prefix draws
# nothing (null display driver).
exe=$build_windows/src/DLG_KORVEX_Calcule_Recap.exe
if [ ! -f "$exe" ]; then
  echo "Fenêtre Windows : $exe n'est pas construit (make test-windows) ; ses captures sont sautées."
elif ! command -v wine >/dev/null; then
  echo "Fenêtre Windows : Wine n'est pas installé (groupe windows) ; ses captures sont sautées."
else
  echo "Fenêtre Windows :"
  prefixe_wine=$build_windows/wine-captures
  export WINEPREFIX=$prefixe_wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # A new prefix takes a while to make: not within the window's wait. French from the start.
  "${en_francais[@]}" timeout 300 wineboot -i >/dev/null 2>&1 || echec "Wine n'a pas pu créer $prefixe_wine"
  # The run's folder as drive K:, so that the folders typed are K:\KORVEX and K:\ENDOMMAGE\KORVEX.
  ln -sfn "$travail" "$prefixe_wine/dosdevices/k:"
  "${en_francais[@]}" wine "$exe" &
  lances+=($!)
  attendre "la fenêtre Windows « $TITRE »" fenetre_presente
  piloter windows "$(fenetre_visible)" 'K:\KORVEX'
  piloter_tableaux windows "$(fenetre_visible)"
  piloter_cumuls windows "$(fenetre_visible)"
  piloter_avertissements windows "$(fenetre_visible)" 'K:\ENDOMMAGE\KORVEX'
  piloter_controles windows "$(fenetre_visible)" 'K:\CONTROLES\KORVEX'
  kill "${lances[-1]}"
  wineserver -k 2>/dev/null || true
  echo "Fenêtre Windows à 144 points par pouce :"
  ECHELLE=150
  "${en_francais[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  wineserver -w
  "${en_francais[@]}" wine "$exe" &
  lances+=($!)
  attendre "la fenêtre Windows « $TITRE »" fenetre_presente
  piloter_comparaison windows "$(fenetre_visible)" 'K:\KORVEX'
  "${en_francais[@]}" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
fi
