// korvex-recap --comparer: a month against a reference month, for the scripts that check a month
// before it is paid.
#pragma once

#include <optional>
#include <string>

#include "Execution_Cli.h"

#include "recap/Comparaison.h"

namespace cli {

// Why a reference cannot stand beside MOIS (or the period): not a month, MOIS itself, or a
// period past 12-9999; empty when it can.
std::string Refus_Reference(const std::string& mois, const std::optional<recap::TPeriode>& periode, const std::string& reference);

// Why --comparer MOIS_REF and --seuil P are refused, empty when they are right; the demand's
// Mois_Reference and Seuil are set from them.
std::string Lire_Options_Comparaison(const std::string& mois_reference, const std::optional<std::string>& seuil,
                                     recap::TDemande_Comparaison& demande);

// Runs the comparison and prints it, or writes it to the workbook fichier; returns the exit
// status, as a recap's.
int Comparer_En_Ligne(const recap::TDemande_Comparaison& demande, TFormat_Tableau format,
                      const std::string& fichier = {});

}  // namespace cli
