#!/usr/bin/python3
"""Recap of one month of a KORVEX data folder, the way an accountant would script it with
dbfread: totals by rubric of the MONTANTS memos of the month's payslips, then one line per
rubric with its label and the total in the column of its class.

Usage: recap_reference.py DOSSIER MOIS   (run with /usr/bin/python3, which has python3-dbfread)
Prints the same tab-separated lines as korvex-recap with a point as decimal separator.
"""

import os
import sys
from collections import defaultdict
from decimal import Decimal

from dbfread import DBF


def montants(memo):
    """Rubric -> amount of one payslip; the memo's first line is a heading."""
    resultat = {}
    for ligne in memo.splitlines()[1:]:
        ligne = ligne.rstrip("\x1a")
        if len(ligne) >= 4:
            resultat[int(ligne[:3])] = Decimal(ligne[3:])
    return resultat


def texte(total):
    return format(total.normalize(), "f")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage : recap_reference.py DOSSIER MOIS")
    dossier, mois = sys.argv[1], sys.argv[2]

    totaux = defaultdict(Decimal)
    for paie in DBF(os.path.join(dossier, "PAIES.DTA")):
        if paie["MOIS"][:7] == mois:
            for rubrique, montant in montants(paie["MONTANTS"]).items():
                totaux[rubrique] += montant

    rubriques = list(DBF(os.path.join(dossier, "RUBRIQUE.DTA")))
    print("N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES")
    for numero in sorted(totaux):
        total = totaux[numero]
        if total == 0:
            continue
        libelle, classe = "", 0
        if numero <= len(rubriques):
            libelle, classe = rubriques[numero - 1]["LIBELLE"], rubriques[numero - 1]["CLASSE"]
        colonnes = ["", "", ""]
        colonnes[{1: 1, 2: 2}.get(classe, 0)] = texte(total)
        print("\t".join([str(numero), libelle] + colonnes))


if __name__ == "__main__":
    main()
