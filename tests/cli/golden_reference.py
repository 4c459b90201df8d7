#!/usr/bin/python3
"""The sample folder's golden outputs checked against a recap computed apart.

For each month, bench/recap_reference.py (dbfread and Python's decimals) gives the rows, and a
period's rows are its months' rows added; the payslips are counted with dbfread too. Every figure
of the golden, in each of its four outputs, must be the reference's: the rubrics, their labels,
columns and totals, the count of payslips, the gains, deductions and net.

Usage: golden_reference.py EXEMPLE GOLDEN RECAP_REFERENCE   (with /usr/bin/python3)
"""

import csv
import io
import json
import os
import re
import subprocess
import sys
from collections import defaultdict
from decimal import Decimal

from dbfread import DBF

CAS = ["01-2024", "02-2024", "03-2024", "01-2024_03-2024"]
COLONNES = ["BASES", "GAINS", "RETENUES"]
RESUME = re.compile(r"(\d+) bulletins?\nGains : (\S+) — Retenues : (\S+)\nNet : (\S+)\n")


def rangees_grille(rangees):
    """Rubric -> (label, column, total) of a grid's rows after its heading."""
    grille = {}
    for numero, libelle, *totaux in rangees[1:]:
        remplies = [c for c, total in enumerate(totaux) if total]
        assert len(remplies) == 1, f"rubrique {numero} : {totaux}"
        grille[int(numero)] = (libelle, COLONNES[remplies[0]], Decimal(totaux[remplies[0]]))
    return grille


def texte_grille(texte, separateur):
    return rangees_grille(list(csv.reader(io.StringIO(texte), delimiter=separateur)))


def reference_mois(script, exemple, mois):
    sortie = subprocess.run([sys.executable, script, exemple, mois], check=True,
                            capture_output=True, text=True).stdout
    return rangees_grille([ligne.split("\t") for ligne in sortie.splitlines()])


def reference(script, exemple, cas):
    """The reference rows and count of payslips of a month or of a period."""
    premier, _, dernier = cas.partition("_")
    mois = [m for m in ["01-2024", "02-2024", "03-2024"] if premier <= m <= (dernier or premier)]
    grille = {}
    for m in mois:
        for numero, (libelle, colonne, total) in reference_mois(script, exemple, m).items():
            ancien = grille.get(numero, (libelle, colonne, Decimal(0)))[2]
            grille[numero] = (libelle, colonne, ancien + total)
    paies = DBF(os.path.join(exemple, "PAIES.DTA"))
    bulletins = sum(1 for p in paies if p["MOIS"][:7] in mois)
    return grille, bulletins


def sommes(grille):
    par_colonne = defaultdict(Decimal)
    for _, colonne, total in grille.values():
        par_colonne[colonne] += total
    return par_colonne["GAINS"], par_colonne["RETENUES"]


def verifier(cas, golden, attendu, bulletins):
    """The faults of one case's four outputs, as texts."""
    def lire(format):
        with open(os.path.join(golden, f"{cas}.{format}"), encoding="utf-8", newline="") as f:
            return f.read()

    fautes = []
    for format, separateur in (("tsv", "\t"), ("csv", ";")):
        if texte_grille(lire(format), separateur) != attendu:
            fautes.append(f"{cas}.{format} : les lignes diffèrent de la référence")
    gains, retenues = sommes(attendu)
    document = json.loads(lire("json"), parse_float=Decimal, parse_int=Decimal)
    lignes = {int(l["rubrique"]): (l["libelle"], l["colonne"], l["total"]) for l in document["lignes"]}
    if lignes != attendu:
        fautes.append(f"{cas}.json : les lignes diffèrent de la référence")
    if [document["bulletins"], document["gains"], document["retenues"], document["net"]] != \
            [bulletins, gains, retenues, gains - retenues]:
        fautes.append(f"{cas}.json : bulletins, gains, retenues ou net faux")
    resume = RESUME.fullmatch(lire("resume"))
    if resume is None or [Decimal(v) for v in resume.groups()] != [bulletins, gains, retenues, gains - retenues]:
        fautes.append(f"{cas}.resume : bulletins, gains, retenues ou net faux")
    return fautes


def main():
    if len(sys.argv) != 4:
        sys.exit("usage : golden_reference.py EXEMPLE GOLDEN RECAP_REFERENCE")
    exemple, golden, script = sys.argv[1:]
    fautes = []
    for cas in CAS:
        attendu, bulletins = reference(script, exemple, cas)
        fautes += verifier(cas, golden, attendu, bulletins)
    for faute in fautes:
        print(faute, file=sys.stderr)
    print(f"{len(CAS)} cas, {len(CAS) * 4} sorties comparées à la référence : {len(fautes)} faute(s)")
    sys.exit(1 if fautes else 0)


if __name__ == "__main__":
    main()
