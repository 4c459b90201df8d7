#include "Cli_Controles.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "Execution_Cli.h"
#include "Json_Cli.h"
#include "platform/Textes.h"
#include "recap/Vues_Salaries.h"

namespace cli {

namespace {

nlohmann::ordered_json Identite_Json(const recap::TChamps_Bulletin& champs) {
  nlohmann::ordered_json identite = nlohmann::ordered_json::object();
  for (const auto& [nom, valeur] : champs) identite[nom] = valeur;
  return identite;
}

std::string Json_Controles(const recap::TControles& c) {
  nlohmann::ordered_json d;
  d["dossier"] = c.Dossier;
  d["mois"] = c.Mois;
  d["mois_reference"] = c.Reference;
  d["seuil"] = Nombre_Json(c.Seuil);
  d["constats"] = nlohmann::ordered_json::array();
  for (const recap::TConstat& k : c.Constats)
    d["constats"].push_back({{"controle", recap::Code_Controle(k.Controle)},
                             {"niveau", recap::Nom_Niveau(k.Niveau)},
                             {"enregistrement", k.Enregistrement},
                             {"identite", Identite_Json(k.Identite)},
                             {"texte", k.Texte},
                             {"montant", k.Montant ? Montant_Json(*k.Montant) : nlohmann::ordered_json()}});
  d["anomalies"] = c.Anomalies;
  d["a_verifier"] = c.A_Verifier;
  d["avertissements"] = c.Avertissements;
  return Texte_Json(d);
}

std::string Json_Bulletin(const recap::TVue_Bulletin& v) {
  nlohmann::ordered_json d;
  d["dossier"] = v.Dossier;
  d["enregistrement"] = v.Paie.Enregistrement;
  d["mois"] = v.Mois;
  d["identite"] = Identite_Json(v.Paie.Champs);
  d["lignes"] = nlohmann::ordered_json::array();
  for (const recap::TLigne_Bulletin& l : v.Lignes)
    d["lignes"].push_back({{"rubrique", l.Rubrique},
                           {"libelle", l.Libelle},
                           {"colonne", textes::Entetes_Grille[l.Colonne]},
                           {"montant", Montant_Json(l.Montant)}});
  d["gains"] = Montant_Json(Montant_De(v.Montants.Gains));
  d["retenues"] = Montant_Json(Montant_De(v.Montants.Retenues));
  d["net"] = Montant_Json(Montant_De(v.Montants.Net()));
  d["avertissements"] = v.Avertissements;
  return Texte_Json(d);
}

std::string Json_Ecarts(const recap::TEcarts& e) {
  nlohmann::ordered_json d;
  d["dossier"] = e.Dossier;
  d["mois"] = e.Mois;
  d["mois_reference"] = e.Reference;
  d["rubrique"] = e.Rubrique;
  d["libelle"] = e.Libelle;
  d["lignes"] = nlohmann::ordered_json::array();
  for (const recap::TLigne_Ecart& l : e.Lignes)
    d["lignes"].push_back({{"enregistrement", l.Enregistrement},
                           {"identite", Identite_Json(l.Identite)},
                           {"reference", Montant_Json(Montant_De(l.Compte_Reference))},
                           {"mois", Montant_Json(Montant_De(l.Compte_Mois))},
                           {"ecart", Montant_Json(Montant_De(l.Compte_Mois - l.Compte_Reference))}});
  d["total_reference"] = Montant_Json(e.Total_Reference);
  d["total"] = Montant_Json(e.Total);
  d["ecart"] = Montant_Json(e.Total - e.Total_Reference);
  d["avertissements"] = e.Avertissements;
  return Texte_Json(d);
}

}  // namespace

int Executer_Controles(const TDemande_Personnes& Demande, const recap::TDemande_Controles& Controles) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto c = recap::Controler(Controles, message);
    if (!c) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? Json_Controles(*c) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Controles(*c), json, Demande.Fichier), c->Avertissements, c->Anomalies > 0};
  });
}

int Executer_Bulletin(const TDemande_Personnes& Demande, int64_t Enregistrement) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto v = recap::Lire_Bulletin(Demande.Dossier, Enregistrement, message);
    if (!v) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? Json_Bulletin(*v) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Bulletin(*v), json, Demande.Fichier), v->Avertissements};
  });
}

int Executer_Ecarts(const TDemande_Personnes& Demande, const std::string& Mois, const std::string& Reference, int Rubrique) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto e = recap::Ecarts_Par_Salarie(Demande.Dossier, Mois, Reference, Rubrique, message);
    if (!e) return std::nullopt;
    const std::string json = Demande.Format == TFormat_Tableau::Json ? Json_Ecarts(*e) : "";
    return TResultat{Sortie_Tableau(Demande.Format, recap::Tableau_Ecarts(*e), json, Demande.Fichier), e->Avertissements};
  });
}

std::optional<int64_t> Lire_Enregistrement(const std::string& texte) {
  int64_t n = 0;
  const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), n);
  if (erreur != std::errc() || fin != texte.data() + texte.size() || n < 1) return std::nullopt;
  return n;
}

}  // namespace cli
