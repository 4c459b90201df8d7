// korvex-recap --xlsx FICHIER: the recap the command line computed, written as an Excel workbook.
#pragma once

#include <string>

#include "KORVEX_procs.h"
#include "recap/Recap.h"

namespace cli {

struct TDemande_Classeur {
  std::string Fichier;           // as typed
  std::string Dossier, Mois;     // the arguments, as typed
  std::string Mois_Fin;          // the period's last month; empty for one month
};

// Replaces FICHIER whole with the workbook of the grid's recap: title, folder and date of the
// calculation above the table, its summary and warnings under it. Raises plateforme::EKorvex
// when the file cannot be written.
void Ecrire_Classeur(const TDemande_Classeur& Demande, const recap::TGrille& Grille, const TTAB_VALEURS& TOT_RUB,
                     const recap::TBilan_Recap& Bilan);

}  // namespace cli
