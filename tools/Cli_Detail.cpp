#include "Cli_Detail.h"

#include <charconv>

#include "Execution_Cli.h"
#include "KORVEX_procs.h"
#include "platform/Textes.h"
#include "recap/Detail.h"
#include "recap/Json.h"
#include "recap/Tableau.h"

namespace cli {

std::optional<int> Lire_Rubrique(const std::string& texte) {
  int n = 0;
  const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
  if (erreur != std::errc() || fin != texte.data() + texte.size()) return std::nullopt;
  if (n < TTAB_VALEURS::Premier || n > TTAB_VALEURS::Dernier) return std::nullopt;
  return n;
}

int Executer_Detail(const TDemande_Detail& Demande) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto detail = recap::Detailler(Demande.Dossier, Demande.Mois, Demande.Rubrique, message, Demande.Periode);
    if (!detail) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? recap::Json_Detail(*detail) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Detail(*detail), json, Demande.Fichier), detail->Avertissements};
  });
}

}  // namespace cli
