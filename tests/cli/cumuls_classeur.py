#!/usr/bin/env python3
"""korvex-recap --cumuls --xlsx read back by openpyxl against its --json: every number of the
sheet "Cumuls" equals the JSON's, each TOTAL is a =SUM of its months, and the sheet "Graphique"
holds the chart.

Usage: cumuls_classeur.py PROGRAMME DOSSIER TRAVAIL
"""
import json
import os
import shutil
import subprocess
import sys

import openpyxl

programme, exemple, travail = sys.argv[1:4]
# The calculation renames PAIES.DTA for a moment: a copy of the sample, not the committed one.
shutil.rmtree(travail, ignore_errors=True)
dossier = os.path.join(travail, "KORVEX")
shutil.copytree(exemple, dossier)
classeur = os.path.join(travail, "cumuls.xlsx")
env = dict(os.environ, LC_ALL="C")
periode = ["01-2024", "03-2024"]
document = json.loads(subprocess.run([programme, "--cumuls", "--json", dossier, *periode], env=env, check=True,
                                     capture_output=True, text=True).stdout)
subprocess.run([programme, "--cumuls", "--xlsx", classeur, dossier, *periode], env=env, check=True)

valeurs = openpyxl.load_workbook(classeur, data_only=True)
formules = openpyxl.load_workbook(classeur, data_only=False)
fautes = []
if "Graphique" not in valeurs.sheetnames or not valeurs["Graphique"]._charts:
    fautes.append("pas de graphique dans la feuille « Graphique »")
feuille, feuille_f = valeurs["Cumuls"], formules["Cumuls"]
entete = next(r for r in range(1, feuille.max_row + 1) if feuille.cell(r, 1).value == "N° RUB")
colonnes = [feuille.cell(entete, c).value for c in range(1, feuille.max_column + 1)]
if colonnes[3:3 + len(document["mois"])] != document["mois"] or "TOTAL" not in colonnes:
    fautes.append(f"en-têtes : {colonnes}")
total = colonnes.index("TOTAL") + 1
rangees = {feuille.cell(r, 1).value: r for r in range(entete + 1, feuille.max_row + 1)}
for ligne in document["lignes"]:
    r = rangees.get(ligne["rubrique"])
    if r is None:
        fautes.append(f"rubrique {ligne['rubrique']} absente")
        continue
    for k, attendu in enumerate(ligne["totaux"]):
        lu = feuille.cell(r, 4 + k).value
        if (lu or 0) != attendu:
            fautes.append(f"rubrique {ligne['rubrique']}, {document['mois'][k]} : {lu} au lieu de {attendu}")
    if feuille.cell(r, total).value != ligne["total"]:
        fautes.append(f"rubrique {ligne['rubrique']}, TOTAL : {feuille.cell(r, total).value} au lieu de {ligne['total']}")
    formule = feuille_f.cell(r, total).value
    if not (isinstance(formule, str) and formule.startswith("=SUM(D")):
        fautes.append(f"rubrique {ligne['rubrique']}, TOTAL sans formule : {formule}")
if fautes:
    print("\n".join(fautes))
    sys.exit(1)
print(f"{len(document['lignes'])} rubriques de {len(document['mois'])} mois : le classeur dit ce que dit le JSON")
