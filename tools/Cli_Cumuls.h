// korvex-recap --cumuls: the cumuls of a period, month by month, for a year's or a quarter's
// closing script.
#pragma once

#include <string>

#include "Execution_Cli.h"

#include "recap/Periode.h"

namespace cli {

struct TDemande_Cumuls {
  std::string Dossier;
  recap::TPeriode Periode;
  TFormat_Tableau Format = TFormat_Tableau::Tabulations;
  std::string Fichier;  // the workbook, with TFormat_Tableau::Classeur
};

// Reads the cumuls and prints them; returns the exit status, as for a recap.
int Executer_Cumuls(const TDemande_Cumuls& Demande);

}  // namespace cli
