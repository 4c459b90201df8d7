#include "Cli_Comparaison.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string_view>

#include "Execution_Cli.h"
#include "Json_Cli.h"
#include "platform/Console.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"

namespace cli {

namespace {

using recap::TCellule;
using recap::TTableau;

// ---- JSON ----

nlohmann::ordered_json Ligne_Json(const recap::TLigne_Comparaison& l) {
  nlohmann::ordered_json ligne = {{"rubrique", l.Rubrique},
                                  {"libelle", l.Libelle},
                                  {"colonne", textes::Entetes_Grille[l.Colonne]},
                                  {"total", Montant_Json(l.Total)},
                                  {"total_reference", Montant_Json(l.Total_Reference)},
                                  {"ecart", Montant_Json(l.Ecart)}};
  ligne["ecart_pourcent"] =
      l.Pourcent ? Nombre_Json(recap::Valeur_Affichee(recap::Cellule_Pourcentage(*l.Pourcent))) : nlohmann::ordered_json();
  ligne["a_verifier"] = l.Verification != recap::TVerification::Aucune;
  return ligne;
}

std::string Json_Comparaison(const recap::TComparaison& c) {
  nlohmann::ordered_json d;
  d["dossier"] = c.Dossier;
  d["mois"] = c.Mois.Debut;
  if (!c.Mois.Fin.empty()) d["mois_fin"] = c.Mois.Fin;
  d["mois_reference"] = c.Reference.Debut;
  if (!c.Reference.Fin.empty()) d["mois_reference_fin"] = c.Reference.Fin;
  d["seuil"] = Nombre_Json(c.Seuil);
  d["bulletins"] = c.Resume.Bulletins;
  d["bulletins_reference"] = c.Resume_Reference.Bulletins;
  d["lignes"] = nlohmann::ordered_json::array();
  for (const auto& l : c.Lignes) d["lignes"].push_back(Ligne_Json(l));
  d["gains"] = Montant_Json(c.Resume.Gains);
  d["gains_reference"] = Montant_Json(c.Resume_Reference.Gains);
  d["retenues"] = Montant_Json(c.Resume.Retenues);
  d["retenues_reference"] = Montant_Json(c.Resume_Reference.Retenues);
  d["net"] = Montant_Json(c.Resume.Net());
  d["net_reference"] = Montant_Json(c.Resume_Reference.Net());
  d["avertissements"] = c.Avertissements;
  return Texte_Json(d);
}

}  // namespace

std::string Lire_Options_Comparaison(const std::string& mois_reference, const std::optional<std::string>& seuil,
                                     recap::TDemande_Comparaison& demande) {
  if (!recap::Rang_Mois(mois_reference)) return textes::Cli_Mois_Reference_Incorrect;
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
    const std::string json = format == TFormat_Tableau::Json ? Json_Comparaison(*comparaison) : "";
    return TResultat{Sortie_Tableau(format, recap::Tableau_Comparaison(*comparaison), json, fichier), comparaison->Avertissements};
  });
}

}  // namespace cli
