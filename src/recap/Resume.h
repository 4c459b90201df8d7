// The recap checked at a glance, as a payroll user checks it against the net paid: how many
// payslips were totalled, the gains, the retenues and their difference.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "recap/Recap.h"
#include "recap/Tableau.h"

namespace recap {

// One row of the grid as data, its total in full precision.
struct TLigne_Recap {
  int Rubrique = 0;
  std::string Libelle;
  int Colonne = 2;  // the grid's column: 2 BASES, 3 GAINS, 4 RETENUES
  long double Total = 0;
};

// The rows the grid shows, in increasing rubric order.
std::vector<TLigne_Recap> Lignes_Recap(const TGrille& Grille, const TTAB_VALEURS& TOT_RUB);

struct TResume {
  int Bulletins = 0;
  long double Gains = 0, Retenues = 0;
  long double Net() const { return Gains - Retenues; }
};

// Adds the GAINS and the RETENUES totals in extended precision, in the rows' order.
TResume Resumer(int Bulletins, const std::vector<TLigne_Recap>& Lignes);

// "N bulletins", "Gains : G — Retenues : R", "Net : X", figures in the grid's number format.
std::array<std::string, 3> Lignes_Resume(const TResume& Resume, char32_t separateur_decimal);

// A calculation as the grid shows it, whole.
struct TCalcul {
  std::string Dossier;         // the folder field's text
  std::string Mois;            // the month as the calculation took it
  std::time_t Date_Heure = 0;  // when it ended
  TResume Resume;
  TAvertissements Avertissements;  // what it could not count
};

// The recap as a table: the grid's cells as it shows them, typed, each amount with its
// extended total; the title, the summary and the warnings of the calculation when the grid
// holds a whole one (calcul), none otherwise.
TTableau Tableau_Recap(const TGrille& Grille, const TTAB_VALEURS& TOT_RUB, const TCalcul* Calcul);

}  // namespace recap
