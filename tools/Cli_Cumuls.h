// korvex-recap --cumuls: the cumuls of a period, month by month, for a year's or a quarter's
// closing script.
#pragma once

#include <string>

#include "recap/Periode.h"

namespace cli {

enum class TFormat_Cumuls { Tabulations, Csv, Json, Classeur };

struct TDemande_Cumuls {
  std::string Dossier;
  recap::TPeriode Periode;
  TFormat_Cumuls Format = TFormat_Cumuls::Tabulations;
  std::string Fichier;  // the workbook, with TFormat_Cumuls::Classeur
};

// Reads the cumuls and prints them; returns the exit status, as for a recap.
int Executer_Cumuls(const TDemande_Cumuls& Demande);

}  // namespace cli
