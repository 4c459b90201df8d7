// The views of people behind the figures: one payslip whole, and who made a rubric move between
// two months.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "recap/Paies.h"
#include "recap/Tableau.h"

namespace recap {

// ---- One payslip ----

struct TLigne_Bulletin {
  int Rubrique = 0;
  std::string Libelle;
  int Colonne = Colonne_Bases;
  long double Montant = 0;
};

struct TVue_Bulletin {
  std::string Dossier;
  std::string Mois;  // its month mm-aaaa
  TPaie Paie;        // its choice: its month's rank
  std::vector<TLigne_Bulletin> Lignes;  // each stored rubric, ascending
  TGains_Retenues Montants;  // as the controls count its net
  // Left out by damage: its amounts are not known, its warning says why.
  bool Non_Compte = false;
  std::time_t Date_Heure = 0;
  TAvertissements Avertissements;
};

// Reads PAIES.DTA once, behind the rename, and keeps record Enregistrement when it is a payslip
// of a month mm-aaaa, with its month's totals for its net; then RUBRIQUE.DTA. A record that
// damage left out is shown without amounts, what is known of it and the warnings. Nothing, after
// the message, when it is no payslip or when PAIES.DTA is not there.
std::optional<TVue_Bulletin> Lire_Bulletin(const std::string& Chemin, int64_t Enregistrement, const TAfficherMessage& Message);

// N° RUB, LIBELLES, COLONNE, MONTANT, a row per stored rubric, then Gains, Retenues and Net.
TTableau Tableau_Bulletin(const TVue_Bulletin& Vue);

// ---- The gaps of a rubric by employee ----

struct TLigne_Ecart {
  int64_t Enregistrement = 0;  // the employee's first payslip of the month, else of the reference
  TChamps_Bulletin Identite;
  TSomme_Exacte Compte_Reference = 0, Compte_Mois = 0;  // the employee's stored amounts, summed
};

struct TEcarts {
  std::string Dossier, Mois, Reference;
  int Rubrique = 0;
  std::string Libelle;
  std::vector<std::string> Noms_Champs;
  std::vector<TLigne_Ecart> Lignes;  // the largest gap first
  // Each month's payslips' amounts added in the table's order, 0 when the total is negligible:
  // the comparison's totals, to the bit.
  long double Total_Reference = 0, Total = 0;
  std::time_t Date_Heure = 0;
  TAvertissements Avertissements;
};

// Reads PAIES.DTA once, behind the rename, and RUBRIQUE.DTA. Nothing, after the message, for a
// month or a reference that is not a month, or when PAIES.DTA is not there.
std::optional<TEcarts> Ecarts_Par_Salarie(const std::string& Chemin, const std::string& Mois, const std::string& Reference,
                                          int Rubrique, const TAfficherMessage& Message);

// ENREG., the identity's fields, the reference, the month, ÉCART; a Total row.
TTableau Tableau_Ecarts(const TEcarts& Ecarts);

}  // namespace recap
