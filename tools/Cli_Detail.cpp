#include "Cli_Detail.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "Execution_Cli.h"
#include "Json_Cli.h"
#include "KORVEX_procs.h"
#include "platform/Textes.h"
#include "recap/Detail.h"
#include "recap/Tableau.h"

namespace cli {

namespace {

std::string Json_Detail(const recap::TDetail& detail) {
  nlohmann::ordered_json document;
  document["dossier"] = detail.Dossier;
  document["mois"] = detail.Mois;
  if (detail.Periode) document["mois_fin"] = recap::Texte_Mois(detail.Periode->Fin);
  document["rubrique"] = detail.Rubrique;
  document["libelle"] = detail.Libelle;
  document["colonne"] = textes::Entetes_Grille[detail.Colonne];
  document["total"] = Montant_Json(detail.Total);
  document["bulletins"] = nlohmann::ordered_json::array();
  for (const auto& b : detail.Bulletins) {
    nlohmann::ordered_json champs = nlohmann::ordered_json::object();
    for (const auto& [nom, valeur] : b.Champs) champs[nom] = valeur;
    document["bulletins"].push_back({{"enregistrement", b.Enregistrement}, {"champs", champs}, {"montant", Montant_Json(b.Montant)}});
  }
  document["avertissements"] = detail.Avertissements;
  return Texte_Json(document);
}

}  // namespace

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
    const std::string json = Demande.Format == TFormat_Tableau::Json ? Json_Detail(*detail) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Detail(*detail), json, Demande.Fichier), detail->Avertissements};
  });
}

}  // namespace cli
