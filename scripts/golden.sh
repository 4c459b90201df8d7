#!/usr/bin/env bash
# Writes tests/golden/exemple/ again: what the built korvex-recap prints for the sample folder
# examples/KORVEX, in each output (tab-separated, CSV, JSON, summary), for each of its three months
# and for the period they make. The program runs in a copy of the folder, given as ".\KORVEX" from
# the copy's parent (the JSON holds the folder as typed), under the C locale: a point as decimal
# separator. The tests compare korvex-recap with these files byte for byte.
# Usage: scripts/golden.sh [BUILD]   (build)
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case $build in /*) ;; *) build=$racine/$build ;; esac
programme=$build/tools/korvex-recap
sortie=$racine/tests/golden/exemple
[ -x "$programme" ] || { echo "golden : $programme n'est pas construit (make build)" >&2; exit 1; }

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
cp -r "$racine/examples/KORVEX" "$travail/KORVEX"

declare -A options=([tsv]="" [csv]=--csv [json]=--json [resume]=--resume)
mkdir -p "$sortie"
rm -f "$sortie"/*.{tsv,csv,json,resume}
for cas in 01-2024 02-2024 03-2024 01-2024_03-2024; do
  for format in tsv csv json resume; do
    # shellcheck disable=SC2086  # no option for the tab-separated output, and a period's two months
    (cd "$travail" && env LC_ALL=C "$programme" ${options[$format]} '.\KORVEX' ${cas/_/ }) >"$sortie/$cas.$format"
  done
done
echo "Écrit : $(ls "$sortie" | wc -l) sorties dans ${sortie#"$racine"/}"
