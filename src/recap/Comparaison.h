// A month checked against another before it is paid: which rubric moved, by how much, which
// appeared or vanished. Both months are totalled in one scan, each exactly as its own recap
// totals it, so that a total read here is the recap's to the last bit.
#pragma once

#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "recap/Bulletins.h"
#include "recap/Periode.h"
#include "recap/Resume.h"
#include "recap/Seuil.h"
#include "recap/Tableau.h"

namespace recap {

// The month before a month written "mm-aaaa" ("12-2023" before "01-2024"); nothing otherwise.
std::optional<std::string> Mois_Precedent(std::string_view mois);

// The period of as many months just before; nothing before year 0.
std::optional<TPeriode> Periode_Precedente(const TPeriode& periode);

struct TDemande_Comparaison {
  std::string Chemin;          // the folder as typed
  std::string Mois;            // as typed, checked and trimmed as the recap does
  std::string Mois_Reference;  // likewise
  // With a period, its months instead of Mois, against as many months from Mois_Reference.
  std::optional<TPeriode> Periode;
  TSeuil Seuil = Seuil_Defaut;
  bool Empreintes = false;  // takes the month's totals and digests, to check a calculation with
};

// Why a row is to be checked.
enum class TVerification { Aucune, Nouvelle, Disparue, Ecart };

struct TLigne_Comparaison {
  int Rubrique = 0;
  std::string Libelle;
  int Colonne = 2;  // the recap's column: 2 BASES, 3 GAINS, 4 RETENUES
  // 0 for a month whose recap has no row for the rubric.
  long double Total = 0, Total_Reference = 0;
  long double Ecart = 0;  // month - reference
  // Both totals as the grid shows them, exact: what the threshold's rule measures.
  TSomme_Exacte Affiche = 0, Affiche_Reference = 0;
  // The move in % of the reference's magnitude as the rule shows it, with the user's separator
  // of the moment; empty for a rubric the reference has no row for.
  TCellule Variation(const TSeuil& Seuil) const;
  TVerification Verification = TVerification::Aucune;
};

// One side of the comparison: "02-2024", or a period's first and last months.
struct TMois_Compare {
  std::string Debut, Fin;  // Fin empty for a month alone
  std::string Libelle() const;  // "02-2024", "01-2024 à 03-2024"
};

struct TComparaison {
  std::string Dossier;
  TMois_Compare Mois, Reference;
  TSeuil Seuil = Seuil_Defaut;
  std::time_t Date_Heure = 0;
  std::vector<TLigne_Comparaison> Lignes;  // in increasing rubric order
  TResume Resume, Resume_Reference;
  TAvertissements Avertissements;  // the scan's: they concern both months
  // The month's every total and digest, when asked for.
  std::shared_ptr<const TTAB_VALEURS> Totaux_Mois;
  std::shared_ptr<const TEmpreintes> Empreintes_Mois;
};

// Reads PAIES.DTA once, behind the rename, then RUBRIQUE.DTA. Nothing, after the message, for a
// month or a reference that is not a month, a reference that is the month itself or whose period
// would go past 12-9999, or when PAIES.DTA is not there. Raises
// plateforme::EKorvex on every other failure.
std::optional<TComparaison> Comparer(const TDemande_Comparaison& Demande, const TAfficherMessage& Message);

// The rows a payroll user reads: N° RUB, LIBELLES, COLONNE, the two totals, the difference, in %,
// and the check; under the title, both summaries and their differences.
TTableau Tableau_Comparaison(const TComparaison& Comparaison);
inline constexpr size_t Colonne_Total_Reference = 3;

}  // namespace recap
