// The payslips behind one rubric's total: which payslips of the month make it, each with what
// identifies it in the payroll application and its amount. Read again from the folder, so that
// a total that looks wrong can be checked without opening the payslips one by one.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "recap/Bulletins.h"
#include "recap/Periode.h"
#include "recap/Rubriques.h"
#include "recap/Tableau.h"

namespace recap {

// A payslip that stores an amount for the rubric.
struct TBulletin_Detail {
  int64_t Enregistrement = 0;  // its record in PAIES.DTA, from 1
  TChamps_Bulletin Champs;     // its character fields other than MOIS, in the table's order
  long double Montant = 0;     // as the decoding stored it
};

struct TDetail {
  std::string Dossier;
  std::string Mois;                 // as the calculation took it: trimmed
  std::optional<TPeriode> Periode;  // with a period, its months instead of Mois
  int Rubrique = 0;
  std::string Libelle;              // empty when RUBRIQUE.DTA holds no record for it
  int Colonne = Colonne_Bases;
  // The names of the payslips' character fields, those of the first selected payslip: none
  // when the month has no payslip at all.
  std::vector<std::string> Noms_Champs;
  std::vector<TBulletin_Detail> Bulletins;  // in the table's order
  long double Total = 0;  // the amounts added in that order, as the recap adds them
  uint64_t Empreinte = 0;  // of its payslips and amounts, as a totalling's TEmpreintes takes it
  std::time_t Date_Heure = 0;
  TAvertissements Avertissements;
};

// Reads the folder's payslips again, behind the same rename guard as the recap, and keeps those
// of the month (or of the period) that store an amount for Rubrique (1 to 899). Mois is checked
// as the month field is. Nothing, after the message, when the month is wrong or PAIES.DTA is
// not there. Raises plateforme::EKorvex on every error, as a recap does.
std::optional<TDetail> Detailler(const std::string& Chemin, const std::string& Mois, int Rubrique,
                                 const TAfficherMessage& Message,
                                 const std::optional<TPeriode>& Periode = std::nullopt);

// Whether the detail read what the calculation read: the same payslips with the same amounts
// (the calculation's digest of the rubric) and the same total, to the last bit. When not, the
// payroll application wrote meanwhile: the detail gets the warning that says so.
bool Verifier_Calcul(TDetail& Detail, long double Total, uint64_t Empreinte);

// The month as titles show it ("02-2024", "01-2024 à 03-2024") and as names hold it
// ("01-2024_03-2024").
std::string Mois_Affiche(const TDetail& Detail);
std::string Mois_Pour_Nom(const TDetail& Detail);

// The detail as a table: "ENREG.", one column per field, "MONTANT", one row per payslip and a
// last row "Total". A field named like one of those keeps its name: the record comes first and
// the amount last whatever the headers say.
TTableau Tableau_Detail(const TDetail& Detail);

}  // namespace recap
