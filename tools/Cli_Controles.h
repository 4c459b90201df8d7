// korvex-recap --controles, --bulletin and --comparer with --detail: the people behind the
// figures, for a script that checks a payroll before it is paid.
#pragma once

#include <cstdint>
#include <string>

#include "Execution_Cli.h"
#include "recap/Controles.h"

namespace cli {

struct TDemande_Personnes {
  std::string Dossier;
  TFormat_Tableau Format = TFormat_Tableau::Tabulations;
  std::string Fichier;  // the workbook, with TFormat_Tableau::Classeur
};

// The controls of a month; exit status 4 when they find an anomaly and no file is damaged.
int Executer_Controles(const TDemande_Personnes& Demande, const recap::TDemande_Controles& Controles);
// The payslip of a record.
int Executer_Bulletin(const TDemande_Personnes& Demande, int64_t Enregistrement);
// The gaps of a rubric by employee between a month and a reference month.
int Executer_Ecarts(const TDemande_Personnes& Demande, const std::string& Mois, const std::string& Reference, int Rubrique);

// The record number of --bulletin: digits alone, from 1; nothing otherwise.
std::optional<int64_t> Lire_Enregistrement(const std::string& texte);

}  // namespace cli
