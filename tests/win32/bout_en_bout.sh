#!/usr/bin/env bash
# DLG_KORVEX_Calcule_Recap.exe under Wine on a real X display (Xvfb), driven with xdotool as a
# user would: the window, a click with no month and its box, a folder and a month typed, a click,
# the grid checked on a screenshot against what korvex-recap.exe prints, then Ctrl+A and Ctrl+C in
# the grid and the X clipboard (Wine hands its clipboard to X) read with xclip; last, the
# comparison window (Ctrl+M) and a detail window (a double click) appear.
# Usage: tests/win32/bout_en_bout.sh <build-windows>   (KORVEX_ECRAN=n to use the display :n)
# Does nothing, successfully, when Xvfb, xdotool, xclip or ImageMagick is missing.
set -euo pipefail

racine="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(realpath "${1:?usage: $0 <build-windows>}")"
for outil in Xvfb xdotool xclip import wine timeout; do
  command -v "$outil" >/dev/null || { echo "bout en bout ignoré : $outil absent"; exit 0; }
done
# /usr/bin first: some machines shadow ImageMagick's convert with another program.
convert=/usr/bin/convert
[ -x "$convert" ] || convert=convert

echec() { echo "bout en bout : $*" >&2; exit 1; }

# Waits up to $1 tenths of a second for the command to succeed.
attendre() {
  local n=$1
  shift
  for _ in $(seq "$n"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# A display of our own: the one asked for, or the first free one from :90.
ecran="${KORVEX_ECRAN:-}"
if [ -z "$ecran" ]; then
  for n in $(seq 90 150); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then ecran=$n; break; fi
  done
fi
[ -n "$ecran" ] || echec "aucun écran X libre"
travail="$build/bout-en-bout"
rm -rf "$travail"
mkdir -p "$travail"
Xvfb ":$ecran" -screen 0 1280x1024x24 -nolisten tcp >"$travail/xvfb.log" 2>&1 &
pid_xvfb=$!
export DISPLAY=":$ecran" WINEDEBUG=-all
# A prefix of its own, with Wine's X11 driver (the tests' prefix has the null driver).
export WINEPREFIX="$build/wine-ecran"
pid_programme=""
finir() {
  [ -n "$pid_programme" ] && kill "$pid_programme" 2>/dev/null
  timeout 20 wineserver -k 2>/dev/null || true
  kill "$pid_xvfb" 2>/dev/null || true
  wait "$pid_xvfb" 2>/dev/null || true
}
trap finir EXIT
attendre 100 xdotool getdisplaygeometry || echec "Xvfb ne démarre pas sur :$ecran"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wineboot -i </dev/null >"$travail/wineboot.log" 2>&1 ||
    echec "préfixe Wine : $(cat "$travail/wineboot.log")"
  timeout 60 wineserver -w
fi

# The data folder, a copy of the sample, on Wine's Z: drive.
cp -r "$racine/examples/KORVEX" "$travail/KORVEX"
dossier="Z:${travail//\//\\}\\KORVEX"
timeout 60 wine "$build/tools/korvex-recap.exe" "$dossier" 02-2024 >"$travail/attendu.txt" </dev/null ||
  echec "korvex-recap.exe a échoué"

wine "$build/src/DLG_KORVEX_Calcule_Recap.exe" </dev/null >"$travail/programme.log" 2>&1 &
pid_programme=$!
trouver() { xdotool search --onlyvisible --name "$1" | head -1; }
attendre 300 trouver "^Calcul d'une récap sous KORVEX\$" || echec "la fenêtre n'apparaît pas"
fenetre=$(trouver "^Calcul d'une récap sous KORVEX\$")
# With no window manager the X window is exactly the client area.
eval "$(xdotool getwindowgeometry --shell "$fenetre")"
[ "$WIDTH" = 851 ] && [ "$HEIGHT" = 506 ] || echec "zone cliente ${WIDTH}x$HEIGHT au lieu de 851x506"
fx=$X fy=$Y
echo "fenêtre « Calcul d'une récap sous KORVEX », zone cliente ${WIDTH}x$HEIGHT"

# xdotool's --window mode complains of an X server without a window manager: not an error here.
cliquer() { xdotool mousemove --window "$fenetre" "$1" "$2" click 1 2>/dev/null; sleep 0.3; }
# Dismisses the box by clicking its button until it is gone: the first click is often lost.
fermer_boite() {
  local boite=$1
  for _ in $(seq 30); do
    eval "$(xdotool getwindowgeometry --shell "$boite" 2>/dev/null)" || return 0
    xdotool mousemove --window "$boite" $((WIDTH / 2)) $((HEIGHT - 21)) click 1 >/dev/null 2>&1 || return 0
    sleep 0.3
    xdotool search --onlyvisible --name "^Dlg_korvex_calcule_recap\$" | grep -qx "$boite" || return 0
  done
  echec "la boîte ne se ferme pas"
}
# The colour of a pixel of the window's client area, from a screenshot of the whole screen.
capture() { import -window root "$travail/$1.png"; }
couleur() { "$convert" "$travail/$1.png" -format "%[pixel:p{$(($2 + fx)),$(($3 + fy))}]" info:; }
# True when the rectangle holds text: a pixel much darker than the background.
encre() {
  local sombre
  sombre=$("$convert" "$travail/$1.png" -crop "$4x$5+$(($2 + fx))+$(($3 + fy))" -colorspace Gray \
    -format "%[fx:minima.intensity<0.4]" info:)
  [ "$sombre" = 1 ]
}

# The grid at 0, 97: a sunken edge, then the fixed cells in the panel's button face, the others
# in the window colour. Shot again until the grid is drawn: Wine may paint it after the panel.
grille_peinte() { capture debut; [ "$(couleur debut 200 $((97 + 2 + 50 + 12)))" != "$(couleur debut 600 80)" ]; }
attendre 30 grille_peinte || true
face=$(couleur debut 600 80)
[ "$(couleur debut 12 $((97 + 12)))" = "$face" ] || echec "cellule fixe (0,0) : $(couleur debut 12 109) au lieu de $face"
[ "$(couleur debut 12 $((97 + 2 + 25 + 12)))" = "$face" ] || echec "cellule fixe (0,1) pas en couleur de face"
fenetre_couleur=$(couleur debut 200 $((97 + 2 + 50 + 12)))
[ "$fenetre_couleur" != "$face" ] || echec "cellule (1,2) en couleur de face"
[ "$(couleur debut 0 97)" != "$face" ] || echec "pas de bord enfoncé au coin de la grille (0,97)"

# A click with no month: the plain box, captioned with the application title.
cliquer 388 60
attendre 100 trouver "^Dlg_korvex_calcule_recap\$" || echec "pas de boîte après un clic sans mois"
capture boite-mois
boite=$(trouver "^Dlg_korvex_calcule_recap\$")
echo "boîte « Dlg_korvex_calcule_recap » après un clic sans mois"
fermer_boite "$boite"

# The folder typed over the default one, then the month, then a click.
cliquer 400 18
xdotool key End $(printf 'BackSpace %.0s' $(seq 12))
xdotool type --delay 20 "$dossier"
cliquer 90 66
xdotool type --delay 20 "02-2024"
cliquer 388 60
sleep 1
if b=$(trouver "^Dlg_korvex_calcule_recap\$") && [ -n "$b" ]; then
  capture boite
  echec "une boîte est apparue pendant le calcul (voir $travail/boite.png)"
fi
capture recap

# Every visible row shows the cells korvex-recap prints for this folder and month, no more.
largeurs=(64 290 172 175 139)
lignes=$(($(wc -l <"$travail/attendu.txt") - 1))
visibles=$(((506 - 97 - 4) / 25 - 2))
[ "$lignes" -gt "$visibles" ] || echec "trop peu de lignes attendues ($lignes)"
for r in $(seq 0 "$visibles"); do
  mapfile -t cellules < <(sed -n "$((r + 1))p" "$travail/attendu.txt" | tr '\t' '\n')
  x=2
  for c in 0 1 2 3 4; do
    attendu=0
    [ -n "${cellules[$c]:-}" ] && attendu=1
    vu=0
    # Cell (1,1) is the selected one: its text is drawn on the highlight.
    if [ "$r$c" = 11 ] || encre recap $((x + 3)) $((97 + 2 + r * 25 + 3)) $((largeurs[c] - 6)) 18; then vu=1; fi
    [ "$vu" = "$attendu" ] || echec "cellule ($c,$r) : texte $vu, attendu $attendu (« ${cellules[$c]:-} »)"
    x=$((x + largeurs[c] + 1))
  done
done
[ -f "$travail/KORVEX/PAIES.DTA" ] && [ ! -e "$travail/KORVEX/PAIES.DBF" ] || echec "PAIES.DTA n'a pas retrouvé son nom"
echo "grille remplie comme korvex-recap l'imprime : $((visibles + 1)) lignes visibles sur $((lignes + 1))"

# Ctrl+A then Ctrl+C in the grid: the X clipboard holds what korvex-recap prints (Wine gives X
# the text with LF line ends).
cliquer 100 $((97 + 2 + 25 + 12))
xdotool key ctrl+a ctrl+c
lire_presse_papiers() { timeout 5 xclip -o -selection clipboard >"$travail/presse-papiers.txt" 2>/dev/null; }
tr -d '\r' <"$travail/attendu.txt" >"$travail/attendu-lf.txt"
copie_vue() { lire_presse_papiers && cmp -s "$travail/presse-papiers.txt" "$travail/attendu-lf.txt"; }
attendre 50 copie_vue ||
  echec "presse-papiers X après Ctrl+A, Ctrl+C : $(head -c 300 "$travail/presse-papiers.txt" 2>/dev/null) (voir $travail/presse-papiers.txt)"
echo "Ctrl+A, Ctrl+C : le presse-papiers X contient les $((lignes + 1)) lignes de korvex-recap"

# Ctrl+M in the grid: the comparison window with the month before, closed with Alt+F4; then a
# double click on rubric 1's row: its detail window.
comparaison="^Comparaison — mois 02-2024 / 01-2024\$"
xdotool key ctrl+m
attendre 100 trouver "$comparaison" || echec "pas de fenêtre de comparaison après Ctrl+M"
echo "Ctrl+M : fenêtre « Comparaison — mois 02-2024 / 01-2024 »"
xdotool key alt+F4
absente() { [ -z "$(trouver "$1")" ]; }
attendre 100 absente "$comparaison" || echec "Alt+F4 ne ferme pas la comparaison"
detail="^Détail — rubrique 1 Salaire de base — mois 02-2024\$"
cliquer 100 $((97 + 2 + 25 + 12))  # the main window active again
for _ in 1 2 3; do
  xdotool mousemove --window "$fenetre" 100 $((97 + 2 + 25 + 12)) click --repeat 2 --delay 80 1 2>/dev/null
  attendre 30 trouver "$detail" && break
done
trouver "$detail" >/dev/null || echec "pas de fenêtre de détail après un double clic"
echo "double clic : fenêtre « Détail — rubrique 1 Salaire de base — mois 02-2024 »"
