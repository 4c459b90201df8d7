// The recap checked at a glance, as a payroll user checks it against the net paid: how many
// payslips were totalled, the gains, the retenues and their difference.
#pragma once

#include <array>
#include <cmath>
#include <ctime>
#include <memory>
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
  // In a window, a month without payslips says which months the table holds (the first and the
  // last, none when no record holds a month), so that a month typed wrong explains itself.
  bool Dire_Mois_Table = false;
  std::optional<TPeriode> Mois_Table;
};

// Adds the GAINS and the RETENUES totals in extended precision, in the rows' order.
TResume Resumer(int Bulletins, const std::vector<TLigne_Recap>& Lignes);

// "N bulletins", "Gains : G — Retenues : R", "Net : X", figures in the grid's number format.
std::array<std::string, 3> Lignes_Resume(const TResume& Resume, char32_t separateur_decimal);

// A calculation as the grid shows it, whole.
struct TCalcul;
// Its summary as the window and the printout show it: the three lines; for a month without
// payslips whose table's months are known, that there is none and which months the table holds.
std::vector<std::string> Lignes_Resume(const TCalcul& Calcul);

struct TCalcul {
  std::string Dossier;         // the folder field's text
  std::string Mois;            // the month as the calculation took it
  std::time_t Date_Heure = 0;  // when it ended
  TResume Resume;
  TAvertissements Avertissements;  // what it could not count
  // What it read, for the windows that read the folder again to tell whether it changed since.
  std::shared_ptr<const TTAB_VALEURS> Totaux;
  std::shared_ptr<const TEmpreintes> Empreintes;
  std::string Mois_Fin;  // a period's last month; empty for a month alone
};

// The calculation a recap made, once its grid is filled, as the window keeps it and korvex-recap
// prints it: a month without payslips says which months the table holds. With a period, its
// months.
TCalcul Calcul_Fait(const std::string& Dossier, const TGrille& Grille, const TTAB_VALEURS& TOT_RUB, TBilan_Recap& Bilan,
                    const std::optional<TPeriode>& Periode = std::nullopt);

// Equal values of the same sign: for totals, which are never NaN, the same bits.
inline bool Memes_Bits(long double a, long double b) { return a == b && std::signbit(a) == std::signbit(b); }

// Whether a reading of the calculation's month gave what the calculation read: as many
// payslips, the same records and amounts, the same totals to the last bit. True for a
// calculation that kept none of these.
bool Meme_Lecture(const TCalcul& Calcul, int Bulletins, const TTAB_VALEURS& Totaux, const TEmpreintes& Empreintes);

// Adds, once, the warning that the payslips changed since the calculation: the figures shown
// are not the grid's.
void Avertir_Bulletins_Changes(TAvertissements& Avertissements);

// The recap as a table: the grid's cells as it shows them, typed, each amount with its
// extended total; the title, the summary and the warnings of the calculation when the grid
// holds a whole one (calcul), none otherwise.
TTableau Tableau_Recap(const TGrille& Grille, const TTAB_VALEURS& TOT_RUB, const TCalcul* Calcul);

}  // namespace recap
