#!/usr/bin/env bash
# The recap bench: korvex-recap against `wc -l` of the same files (the floor of any program that
# reads them line by line), the decoder's speed and the peak memory, on two generated folders:
#   A  120 months of 1,000 payslips (one month is totalled)
#   B  120,000 payslips of one month (every memo is decoded)
# Usage: bench/recap_bench.sh [BUILD_DIR]   (a release build with KORVEX_BENCH=ON)
# RECAP_RUNS sets the number of alternating runs (at least 5; medians are printed),
# RECAP_RUNS_REFERENCE those of the dbfread script.
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$racine/build-bench}" && pwd)
recap=$build/tools/korvex-recap
generer=$build/bench/recap_generer
reference=$racine/bench/recap_reference.py
donnees=$build/donnees
runs=${RECAP_RUNS:-9}
[ "$runs" -ge 5 ] || runs=5
runs_reference=${RECAP_RUNS_REFERENCE:-3}
mois=06-2020
export LC_ALL=C  # totals with a point, as the reference script prints them

decodage=$build/bench/bench_decodage
for outil in "$recap" "$generer" "$decodage" /usr/bin/time; do
  [ -x "$outil" ] || { echo "recap_bench : $outil manque" >&2; exit 1; }
done
/usr/bin/python3 -c 'import dbfread' 2>/dev/null || { echo "recap_bench : python3-dbfread manque" >&2; exit 1; }

# ---- Data: written once, again only when the generator or the writer changed ----
mkdir -p "$donnees"
signature=$(cat "$racine/bench/recap_generer.cpp" "$racine/tests/support/Ecrivain_Dbase.cpp" | md5sum | cut -d' ' -f1)
for g in A B; do
  if [ "$(cat "$donnees/$g/.signature" 2>/dev/null)" != "$signature" ]; then
    echo "== Génération du dossier $g dans $donnees/$g"
    rm -rf "${donnees:?}/$g"
    "$generer" "$g" "$donnees/$g" > "$donnees/$g.octets_memo.tmp"
    mv "$donnees/$g.octets_memo.tmp" "$donnees/$g/.octets_memo"
    echo "$signature" > "$donnees/$g/.signature"
  fi
done

# ---- Measures ----

maintenant_us() { local t=${EPOCHREALTIME/[.,]/}; echo "$t"; }

mediane() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs a command N times after one warm-up run; sets mur to the median of its wall time, in
# microseconds.
duree() {
  local n=$1; shift
  "$@" > /dev/null
  local debut fin
  : > "$donnees/.mesures"
  for _ in $(seq "$n"); do
    debut=$(maintenant_us)
    "$@" > /dev/null
    fin=$(maintenant_us)
    echo "$((fin - debut))" >> "$donnees/.mesures"
  done
  mur=$(mediane < "$donnees/.mesures")
}

# korvex-recap and `wc -l` of the files it reads, one after the other N times after a warm-up
# of each, so that both meet the same load; sets t_recap and t_wc to their medians and
# rapport to the median of the runs' ratios (wall times, microseconds).
alterner() {
  local n=$1 dossier=$2; shift 2
  "$recap" "$dossier" "$mois" > /dev/null
  wc -l "$@" > /dev/null
  local debut milieu fin
  : > "$donnees/.mesures"
  for _ in $(seq "$n"); do
    debut=$(maintenant_us)
    "$recap" "$dossier" "$mois" > /dev/null
    milieu=$(maintenant_us)
    wc -l "$@" > /dev/null
    fin=$(maintenant_us)
    echo "$((milieu - debut)) $((fin - milieu))" >> "$donnees/.mesures"
  done
  t_recap=$(cut -d' ' -f1 "$donnees/.mesures" | mediane)
  t_wc=$(cut -d' ' -f2 "$donnees/.mesures" | mediane)
  rapport=$(awk '{ printf "%.6f\n", $1 / $2 }' "$donnees/.mesures" | mediane)
}

# Median peak resident memory in KB.
memoire() {
  local n=$1; shift
  for _ in $(seq "$n"); do
    /usr/bin/time -f %M -o "$donnees/.memoire" "$@" > /dev/null
    cat "$donnees/.memoire"
  done | mediane
}

ms() { awk -v us="$1" 'BEGIN { printf "%.1f ms", us / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

manques=0
objectif() {  # objectif DESCRIPTION CONDITION_AWK
  if awk "BEGIN { exit !($2) }"; then echo "   atteint : $1"; else echo "   MANQUÉ  : $1"; manques=$((manques + 1)); fi
}

# The reference script checks the writer: same totals, or the bench stops here.
verifier() {
  local dossier=$1
  "$recap" "$dossier" "$mois" > "$donnees/.recap.txt"
  /usr/bin/python3 "$reference" "$dossier" "$mois" > "$donnees/.reference.txt"
  if ! cmp -s "$donnees/.recap.txt" "$donnees/.reference.txt"; then
    echo "ÉCHEC : korvex-recap et le script de référence ne donnent pas les mêmes totaux ($dossier, $mois)" >&2
    diff "$donnees/.recap.txt" "$donnees/.reference.txt" | head -20 >&2
    exit 1
  fi
  echo "   mêmes totaux que le script de référence ($(($(wc -l < "$donnees/.recap.txt") - 1)) rubriques)"
}

mesurer() {
  local g=$1 dossier=$donnees/$1
  local fichiers=("$dossier/PAIES.DTA" "$dossier/PAIES.DBT" "$dossier/RUBRIQUE.DTA")
  local octets_fichiers octets_memo
  octets_fichiers=$(cat "${fichiers[@]}" | wc -c)
  octets_memo=$(cat "$dossier/.octets_memo")
  echo "== Dossier $g : $(awk -v o="$octets_fichiers" 'BEGIN { printf "%.1f Mo", o / 1e6 }') de fichiers," \
       "$(awk -v o="$octets_memo" 'BEGIN { printf "%.1f Mo", o / 1e6 }') de texte de mémos, mois $mois"
  verifier "$dossier"
  alterner "$runs" "$dossier" "${fichiers[@]}"
  m_recap=$(memoire "$runs" "$recap" "$dossier" "$mois")
  duree "$runs_reference" /usr/bin/python3 "$reference" "$dossier" "$mois"; t_ref=$mur
  echo "   korvex-recap      $(ms "$t_recap")   ($runs exécutions alternées, médianes)"
  echo "   wc -l des fichiers  $(ms "$t_wc")"
  echo "   korvex-recap / wc -l : $(awk -v r="$rapport" 'BEGIN { printf "%.2f", r }')   (médiane des rapports)"
  echo "   mémoire max : $m_recap Ko"
  echo "   script dbfread    $(ms "$t_ref")   ($runs_reference exécutions)   script / korvex-recap : $(ratio "$t_ref" "$t_recap")"
  if [ "$g" = B ]; then
    objectif "le mois entier en au plus 3 fois wc -l ($(awk -v r="$rapport" 'BEGIN { printf "%.2f", r }'), visé : 2)" "$rapport <= 3"
  else
    objectif "un mois sur 120 en au plus 0,3 fois wc -l ($(awk -v r="$rapport" 'BEGIN { printf "%.2f", r }'))" "$rapport <= 0.3"
  fi
  objectif "mémoire max d'au plus 64 Mo ($m_recap Ko)" "$m_recap <= 65536"
  objectif "au moins 50 fois plus rapide que le script ($(ratio "$t_ref" "$t_recap") fois)" "$t_ref >= 50 * $t_recap"
}

# The decoder alone, on one core: MB (10^6 bytes) of memo text per second.
decodeur() {
  local octets_s
  octets_s=$("$decodage" --benchmark_filter=BM_Memo_Montants_Decoder --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { print $6 }')  # bytes_per_second
  local debit
  debit=$(awk -v o="$octets_s" 'BEGIN { printf "%.0f", o / 1e6 }')
  echo "== Décodeur seul : $debit Mo/s de texte de mémos (un cœur, médiane de 5)"
  objectif "au moins 1 Go/s par cœur ($debit Mo/s)" "$debit >= 1000"
}

# The cumuls of twelve months of folder A against the period recap of the same months: one scan,
# not twelve; both in turn, medians of their times and of the runs' ratios.
cumuls() {
  local dossier=$donnees/A du=01-2020 au=12-2020
  "$recap" --cumuls "$dossier" "$du" "$au" > /dev/null
  "$recap" "$dossier" "$du" "$au" > /dev/null
  local debut milieu fin
  : > "$donnees/.mesures"
  for _ in $(seq "$runs"); do
    debut=$(maintenant_us)
    "$recap" --cumuls "$dossier" "$du" "$au" > /dev/null
    milieu=$(maintenant_us)
    "$recap" "$dossier" "$du" "$au" > /dev/null
    fin=$(maintenant_us)
    echo "$((milieu - debut)) $((fin - milieu))" >> "$donnees/.mesures"
  done
  local t_cumuls t_periode r
  t_cumuls=$(cut -d' ' -f1 "$donnees/.mesures" | mediane)
  t_periode=$(cut -d' ' -f2 "$donnees/.mesures" | mediane)
  r=$(awk '{ printf "%.6f\n", $1 / $2 }' "$donnees/.mesures" | mediane)
  echo "== Cumuls de $du à $au du dossier A : $(ms "$t_cumuls"), récap de la période $(ms "$t_periode")"
  objectif "les cumuls de 12 mois en au plus 1,2 fois la récap de la période ($(awk -v r="$r" 'BEGIN { printf "%.2f", r }'))" "$r <= 1.2"
}

echo "== $(nproc) cœurs, charge moyenne $(cut -d' ' -f1-3 /proc/loadavg) : temps réel"
mesurer B
mesurer A
cumuls
decodeur
if [ "$manques" -gt 0 ]; then echo "== $manques objectif(s) manqué(s)"; else echo "== Tous les objectifs sont atteints"; fi
