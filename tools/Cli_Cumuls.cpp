#include "Cli_Cumuls.h"

#include <nlohmann/json.hpp>

#include "Execution_Cli.h"
#include "Json_Cli.h"
#include "platform/Textes.h"
#include "recap/Cumuls.h"

namespace cli {

namespace {

// A month's total as the JSON gives it: 0 where that month's recap has no row.
nlohmann::ordered_json Total_Json(const std::optional<long double>& total) { return total ? Montant_Json(*total) : nlohmann::ordered_json(0); }

std::string Json_Cumuls(const recap::TCumuls& c) {
  nlohmann::ordered_json d;
  d["dossier"] = c.Dossier;
  d["mois_debut"] = c.Mois.front();
  d["mois_fin"] = c.Mois.back();
  d["mois"] = c.Mois;
  d["lignes"] = nlohmann::ordered_json::array();
  for (const recap::TLigne_Cumuls& l : c.Lignes) {
    auto totaux = nlohmann::ordered_json::array();
    for (const auto& t : l.Totaux) totaux.push_back(Total_Json(t));
    d["lignes"].push_back({{"rubrique", l.Rubrique},
                           {"libelle", l.Libelle},
                           {"colonne", textes::Entetes_Grille[l.Colonne]},
                           {"totaux", totaux},
                           {"total", Total_Json(l.Total)}});
  }
  const auto serie = [&](auto valeur) {
    auto s = nlohmann::ordered_json::array();
    for (const recap::TResume& r : c.Resumes) s.push_back(valeur(r));
    return s;
  };
  d["bulletins"] = serie([](const recap::TResume& r) { return nlohmann::ordered_json(r.Bulletins); });
  d["gains"] = serie([](const recap::TResume& r) { return Montant_Json(r.Gains); });
  d["retenues"] = serie([](const recap::TResume& r) { return Montant_Json(r.Retenues); });
  d["net"] = serie([](const recap::TResume& r) { return Montant_Json(r.Net()); });
  d["total_bulletins"] = c.Resume.Bulletins;
  d["total_gains"] = Montant_Json(c.Resume.Gains);
  d["total_retenues"] = Montant_Json(c.Resume.Retenues);
  d["total_net"] = Montant_Json(c.Resume.Net());
  d["avertissements"] = c.Avertissements;
  return Texte_Json(d);
}

}  // namespace

int Executer_Cumuls(const TDemande_Cumuls& Demande) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto cumuls = recap::Cumuler(Demande.Dossier, Demande.Periode, message);
    if (!cumuls) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? Json_Cumuls(*cumuls) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Cumuls(*cumuls), json, Demande.Fichier), cumuls->Avertissements};
  });
}

}  // namespace cli
