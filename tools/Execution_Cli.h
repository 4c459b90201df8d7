// How korvex-recap runs a calculation, whatever it prints: its messages and errors on standard
// error, then its output, then its warnings, and the exit status that tells a script which.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "recap/Bulletins.h"
#include "recap/Tableau.h"

namespace cli {

constexpr int Sortie_Succes = 0;
constexpr int Sortie_Message = 1;  // one of the program's own messages
constexpr int Sortie_Erreur = 2;   // an error, as the error box shows it
constexpr int Sortie_Avertissements = 3;  // printed, with warnings: some payslips were left out
constexpr int Sortie_Anomalies = 4;  // the controls printed, with an anomaly and no warning
constexpr int Sortie_Usage = 64;   // bad arguments

// How a table comes out: tabs, CSV, a JSON document of its own, or a workbook written to a file.
enum class TFormat_Tableau { Tabulations, Csv, Json, Classeur };

// The table in that format; the JSON document as given; for a workbook, nothing, the file
// written.
std::string Sortie_Tableau(TFormat_Tableau Format, const recap::TTableau& Tableau, const std::string& Json,
                           const std::string& Fichier);

// What a calculation leaves to print.
struct TResultat {
  std::string Sortie;
  recap::TAvertissements Avertissements;
  bool Anomalies = false;  // the controls found one: the status says so when no warning does
};

// Runs the calculation under the error guard, its messages shown as they come; nothing printed
// when it ends on a message or an error. Returns the exit status.
using TCalcul_Cli = std::function<std::optional<TResultat>(const recap::TAfficherMessage& Message)>;
int Executer_Calcul(const TCalcul_Cli& Calcul);

}  // namespace cli
