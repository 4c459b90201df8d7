#!/usr/bin/python3
"""Writes tests/cli/controles/KORVEX with Debian's python3-dbf: one employee per control of a month
before it is paid, found or not, between 01-2024 (the reference) and 02-2024.

Run it with /usr/bin/python3; it rewrites the folder, identically every time.
"""

import os
import sys

import dbf

# The sample's writer puts the tables in place under the payroll application's names.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "examples"))
from ecrire_exemple import ecrire_dossier  # noqa: E402

DOSSIER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "KORVEX")
GAIN, RETENUE, BASE = 1, 2, 0

# Record n is rubric n. Rubric 5 has a blank label; rubric 7 has no record at all.
RUBRIQUES = [("Salaire de base", GAIN), ("Prime", GAIN), ("Cotisations", RETENUE), ("Salaire brut", BASE), ("", GAIN)]

# Per employee: (matricule, name, payslips of 01-2024, payslips of 02-2024), each payslip the
# amounts it stores by rubric; None a payslip without any amount.
SALARIES = [
    ("00001", "STABLE Anne", [{1: "2000.00", 3: "400.00"}], [{1: "2000.00", 3: "400.00"}]),
    ("00002", "ENTRANT Bruno", [], [{1: "1800.00", 3: "360.00"}]),
    ("00003", "SORTANT Claire", [{1: "2500.00", 3: "500.00"}], []),
    ("00004", "DOUBLE Denis", [{1: "1500.00", 3: "300.00"}], [{1: "1500.00", 3: "300.00"}, {1: "1500.00", 3: "300.00"}]),
    ("00005", "NEGATIF Emma", [{1: "1200.00", 3: "200.00"}], [{2: "100.00", 3: "300.00"}]),
    ("00006", "NUL Fabien", [{1: "500.00", 3: "500.00"}], [{1: "500.00", 3: "500.00"}]),
    ("00007", "VIDE Gaëlle", [None], [None]),
    ("00008", "SANSLIBELLE Hugo", [{1: "1000.00", 5: "20.00", 7: "150.00"}], [{1: "1000.00", 5: "20.00", 7: "150.00"}]),
    ("00009", "HAUSSE Inès", [{1: "2550.00", 3: "400.00"}], [{1: "3000.00", 3: "400.00"}]),
    ("00010", "PEU Jules", [{1: "2100.00", 3: "100.00"}], [{1: "2200.00", 3: "100.00"}]),
]


def memo(matricule, mois, montants):
    lignes = ["BULLETIN %s %s" % (mois, matricule)]
    lignes += ["%03d%s" % (r, v) for r, v in sorted((montants or {}).items())]
    return "\r\n".join(lignes) + "\r\n"


def ecrire(travail):
    t = dbf.Table(os.path.join(travail, "RUBRIQUE.DBF"), "LIBELLE C(40); CLASSE N(1,0)", dbf_type="db3", codepage="cp1252")
    t.open(dbf.READ_WRITE)
    for libelle, classe in RUBRIQUES:
        t.append((libelle, classe))
    t.close()
    t = dbf.Table(os.path.join(travail, "PAIES.DBF"), "MATRICULE C(5); NOM C(30); MOIS C(7); MONTANTS M",
                  dbf_type="db3", codepage="cp1252")
    t.open(dbf.READ_WRITE)
    for mois, k in (("01-2024", 2), ("02-2024", 3)):
        for s in SALARIES:
            for montants in s[k]:
                t.append((s[0], s[1], mois, memo(s[0], mois, montants)))
    t.close()


def main():
    ecrire_dossier(DOSSIER, ecrire, "korvex-controles-")


if __name__ == "__main__":
    sys.exit(main())
