#!/usr/bin/env bash
# `make test-windows`: builds the Qt-free core, its tests and korvex-recap.exe for Windows with
# MinGW-w64, then runs every test under Wine, in a private Wine prefix inside the build folder.
# Usage: scripts/windows-tests.sh <build-dir> [--construire]   (--construire: build only, no test)
set -euo pipefail

racine="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:?usage: $0 <build-dir>}")"

bash "$racine/scripts/windows-googletest.sh" "$build"
bash "$racine/scripts/xlsxwriter.sh" "$build" windows
# No debug information: the archive's programs are stripped, and it would double the build.
cmake -S "$racine" -B "$build" -G Ninja \
  $(command -v ccache >/dev/null && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache) \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DCMAKE_TOOLCHAIN_FILE="$racine/cmake/mingw-w64.cmake" \
  -DGTest_DIR="$build/googletest/lib/cmake/GTest" \
  -DKORVEX_XLSXWRITER_DIR="$build/xlsxwriter"
# A Wine prefix, made once: the tests' (null display driver, set below) and the end-to-end run's
# (X11 driver, the default). No Mono nor Gecko: nothing here needs them, and their installers
# would ask. With no display, Wine must never try to open a window, nor print its debug channels.
creer_prefixe() {
  [ -f "$1/system.reg" ] && return 0
  echo "Création du préfixe Wine $1 (une seule fois, quelques dizaines de secondes)"
  (unset DISPLAY WAYLAND_DISPLAY; export WINEPREFIX="$1" WINEDEBUG=-all
   WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i </dev/null >"$1.log" 2>&1 && wineserver -w) ||
    { cat "$1.log" >&2; return 1; }
}
# Made while the programs build: wineboot waits far more than it computes.
if [ "${2:-}" != "--construire" ]; then
  creer_prefixe "$build/wine" & prefixe=$!
  creer_prefixe "$build/wine-ecran" & prefixe_ecran=$!
fi
cmake --build "$build" || { [ "${2:-}" = "--construire" ] || wait; exit 1; }
[ "${2:-}" = "--construire" ] && exit 0
wait "$prefixe" && wait "$prefixe_ecran"

unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX="$build/wine" WINEDEBUG=-all
# Wine's null display driver: the window tests create their windows in the process, with no X
# server.
if ! grep -q '"Graphics"="null"' "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -w
fi

# One Wine server for the whole run. Its services start here with no pipe of ours: started by the
# first test, they would keep ctest's output pipe open and ctest would wait for them for ever.
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT
wineboot </dev/null >/dev/null 2>&1

cd "$build"
statut=0
ctest --output-on-failure || statut=$?

# The window on a real display, in a virtual screen of its own, when Xvfb and xdotool are here.
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  timeout 600 bash "$racine/tests/win32/bout_en_bout.sh" "$build" || statut=1
else
  echo "Fenêtre sur un écran réel non essayée : Xvfb ou xdotool absent."
fi

# What ran under Wine, from the tests' own output.
journal=Testing/Temporary/LastTest.log
echo "Sous Wine : $(grep -c '^\[       OK \]' "$journal") cas GoogleTest réussis," \
     "$(grep -c '^\[  FAILED  \] .*(' "$journal") en échec," \
     "$(grep -c '^\[  SKIPPED \] .*(' "$journal") ignorés," \
     "dans $(grep -c '^ *[0-9]*/[0-9]* Test: ' "$journal") tests ctest."
exit $statut
