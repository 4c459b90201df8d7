// The cumuls of several months, as payroll staff close a year or a quarter: one row per rubric,
// one column per month and the period's total, and under the rows each month's summary. Read in
// one scan behind one rename, on the threads of the recap: each month's column is that month's
// recap and the total the period's recap, to the last bit.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "recap/Bulletins.h"
#include "recap/Periode.h"
#include "recap/Resume.h"
#include "recap/Tableau.h"

namespace recap {

inline constexpr int Mois_Cumuls_Max = 36;

// A rubric's row: its total of each month (none where that month's recap has no row) and of the
// period (none where the period's recap has none).
struct TLigne_Cumuls {
  int Rubrique = 0;
  std::string Libelle;  // empty when RUBRIQUE.DTA holds no record for it
  int Colonne = 2;      // the recap grid's column: 2 BASES, 3 GAINS, 4 RETENUES
  std::vector<std::optional<long double>> Totaux;
  std::optional<long double> Total;
};

struct TCumuls {
  std::string Dossier;
  TPeriode Periode;
  std::vector<std::string> Mois;     // "mm-aaaa", in calendar order
  std::vector<TLigne_Cumuls> Lignes;  // in increasing rubric order
  std::vector<TResume> Resumes;      // each month's, as its recap makes it
  TResume Resume;                    // the period's
  // The extended totals of every rubric, each month's and the period's: what a recap of each
  // would have read.
  std::vector<TTAB_VALEURS> Totaux_Mois;
  TTAB_VALEURS Totaux_Periode;
  TAvertissements Avertissements;
  std::time_t Date_Heure = 0;
};

// The period of two month fields as typed, checked: nothing, and the message to show, when
// either is no month mm-aaaa, the first comes after the second, or it spans more than 36 months.
struct TPeriode_Lue {
  std::optional<TPeriode> Periode;
  std::string Message;
};
TPeriode_Lue Lire_Periode_Cumuls(const std::string& Du, const std::string& Au);

// The cumuls of the period's months in the folder. Nothing, after the message, when PAIES.DTA is
// not there. Raises plateforme::EKorvex on every error, as a recap does.
std::optional<TCumuls> Cumuler(const std::string& Chemin, const TPeriode& Periode, const TAfficherMessage& Message);

// The table: N° RUB, LIBELLES and COLONNE fixed on screen, a column per month, TOTAL, whose
// cells a workbook writes as sums of the months'; under the rubrics, the rows of payslips, gains,
// retenues and net, the last three the series of its chart.
TTableau Tableau_Cumuls(const TCumuls& Cumuls);

// The summary: the period's three lines, and the months that hold no payslip.
std::vector<std::string> Lignes_Resume_Cumuls(const TCumuls& Cumuls);

}  // namespace recap
