// korvex-recap --detail N: the payslips behind a rubric's total, for a script or a user who
// wants to know which payslips make a total that looks wrong.
#pragma once

#include <optional>
#include <string>

#include "Execution_Cli.h"

#include "recap/Periode.h"

namespace cli {

struct TDemande_Detail {
  std::string Dossier, Mois;
  std::optional<recap::TPeriode> Periode;
  int Rubrique = 0;
  TFormat_Tableau Format = TFormat_Tableau::Tabulations;
  std::string Fichier;  // the workbook, with TFormat_Tableau::Classeur
};

// The rubric number of --detail: 1 to 899 written in digits alone; nothing otherwise.
std::optional<int> Lire_Rubrique(const std::string& texte);

// Reads the detail and prints it; returns the exit status, as for a recap.
int Executer_Detail(const TDemande_Detail& Demande);

}  // namespace cli
