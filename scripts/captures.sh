#!/usr/bin/env bash
# Screenshots of the windows on the sample folder for the user guide, in docs/captures/: each
# window started under a virtual X display of its own, driven as a user would with xdotool, shot
# with ImageMagick's import (the window alone) and made small by optipng. Each run has its own
# temporary folder and its own display, so that two runs, or a killed one, never block each other.
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
# The sample folder, in the run's own folder.
exemple=$travail/KORVEX
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

# A click at x, y of the window's client area.
cliquer() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; }

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
  xdotool mousemove --window "$id" 100 133 mousedown 1 mousemove --window "$id" 600 229 mouseup 1
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
  fermer "$comparaison"
  xdotool mousemove --window "$id" 150 133 click --repeat 2 --delay 100 1
  attendre "la fenêtre de détail" nommee "$detail"
  capturer "fenetre-$suffixe-detail" "$(nommee "$detail")"
  fermer "$detail"
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
[ -x "$build/src/DLG_KORVEX_Calcule_Recap" ] || echec "$build/src/DLG_KORVEX_Calcule_Recap n'est pas construit (make build)"
demarrer_xvfb

echo "Fenêtre Linux :"
"${en_francais[@]}" "$build/src/DLG_KORVEX_Calcule_Recap" &
lances+=($!)
attendre "la fenêtre Linux « $TITRE »" fenetre_presente
piloter linux "$(fenetre_visible)" "$exemple"
piloter_tableaux linux "$(fenetre_visible)"
kill "${lances[-1]}"

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
  "${en_francais[@]}" wine "$exe" &
  lances+=($!)
  attendre "la fenêtre Windows « $TITRE »" fenetre_presente
  piloter windows "$(fenetre_visible)" "Z:${exemple//\//\\}"
  piloter_tableaux windows "$(fenetre_visible)"
fi
