#!/usr/bin/env bash
# The recap bench: korvex-recap against `cat` of the same files and against a recap script
# written with dbfread, on two generated folders:
#   A  120 months of 1,000 payslips (one month is totalled)
#   B  120,000 payslips of one month (every memo is decoded)
# Usage: bench/recap_bench.sh [BUILD_DIR]   (a release build with KORVEX_BENCH=ON)
# RECAP_RUNS and RECAP_RUNS_REFERENCE set the number of timed runs (medians are printed).
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$racine/build-bench}" && pwd)
recap=$build/tools/korvex-recap
generer=$build/bench/recap_generer
reference=$racine/bench/recap_reference.py
donnees=$build/donnees
runs=${RECAP_RUNS:-9}
runs_reference=${RECAP_RUNS_REFERENCE:-3}
mois=06-2020
export LC_ALL=C  # totals with a point, as the reference script prints them

for outil in "$recap" "$generer" /usr/bin/time; do
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

# CPU time (user + system) of this shell's children so far, in microseconds. `times` runs
# in this very shell: in a command substitution it would see no child.
cpu_enfants_us() {
  times > "$donnees/.times"
  cpu=$(awk 'NR == 2 { t = 0; for (i = 1; i <= 2; ++i) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } printf "%d", t * 1e6 }' \
    "$donnees/.times")
}

# Runs a command N times after one warm-up run; sets mur and cpu to the medians, in
# microseconds, of its wall time and of its CPU time (the machine may be shared).
duree() {
  local n=$1; shift
  "$@" > /dev/null
  local debut fin c0 c1
  : > "$donnees/.mesures"
  for _ in $(seq "$n"); do
    cpu_enfants_us; c0=$cpu; debut=$(maintenant_us)
    "$@" > /dev/null
    fin=$(maintenant_us); cpu_enfants_us; c1=$cpu
    echo "$((fin - debut)) $((c1 - c0))" >> "$donnees/.mesures"
  done
  mur=$(cut -d' ' -f1 "$donnees/.mesures" | mediane)
  cpu=$(cut -d' ' -f2 "$donnees/.mesures" | mediane)
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
  duree "$runs" "$recap" "$dossier" "$mois"; t_recap=$mur c_recap=$cpu
  m_recap=$(memoire "$runs" "$recap" "$dossier" "$mois")
  duree "$runs" cat "${fichiers[@]}"; t_cat=$mur c_cat=$cpu
  duree "$runs_reference" /usr/bin/python3 "$reference" "$dossier" "$mois"; t_ref=$mur c_ref=$cpu
  echo "   korvex-recap      $(ms "$t_recap") (UC $(ms "$c_recap"))   mémoire max $m_recap Ko   ($runs exécutions, médianes)"
  echo "   cat des fichiers  $(ms "$t_cat") (UC $(ms "$c_cat"))"
  echo "   script dbfread    $(ms "$t_ref") (UC $(ms "$c_ref"))   ($runs_reference exécutions)"
  echo "   korvex-recap / cat : $(ratio "$t_recap" "$t_cat") (UC $(ratio "$c_recap" "$c_cat"))" \
       "  script / korvex-recap : $(ratio "$t_ref" "$t_recap") (UC $(ratio "$c_ref" "$c_recap"))"
  if [ "$g" = B ]; then
    local debit
    debit=$(awk -v o="$octets_memo" -v us="$t_recap" 'BEGIN { printf "%.1f", o / us }')
    echo "   débit : $debit Mo de texte de mémos par seconde"
    objectif "au moins 100 Mo/s de texte de mémos ($debit Mo/s)" "$debit >= 100"
  else
    objectif "un mois pas plus long que cat des fichiers" "$t_recap <= $t_cat"
  fi
  objectif "mémoire max sous 32 Mo ($m_recap Ko)" "$m_recap < 32768"
  objectif "au moins 50 fois plus rapide que le script ($(ratio "$t_ref" "$t_recap") fois)" "$t_ref >= 50 * $t_recap"
}

echo "== $(nproc) cœurs, charge moyenne $(cut -d' ' -f1-3 /proc/loadavg) : temps réel (mur) et temps UC (UC)"
mesurer A
mesurer B
if [ "$manques" -gt 0 ]; then echo "== $manques objectif(s) manqué(s)"; else echo "== Tous les objectifs sont atteints"; fi
