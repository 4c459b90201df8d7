#!/usr/bin/python3
"""Writes the sample KORVEX data folder examples/KORVEX with Debian's python3-dbf.

A dozen employees paid over three months (01-2024 to 03-2024): PAIES.DTA with its memo file
PAIES.DBT, and RUBRIQUE.DTA, whose record n describes rubric n. Run it with /usr/bin/python3
(the Debian interpreter that has python3-dbf); it rewrites the folder, identically every time.
"""

import os
import shutil
import sys
import tempfile
from decimal import Decimal, ROUND_HALF_UP

import dbf

DOSSIER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "KORVEX")
MOIS = ["01-2024", "02-2024", "03-2024"]

GAIN, RETENUE, BASE = 1, 2, 0

# Record n is rubric n: the memos use the numbers below, the others are rubrics of the plan
# that these months do not pay.
RUBRIQUES = [
    ("Salaire de base", GAIN),                            # 1
    ("Heures supplémentaires 25 %", GAIN),                # 2
    ("Heures supplémentaires 50 %", GAIN),                # 3
    ("Prime d'ancienneté", GAIN),                         # 4
    ("Prime de rendement", GAIN),                         # 5
    ("Prime exceptionnelle", GAIN),                       # 6
    ("Indemnité de congés payés", GAIN),                  # 7
    ("Absence non rémunérée", RETENUE),                   # 8
    ("Indemnité de transport", GAIN),                     # 9
    ("Salaire brut", BASE),                               # 10
    ("Base sécurité sociale plafonnée", BASE),            # 11
    ("Base sécurité sociale déplafonnée", BASE),          # 12
    ("Base CSG/CRDS", BASE),                              # 13
    ("Base retraite complémentaire T1", BASE),            # 14
    ("Vieillesse plafonnée 6,90 %", RETENUE),             # 15
    ("Vieillesse déplafonnée 0,40 %", RETENUE),           # 16
    ("Retraite complémentaire T1 3,15 %", RETENUE),       # 17
    ("Contribution d'équilibre général 0,86 %", RETENUE), # 18
    ("Mutuelle santé", RETENUE),                          # 19
    ("Prévoyance 0,78 %", RETENUE),                       # 20
    ("CSG déductible 6,80 %", RETENUE),                   # 21
    ("CSG non déductible 2,40 %", RETENUE),               # 22
    ("CRDS 0,50 %", RETENUE),                             # 23
    ("Titres-restaurant part salariale", RETENUE),        # 24
    ("Acompte", RETENUE),                                 # 25
    ("Net imposable", BASE),                              # 26
    ("Net à payer", BASE),                                # 27
    ("Indemnité de licenciement", GAIN),                  # 28
    ("Saisie sur salaire", RETENUE),                      # 29
    ("Heures d'absence", BASE),                           # 30
]

PLAFOND = Decimal("3864.00")  # monthly social security ceiling, 2024
HEURES_MOIS = Decimal("151.67")


class Salarie:
    def __init__(self, matricule, nom, base, anciennete, transport, titres):
        self.matricule, self.nom, self.base = matricule, nom, Decimal(base)
        self.anciennete, self.transport, self.titres = anciennete, transport, titres


SALARIES = [
    Salarie("00001", "DURAND Élodie", "3450.00", 12, True, True),
    Salarie("00002", "MARTIN Jérôme", "2280.00", 4, True, True),
    Salarie("00003", "LEFÈVRE Chloé", "1766.92", 1, False, True),
    Salarie("00004", "BERNARD François", "4820.00", 18, True, False),
    Salarie("00005", "PETIT Anaïs", "2050.00", 6, True, True),
    Salarie("00006", "ROUSSEAU Théo", "1766.92", 0, False, True),
    Salarie("00007", "MOREAU Hélène", "2935.50", 9, True, True),
    Salarie("00008", "GARNIER Loïc", "2410.00", 3, False, False),
    Salarie("00009", "FAURE Maëlle", "3120.00", 7, True, True),
    Salarie("00010", "GIRARD Noël", "1985.00", 15, False, True),
    Salarie("00011", "ANDRÉ Céline", "2675.00", 2, True, True),
    Salarie("00012", "LAMBERT Benoît", "3890.00", 21, True, False),
]

# What changes from one month to the next: (overtime hours at 25 %, at 50 %, unpaid absence
# hours, performance bonus, advance), by employee number and month index.
VARIABLES = {
    ("00002", 0): (8, 0, 0, 0, 0), ("00002", 2): (12, 4, 0, 0, 300),
    ("00003", 1): (0, 0, 7, 0, 0),
    ("00004", 0): (0, 0, 0, 850, 0), ("00004", 1): (0, 0, 0, 600, 0), ("00004", 2): (0, 0, 0, 920, 0),
    ("00005", 1): (6, 0, 0, 0, 200),
    ("00006", 0): (4, 0, 0, 0, 150), ("00006", 1): (10, 2, 0, 0, 150), ("00006", 2): (0, 0, 14, 0, 150),
    ("00007", 2): (0, 0, 0, 0, 500),
    ("00008", 0): (15, 6, 0, 0, 0), ("00008", 1): (9, 0, 0, 0, 0), ("00008", 2): (11, 3, 0, 0, 0),
    ("00009", 1): (0, 0, 0, 400, 0),
    ("00010", 2): (0, 0, 3.5, 0, 0),
    ("00011", 0): (0, 0, 0, 0, 400), ("00011", 2): (5, 0, 0, 0, 0),
    ("00012", 1): (0, 0, 0, 1250, 0),
}
JOURS_TRAVAILLES = [22, 21, 21]
NAVIGO = Decimal("86.40")
TITRE_PART_SALARIALE = Decimal("4.50")
MUTUELLE = Decimal("41.20")


def cent(x):
    return Decimal(x).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)


def montants(s, m):
    """The amounts of one payslip, by rubric, as the payroll would compute them."""
    hs25, hs50, absence, rendement, acompte = VARIABLES.get((s.matricule, m), (0, 0, 0, 0, 0))
    horaire = s.base / HEURES_MOIS
    a = {1: s.base}
    a[2] = cent(horaire * Decimal("1.25") * Decimal(hs25))
    a[3] = cent(horaire * Decimal("1.50") * Decimal(hs50))
    a[4] = cent(s.base * Decimal(min(s.anciennete // 3, 5)) / 100)  # 1 % every three years, up to 5 %
    a[5] = cent(rendement)
    a[6] = cent(500) if m == 0 and s.anciennete >= 10 else cent(0)  # new year bonus, old hands
    a[8] = cent(horaire * Decimal(str(absence)))
    brut = a[1] + a[2] + a[3] + a[4] + a[5] + a[6] - a[8]
    a[9] = cent(NAVIGO / 2) if s.transport else cent(0)
    plafonnee = min(brut, PLAFOND)
    csg = cent(brut * Decimal("0.9825"))
    a.update({10: brut, 11: plafonnee, 12: brut, 13: csg, 14: plafonnee})
    a[15] = cent(plafonnee * Decimal("0.069"))
    a[16] = cent(brut * Decimal("0.004"))
    a[17] = cent(plafonnee * Decimal("0.0315"))
    a[18] = cent(plafonnee * Decimal("0.0086"))
    a[19] = MUTUELLE
    a[20] = cent(plafonnee * Decimal("0.0078"))
    a[21] = cent(csg * Decimal("0.068"))
    a[22] = cent(csg * Decimal("0.024"))
    a[23] = cent(csg * Decimal("0.005"))
    a[24] = TITRE_PART_SALARIALE * JOURS_TRAVAILLES[m] if s.titres else cent(0)
    a[25] = cent(acompte)
    cotisations = sum(a[r] for r in range(15, 24))
    a[26] = brut - cotisations + a[22] + a[23]
    a[27] = brut - cotisations - a[24] - a[25] + a[9]
    a[30] = Decimal(str(absence)).quantize(Decimal("0.01"))
    return {r: v for r, v in a.items() if v != 0}


def memo(s, m):
    # First line: the payroll's own heading, not read by the recap.
    lignes = ["BULLETIN %s %s %s" % (MOIS[m], s.matricule, s.nom)]
    lignes += ["%03d%s" % (r, v) for r, v in sorted(montants(s, m).items())]
    return "\r\n".join(lignes) + "\r\n"


def dater(fichier):
    # The last-update date of the header (bytes 1 to 3), fixed so that the files do not change
    # from one run of this script to the next.
    with open(fichier, "r+b") as f:
        f.seek(1)
        f.write(bytes([124, 4, 5]))  # 2024-04-05


def ecrire_rubriques(dossier):
    t = dbf.Table(os.path.join(dossier, "RUBRIQUE.DBF"), "LIBELLE C(40); CLASSE N(1,0)",
                  dbf_type="db3", codepage="cp1252")
    t.open(dbf.READ_WRITE)
    for libelle, classe in RUBRIQUES:
        t.append((libelle, classe))
    t.close()


def ecrire_paies(dossier):
    t = dbf.Table(os.path.join(dossier, "PAIES.DBF"),
                  "MATRICULE C(5); NOM C(30); MOIS C(7); MONTANTS M",
                  dbf_type="db3", codepage="cp1252")
    t.open(dbf.READ_WRITE)
    for m in range(len(MOIS)):
        for s in SALARIES:
            t.append((s.matricule, s.nom, MOIS[m], memo(s, m)))
        if m == 1:
            # A payslip issued twice by mistake and cancelled: marked deleted, it is not counted.
            t.append((SALARIES[4].matricule, SALARIES[4].nom, MOIS[m], memo(SALARIES[4], m)))
            with t[-1] as r:
                dbf.delete(r)
    t.close()


def ecrire_dossier(dossier, ecrire, prefixe):
    """Has ecrire(travail) write RUBRIQUE.DBF and PAIES.DBF in a folder of its own, then puts them in
    dossier under the payroll application's names, dated."""
    travail = tempfile.mkdtemp(prefix=prefixe)
    try:
        ecrire(travail)
        # The payroll application names its tables .DTA; the memo file keeps its .DBT name.
        os.rename(os.path.join(travail, "RUBRIQUE.DBF"), os.path.join(travail, "RUBRIQUE.DTA"))
        os.rename(os.path.join(travail, "PAIES.DBF"), os.path.join(travail, "PAIES.DTA"))
        for nom in ("RUBRIQUE.DTA", "PAIES.DTA"):
            dater(os.path.join(travail, nom))
        os.makedirs(dossier, exist_ok=True)
        for nom in ("PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"):
            shutil.copyfile(os.path.join(travail, nom), os.path.join(dossier, nom))
    finally:
        shutil.rmtree(travail)


def main():
    ecrire_dossier(DOSSIER, lambda travail: (ecrire_rubriques(travail), ecrire_paies(travail)), "korvex-exemple-")
    print("Dossier d'exemple écrit :", DOSSIER)


if __name__ == "__main__":
    sys.exit(main())
