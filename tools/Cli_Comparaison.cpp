#include "Cli_Comparaison.h"

#include <cstdio>
#include <string_view>

#include "Execution_Cli.h"
#include "recap/Json.h"
#include "platform/Console.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"

namespace cli {

std::string Refus_Reference(const std::string& mois, const std::optional<recap::TPeriode>& periode, const std::string& reference) {
  const auto rang = recap::Rang_Mois(recap::Sans_Blancs(mois));
  if (periode) return recap::Lire_Reference(*periode, reference).Message;
  if (rang) return recap::Lire_Reference({*rang, *rang}, reference).Message;
  // A month of seven characters that is none selects what it spells: only the same text is refused.
  return recap::Sans_Blancs(mois) == recap::Sans_Blancs(reference) ? textes::Reference_Egale(recap::Sans_Blancs(mois)) : "";
}

std::string Lire_Options_Comparaison(const std::string& mois_reference, const std::optional<std::string>& seuil,
                                     recap::TDemande_Comparaison& demande) {
  if (!recap::Rang_Mois(recap::Sans_Blancs(mois_reference))) return textes::Cli_Mois_Reference_Incorrect;
  if (std::string refus = Refus_Reference(demande.Mois, demande.Periode, mois_reference); !refus.empty()) return refus;
  demande.Mois_Reference = mois_reference;
  if (!seuil) return {};
  const auto lu = recap::Lire_Seuil(*seuil);
  if (!lu) return textes::Cli_Seuil_Incorrect;
  demande.Seuil = *lu;
  return {};
}

int Comparer_En_Ligne(const recap::TDemande_Comparaison& demande, TFormat_Tableau format, const std::string& fichier) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto comparaison = recap::Comparer(demande, message);
    if (!comparaison) return std::nullopt;
    const std::string json = format == TFormat_Tableau::Json ? recap::Json_Comparaison(*comparaison) : "";
    return TResultat{Sortie_Tableau(format, recap::Tableau_Comparaison(*comparaison), json, fichier), comparaison->Avertissements};
  });
}

}  // namespace cli
