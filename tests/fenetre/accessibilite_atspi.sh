#!/usr/bin/env bash
# The window under a virtual X display with the AT-SPI accessibility bus, read as a screen reader
# reads it (accessibilite_atspi.py). Usage: accessibilite_atspi.sh PROGRAMME [AFFICHAGE]
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
programme=$1
affichage=${2:-:99}
Xvfb "$affichage" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
# The calculation renames PAIES.DTA for a moment: a copy of the sample, not the committed one.
copie=$(mktemp -d)
cp -r "$ici/../../examples/KORVEX" "$copie/"
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; rm -rf "$copie"' EXIT
for _ in $(seq 50); do xdpyinfo -display "$affichage" >/dev/null 2>&1 && break; sleep 0.1; done
kill -0 "$xvfb" 2>/dev/null && xdpyinfo -display "$affichage" >/dev/null 2>&1 ||
  { echo "Xvfb $affichage ne démarre pas (écran déjà pris ?)" >&2; exit 1; }
DISPLAY=$affichage timeout 60 dbus-run-session -- /usr/bin/python3 "$ici/accessibilite_atspi.py" \
  "$programme" "$copie/KORVEX"
