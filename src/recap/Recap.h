// The recap of one month, without any window: totals the payslips, then fills the grid.
// The window and the command-line tool both call this.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "KORVEX_procs.h"
#include "recap/Bulletins.h"
#include "recap/Periode.h"

namespace recap {

// The recap grid as plain data, addressed (column, row); row 0 and column 0 are the fixed
// header cells and the row count includes row 0. Cells beyond the row count keep their text
// and show again when the grid grows over them, as a string grid does.
class TGrille {
public:
  static constexpr int ColCount = 5;

  int RowCount() const { return rowCount_; }
  void SetRowCount(int n);
  const std::string& Cells(int col, int row) const;
  void SetCells(int col, int row, std::string texte);
  // Empties every data row, kept ones beyond the row count included.
  void Effacer_Lignes_Donnees();

private:
  int rowCount_ = 5;
  std::vector<std::array<std::string, ColCount>> lignes_;
};

// What a scan totalled, and what it could not.
struct TTotal_Paies {
  int Bulletins = 0;
  TAvertissements Avertissements;
  std::optional<TEmpreintes> Empreintes;  // when asked for
  std::optional<TPeriode> Mois_Table;     // the first and the last month of the table's records
};

// Totals the payslips of the month Mois found in the folder Chemin into TOT_RUB, renaming
// PAIES.DTA to PAIES.DBF while it reads it; with a period, the payslips of its months instead.
// Returns how many payslips were totalled and the warnings of those left out; nothing, after
// the message, when PAIES.DTA is not found (TOT_RUB untouched). Raises plateforme::EKorvex on
// every other failure, with PAIES.DTA back under its own name.
std::optional<TTotal_Paies> Calc_Total_Paies(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                                    const TAfficherMessage& Message,
                                    const std::optional<TPeriode>& Periode = std::nullopt, bool Empreintes = false);

// How far a calculation went, written as it goes so that the caller can read it after an error.
struct TBilan_Recap {
  bool Grille_Commencee = false;  // the grid no longer shows the previous recap
  bool Grille_Remplie = false;
  std::string Mois;   // the month as the calculation takes it: trimmed
  int Bulletins = 0;  // payslips totalled
  TAvertissements Avertissements;
  std::optional<TEmpreintes> Empreintes;  // when asked for
  std::optional<TPeriode> Mois_Table;     // the first and the last month of the table's records
};

// A whole click on "Calculer Récap" with the two fields' texts as typed: checks the month and
// the folder, totals the month into TOT_RUB, then writes one grid row per rubric whose total
// is not negligible. Errors are raised as plateforme::EKorvex, rows already written staying.
void Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                    TGrille& Grille, const TAfficherMessage& Message);
// The same, telling how far it went; with a period, its months are totalled (Mois is still
// checked as the month field is). With Empreintes, the payslips' are taken too.
void Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                    TGrille& Grille, const TAfficherMessage& Message, TBilan_Recap& Bilan,
                    const std::optional<TPeriode>& Periode = std::nullopt, bool Empreintes = false);

}  // namespace recap
