// The recap checked at a glance, as a payroll user checks it against the net paid: how many
// payslips were totalled, the gains, the retenues and their difference.
#pragma once

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "recap/Recap.h"

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

// What a window keeps of its last calculation, for its summary, its export and its printout.
struct TDernier_Calcul {
  std::string Dossier;            // the folder field's text
  std::string Mois;               // the month as the calculation took it
  std::time_t Date_Heure = 0;     // when it ended
  std::optional<TResume> Resume;  // nothing until a calculation fills the grid, and after an
                                  // error once the fill had begun
  int Numero = 0;                 // of the calculations that rewrote the grid: a new one shows
                                  // from its first row
};

// A click on "Calculer Récap" in a window: the calculation, then what the window keeps of it.
// A calculation stopped by one of the program's messages changes nothing; errors go on to the
// caller once Dernier is right.
void Calculer_Pour_Fenetre(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                           TGrille& Grille, const TAfficherMessage& Message, TDernier_Calcul& Dernier);

// The text of the summary label: its three lines with the user's decimal separator, or empty.
std::string Texte_Resume(const TDernier_Calcul& Dernier);

}  // namespace recap
