#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; does nothing when all are there.
# Usage: scripts/installer-dependances.sh [groupe...]   (groupes: base, windows, fuzz, fixtures, captures, tableur)
set -euo pipefail

declare -A PAQUETS=(
  [base]="cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev python3 python3-dbf python3-dbfread
          locales xvfb xauth fonts-liberation time libqt6printsupport6 poppler-utils qt6-translations-l10n
          dpkg-dev debian-archive-keyring zlib1g-dev python3-openpyxl"
  [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 googletest zip
             xvfb xdotool xclip imagemagick nlohmann-json3-dev python3-markdown
             libz-mingw-w64-dev dpkg-dev debian-archive-keyring python3-openpyxl"
  # Only to write the committed fixtures again: the tests read the files, not the writers.
  [fixtures]="fpc fp-units-db"
  [fuzz]="clang libclang-rt-14-dev"
  # Screenshots of the windows for the user guide, and the check of what a screen reader hears
  # (the accessibility bus and its Python bindings).
  [captures]="xvfb xauth xdotool imagemagick optipng poppler-utils dbus at-spi2-core gir1.2-atspi-2.0 python3-gi"
  # The tests open every workbook the program writes in a spreadsheet that recalculates its formulas:
  # LibreOffice Calc, headless.
  [tableur]="libreoffice-calc-nogui"
)

groupes=("${@:-base}")
manquants=()
for g in "${groupes[@]}"; do
  for p in ${PAQUETS[$g]}; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$p")
  done
done
[ ${#manquants[@]} -eq 0 ] && exit 0

echo "Paquets à installer : ${manquants[*]}"
# sudo drops the environment: the frontend is passed through env, or a package may stop on a question.
sudo=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Ces paquets manquent et sudo est absent : installez-les en root." >&2; exit 1; }
  sudo=(sudo env DEBIAN_FRONTEND=noninteractive)
fi
# A fresh machine has empty package lists.
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${manquants[@]}"
