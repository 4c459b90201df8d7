// Payslips read whole, for the views about people: each one's record, identity and amounts, as
// counts of ten-thousandths. Who is who across months, and what a payslip's net is.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "KORVEX_procs.h"
#include "platform/Sommes.h"
#include "recap/Bulletins.h"
#include "recap/Rubriques.h"

namespace recap {

struct TPaies_Lues {
  std::vector<TPaie> Paies;  // in the table's order
  std::vector<std::string> Noms_Champs;  // the first payslip's character fields
  std::vector<TTAB_VALEURS> Totaux;  // by choice: each the recap of its payslips, to the bit
  TAvertissements Avertissements;
};

// The chosen payslips whole and the totals of each of the Choix choices (at most 256), read in
// one scan on the threads of a recap. Nothing, after the message, when PAIES.DTA is not there.
// Raises plateforme::EKorvex on every error, as a recap does.
std::optional<TPaies_Lues> Lire_Paies(const std::string& Chemin, const TChoix& Choix, int Choix_Nombre,
                                      const TAfficherMessage& Message);

// A month and the month it is checked against, their payslips read whole in one scan, their
// choices Choix_Mois and Choix_Reference.
inline constexpr int Choix_Mois = 0, Choix_Reference = 1;
struct TDeux_Mois {
  std::string Mois, Reference;  // mm-aaaa
  TPaies_Lues Lues;
};
// Nothing, after the message, for a month or a reference that is not a month mm-aaaa, for a
// reference that is the month itself, or when PAIES.DTA is not there; an empty reference is the
// month before.
std::optional<TDeux_Mois> Lire_Deux_Mois(const std::string& Chemin, const std::string& Mois, const std::string& Reference,
                                        const TAfficherMessage& Message);

// Who a payslip is, to tell it from the others: its MATRICULE when the table has that field, else
// all its identity fields together. Nothing when that is blank or there is no field: such a
// payslip cannot be told apart from another, and takes part in no check across payslips.
std::optional<std::string> Cle_Salarie(const TChamps_Bulletin& Champs);
// Whether the table names its employees by a MATRICULE field.
bool A_Matricule(const TChamps_Bulletin& Champs);
// Its identity as a title shows it: the fields' values, blanks between.
std::string Texte_Identite(const TChamps_Bulletin& Champs);
// A payslip as a row names it: its identity, or "Enregistrement N" when it cannot be told apart.
std::string Nom_Paie(const TPaie& Paie);

// The columns of the rubrics: what RUBRIQUE.DTA says of each, read once.
struct TClasses {
  std::array<int, TTAB_VALEURS::Dernier + 1> Colonne{};
  std::array<bool, TTAB_VALEURS::Dernier + 1> Libelle_Vide{};  // no record, or a blank label
  std::array<std::string, TTAB_VALEURS::Dernier + 1> Libelle;
  explicit TClasses(const std::string& Chemin);
};

// A payslip's gains and retenues in ten-thousandths, counting only the rubrics whose total has a
// row in its month's recap (Totaux), the negligible ones left as the recap leaves them. Exact:
// the month's nets add up to the recap's net.
using plateforme::TSomme_Exacte;
struct TGains_Retenues {
  TSomme_Exacte Gains = 0, Retenues = 0;
  TSomme_Exacte Net() const { return Gains - Retenues; }
};
TGains_Retenues Gains_Retenues(const TPaie& Paie, const TClasses& Classes, const TTAB_VALEURS& Totaux);

// An exact amount as a text says it: two decimals, thousands grouped ("2 150,00", "-200,00"),
// rounded half away from zero from its ten-thousandths.
std::string Montant_Texte(TSomme_Exacte Dix_Milliemes);

}  // namespace recap
