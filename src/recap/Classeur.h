// A table as an Excel workbook (.xlsx): a sheet with the title, the folder and the date above
// the table, its header row bold and frozen, its numbers as numbers, the summary and the
// warnings under it; a table with a chart, a second sheet "Graphique" with it, drawn from the
// first. Written through libxlsxwriter, whatever the C library's locale.
#pragma once

#include <string>
#include <vector>

#include "recap/Export.h"
#include "recap/Tableau.h"

namespace recap {

// Excel's rules for a sheet's name: "_" for []:*?/\ and control characters and for an
// apostrophe at either end, at most 31 characters, never empty.
std::string Nom_Feuille_Excel(const std::string& nom);

// What a spreadsheet shows of a number, and compares: its 15 significant digits, read back.
double Quinze_Chiffres(double Valeur);

// Whether =SUM over cells storing Termes shows Figure (a grid value, Valeur_Affichee) in a
// spreadsheet, whichever way it adds: left to right, or compensated. A blank cell is a term 0.
bool Somme_Tableur_Montre(const std::vector<double>& Termes, double Figure);

// The bytes of the workbook. Amounts are their grid value (Valeur_Affichee) shown with two
// decimals and a thousands separator, percentages with one decimal, rubric numbers as whole
// numbers, texts as texts (never as formulas); rows to be checked get a fill. A sum column
// (TTableau::Somme) is written as formulas over its row, cached with the table's figures, where
// the formula recomputed from the cells as written shows the figure (Somme_Tableur_Montre), and
// as the figure elsewhere (a month's negligible total is blank yet counts in the period's); a grid
// fixing more than one column keeps the rows' names frozen too. Raises
// plateforme::EKorvex when it cannot be made.
std::string Contenu_Classeur(const TTableau& tableau);

// "Exporter en Excel…": the save dialog proposes the table's file name in the user's Documents;
// the chosen file is replaced whole, nothing is written after a cancel. Raises
// plateforme::EKorvex when it cannot be written.
void Exporter_Excel(const TTableau& tableau, const TDemander_Chemin& Demander);

}  // namespace recap
