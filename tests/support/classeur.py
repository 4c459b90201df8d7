#!/usr/bin/env python3
"""A workbook of the program read back by an independent reader (openpyxl).

  classeur.py decrire FICHIER
      prints the first sheet as JSON: the sheets' names, the frozen cell, the columns' widths and
      every written cell (type, value, number format, bold, fill, and a formula's cached value),
      then the charts of every sheet: their title and, for each group (columns, line...), its
      axes and its series' name, ranges and cached values; for the core's tests.
  classeur.py recap FICHIER GOLDEN.json RESUME DECIMAL
      checks the workbook of a recap against the JSON and the summary lines of the same recap
      (golden outputs, written under the C locale); DECIMAL is the separator the summary
      lines must show. Exits 1 with what differs.
"""
import json
import sys

import openpyxl

ENTETES = ["N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"]
COLONNE = {"BASES": 3, "GAINS": 4, "RETENUES": 5}
FORMAT_MONTANT = "#,##0.00"


def fond(cellule):
    return cellule.fill.fgColor.rgb if cellule.fill.fill_type == "solid" else None


def reference(source):
    """A range of a chart as written: its formula, or its literal text."""
    if source is None:
        return None
    for ref in ("strRef", "numRef"):
        if getattr(source, ref, None) is not None:
            return getattr(source, ref).f
    return getattr(source, "v", None)


def decrire_graphique(graphique):
    titre = graphique.title.tx if graphique.title is not None else None
    groupes = []
    for groupe in graphique._charts:
        series = []
        for s in groupe.series:
            cache = s.val.numRef.numCache if s.val is not None and s.val.numRef is not None else None
            series.append({"nom": reference(s.tx), "categories": reference(s.cat), "valeurs": reference(s.val),
                           "cache": [p.v for p in cache.pt] if cache is not None else None})
        groupes.append({"type": groupe.tagname, "direction": getattr(groupe, "barDir", None),
                        "axes": list(groupe.axId), "series": series})
    return {"titre": reference(titre), "groupes": groupes}


def decrire(chemin):
    classeur = openpyxl.load_workbook(chemin)
    caches = openpyxl.load_workbook(chemin, data_only=True).worksheets[0]
    feuille = classeur.worksheets[0]
    cellules = {}
    for ligne in feuille.iter_rows():
        for c in ligne:
            if c.value is None and fond(c) is None:
                continue
            cellules[c.coordinate] = {"type": c.data_type, "valeur": c.value, "format": c.number_format,
                                      "gras": bool(c.font.b), "fond": fond(c)}
            if c.data_type == "f":
                cellules[c.coordinate]["cache"] = caches[c.coordinate].value
    graphiques = {f.title: [decrire_graphique(g) for g in f._charts]
                  for f in classeur.worksheets + classeur.chartsheets if f._charts}
    return {"feuilles": classeur.sheetnames, "titre": classeur.properties.title, "gel": feuille.freeze_panes,
            "largeurs": {lettre: d.width for lettre, d in feuille.column_dimensions.items()},
            "cellules": cellules, "graphiques": graphiques}


def verifier_recap(chemin, golden, resume, decimal):
    with open(golden, encoding="utf-8") as f:
        attendu = json.load(f)
    with open(resume, encoding="utf-8") as f:
        lignes_resume = [ligne.replace(".", decimal) for ligne in f.read().splitlines()]
    classeur = openpyxl.load_workbook(chemin)
    feuille = classeur.worksheets[0]
    fautes = []

    def voir(condition, texte):
        if not condition:
            fautes.append(texte)

    def valeur(rangee, colonne):
        return feuille.cell(rangee, colonne).value

    mois, fin = attendu["mois"], attendu.get("mois_fin")
    voir(classeur.sheetnames == ["Récap " + (f"{mois} à {fin}" if fin else mois)], f"feuilles {classeur.sheetnames}")
    titre = f"Récap KORVEX — période {mois} à {fin}" if fin else f"Récap KORVEX — mois {mois}"
    voir(valeur(1, 1) == titre and feuille["A1"].font.b, f"titre {valeur(1, 1)!r}")
    voir(valeur(2, 1) == "Dossier : " + attendu["dossier"], f"dossier {valeur(2, 1)!r}")
    voir(str(valeur(3, 1)).startswith("Calcul du "), f"date {valeur(3, 1)!r}")
    voir([valeur(5, c) for c in range(1, 6)] == ENTETES, "en-têtes")
    voir(all(feuille.cell(5, c).font.b for c in range(1, 6)), "en-têtes pas en gras")
    voir(feuille.freeze_panes == "A6", f"volet figé en {feuille.freeze_panes}")

    for i, ligne in enumerate(attendu["lignes"]):
        r = 6 + i
        rubrique, libelle = feuille.cell(r, 1), feuille.cell(r, 2)
        voir(rubrique.data_type == "n" and rubrique.value == ligne["rubrique"], f"ligne {r} : rubrique {rubrique.value!r}")
        voir(libelle.data_type == "s" and libelle.value == ligne["libelle"], f"ligne {r} : libellé {libelle.value!r}")
        for c in range(3, 6):
            montant = feuille.cell(r, c)
            if c != COLONNE[ligne["colonne"]]:
                voir(montant.value is None, f"ligne {r} colonne {c} : {montant.value!r} au lieu de rien")
                continue
            voir(montant.data_type == "n" and montant.value == ligne["total"],
                 f"ligne {r} : {montant.value!r} au lieu de {ligne['total']!r}")
            voir(montant.number_format == FORMAT_MONTANT, f"ligne {r} : format {montant.number_format!r}")

    sous = 6 + len(attendu["lignes"]) + 1
    dessous = lignes_resume + attendu["avertissements"]
    voir([valeur(sous + i, 1) for i in range(len(dessous))] == dessous,
         f"sous le tableau : {[valeur(sous + i, 1) for i in range(len(dessous))]!r}")
    voir(feuille.max_row == sous + len(dessous) - 1, f"{feuille.max_row} rangées")
    plus_long = max(len(ligne["libelle"]) for ligne in attendu["lignes"])
    voir(feuille.column_dimensions["B"].width >= plus_long, f"colonne B large de {feuille.column_dimensions['B'].width}")

    for faute in fautes:
        print(f"{chemin} : {faute}", file=sys.stderr)
    return 1 if fautes else 0


def main(arguments):
    if len(arguments) == 2 and arguments[0] == "decrire":
        json.dump(decrire(arguments[1]), sys.stdout, ensure_ascii=False)
        return 0
    if len(arguments) == 5 and arguments[0] == "recap":
        return verifier_recap(*arguments[1:])
    print(__doc__, file=sys.stderr)
    return 64


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
