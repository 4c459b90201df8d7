#include "recap/Json.h"

#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "platform/Textes.h"

namespace recap {

namespace {

using TJson = nlohmann::ordered_json;

// A figure as a JSON number; a whole one stays whole (2250, not 2250.0).
TJson Nombre_Json(double valeur) {
  if (valeur == std::trunc(valeur) && std::fabs(valeur) < 0x1p53) return static_cast<int64_t>(valeur);
  return valeur;
}

// An extended total as the grid shows it: its 15 significant digits.
TJson Montant_Json(long double total) { return Nombre_Json(Valeur_Affichee(Cellule_Montant(total))); }
TJson Montant_Json(TSomme_Exacte dix_milliemes) { return Montant_Json(plateforme::Montant_Exact(dix_milliemes)); }

TJson Texte_Json_Avertissements(const TAvertissements& avertissements) {
  return TJson(static_cast<const std::vector<std::string>&>(avertissements));
}

TJson Identite_Json(const TChamps_Bulletin& champs) {
  TJson identite = TJson::object();
  for (const auto& [nom, valeur] : champs) identite[nom] = valeur;
  return identite;
}

std::string Texte_Json(const TJson& document) {
  return document.dump(2, ' ', false, TJson::error_handler_t::replace) + "\n";
}

// The table's rows that hold a rubric and its total, each as the grid shows it: the amount's
// column named by its header.
TJson Lignes_Recap_Json(const TTableau& tableau) {
  auto lignes = TJson::array();
  for (int r = 1; r < tableau.Nombre_Rangees(); ++r) {
    const TCellule* rubrique = tableau.Cellule(0, r);
    if (rubrique == nullptr || rubrique->Genre != TGenre_Cellule::Entier) continue;
    for (int c = 2; c < tableau.Nombre_Colonnes(); ++c) {
      const TCellule* total = tableau.Cellule(c, r);
      if (total == nullptr || total->Genre != TGenre_Cellule::Montant || total->Vide()) continue;
      lignes.push_back({{"rubrique", static_cast<int>(rubrique->Valeur)},
                        {"libelle", tableau.Texte(1, r)},
                        {"colonne", tableau.Texte(c, 0)},
                        {"total", Nombre_Json(Valeur_Affichee(*total))}});
      break;
    }
  }
  return lignes;
}

TJson Ligne_Comparaison_Json(const TLigne_Comparaison& l, const TSeuil& seuil) {
  TJson ligne = {{"rubrique", l.Rubrique},
                 {"libelle", l.Libelle},
                 {"colonne", textes::Entetes_Grille[l.Colonne]},
                 {"total", Montant_Json(l.Total)},
                 {"total_reference", Montant_Json(l.Total_Reference)},
                 {"ecart", Montant_Json(l.Ecart)}};
  const TCellule variation = l.Variation(seuil);
  ligne["ecart_pourcent"] = variation.Vide() ? TJson() : Nombre_Json(Valeur_Affichee(variation));
  ligne["a_verifier"] = l.Verification != TVerification::Aucune;
  return ligne;
}

// A month's total as the cumuls give it: 0 where that month's recap has no row.
TJson Total_Cumuls_Json(const std::optional<long double>& total) { return total ? Montant_Json(*total) : TJson(0); }

}  // namespace

std::string Json_Recap(const TCalcul& Calcul, const TTableau& Tableau) {
  TJson document;
  document["dossier"] = Calcul.Dossier;
  document["mois"] = Calcul.Mois;
  if (!Calcul.Mois_Fin.empty()) document["mois_fin"] = Calcul.Mois_Fin;
  document["bulletins"] = Calcul.Resume.Bulletins;
  document["lignes"] = Lignes_Recap_Json(Tableau);
  document["gains"] = Montant_Json(Calcul.Resume.Gains);
  document["retenues"] = Montant_Json(Calcul.Resume.Retenues);
  document["net"] = Montant_Json(Calcul.Resume.Net());
  document["avertissements"] = Texte_Json_Avertissements(Calcul.Avertissements);
  return Texte_Json(document);
}

std::string Json_Comparaison(const TComparaison& c) {
  TJson d;
  d["dossier"] = c.Dossier;
  d["mois"] = c.Mois.Debut;
  if (!c.Mois.Fin.empty()) d["mois_fin"] = c.Mois.Fin;
  d["mois_reference"] = c.Reference.Debut;
  if (!c.Reference.Fin.empty()) d["mois_reference_fin"] = c.Reference.Fin;
  d["seuil"] = Nombre_Json(Valeur_Seuil(c.Seuil));
  d["bulletins"] = c.Resume.Bulletins;
  d["bulletins_reference"] = c.Resume_Reference.Bulletins;
  d["lignes"] = TJson::array();
  for (const auto& l : c.Lignes) d["lignes"].push_back(Ligne_Comparaison_Json(l, c.Seuil));
  d["gains"] = Montant_Json(c.Resume.Gains);
  d["gains_reference"] = Montant_Json(c.Resume_Reference.Gains);
  d["retenues"] = Montant_Json(c.Resume.Retenues);
  d["retenues_reference"] = Montant_Json(c.Resume_Reference.Retenues);
  d["net"] = Montant_Json(c.Resume.Net());
  d["net_reference"] = Montant_Json(c.Resume_Reference.Net());
  d["avertissements"] = Texte_Json_Avertissements(c.Avertissements);
  return Texte_Json(d);
}

std::string Json_Cumuls(const TCumuls& c) {
  TJson d;
  d["dossier"] = c.Dossier;
  d["mois_debut"] = c.Mois.front();
  d["mois_fin"] = c.Mois.back();
  d["mois"] = c.Mois;
  d["lignes"] = TJson::array();
  for (const TLigne_Cumuls& l : c.Lignes) {
    auto totaux = TJson::array();
    for (const auto& t : l.Totaux) totaux.push_back(Total_Cumuls_Json(t));
    d["lignes"].push_back({{"rubrique", l.Rubrique},
                           {"libelle", l.Libelle},
                           {"colonne", textes::Entetes_Grille[l.Colonne]},
                           {"totaux", totaux},
                           {"total", Total_Cumuls_Json(l.Total)}});
  }
  const auto serie = [&](auto valeur) {
    auto s = TJson::array();
    for (const TResume& r : c.Resumes) s.push_back(valeur(r));
    return s;
  };
  d["bulletins"] = serie([](const TResume& r) { return TJson(r.Bulletins); });
  d["gains"] = serie([](const TResume& r) { return Montant_Json(r.Gains); });
  d["retenues"] = serie([](const TResume& r) { return Montant_Json(r.Retenues); });
  d["net"] = serie([](const TResume& r) { return Montant_Json(r.Net()); });
  d["total_bulletins"] = c.Resume.Bulletins;
  d["total_gains"] = Montant_Json(c.Resume.Gains);
  d["total_retenues"] = Montant_Json(c.Resume.Retenues);
  d["total_net"] = Montant_Json(c.Resume.Net());
  d["avertissements"] = Texte_Json_Avertissements(c.Avertissements);
  return Texte_Json(d);
}

std::string Json_Detail(const TDetail& detail) {
  TJson document;
  document["dossier"] = detail.Dossier;
  document["mois"] = detail.Mois;
  if (detail.Periode) document["mois_fin"] = Texte_Mois(detail.Periode->Fin);
  document["rubrique"] = detail.Rubrique;
  document["libelle"] = detail.Libelle;
  document["colonne"] = textes::Entetes_Grille[detail.Colonne];
  document["total"] = Montant_Json(detail.Total);
  document["bulletins"] = TJson::array();
  for (const auto& b : detail.Bulletins)
    document["bulletins"].push_back(
        {{"enregistrement", b.Enregistrement}, {"champs", Identite_Json(b.Champs)}, {"montant", Montant_Json(b.Montant)}});
  document["avertissements"] = Texte_Json_Avertissements(detail.Avertissements);
  return Texte_Json(document);
}

std::string Json_Controles(const TControles& c) {
  TJson d;
  d["dossier"] = c.Dossier;
  d["mois"] = c.Mois;
  d["mois_reference"] = c.Reference;
  d["seuil"] = Nombre_Json(Valeur_Seuil(c.Seuil));
  d["constats"] = TJson::array();
  for (const TConstat& k : c.Constats)
    d["constats"].push_back({{"controle", Code_Controle(k.Controle)},
                             {"niveau", Nom_Niveau(k.Niveau)},
                             {"enregistrement", k.Enregistrement != 0 ? TJson(k.Enregistrement) : TJson()},
                             {"identite", Identite_Json(k.Identite)},
                             {"texte", k.Texte},
                             {"montant", k.Montant ? Montant_Json(*k.Montant) : TJson()}});
  d["anomalies"] = c.Anomalies;
  d["a_verifier"] = c.A_Verifier;
  d["non_verifiables"] = c.Non_Verifiables;
  d["avertissements"] = Texte_Json_Avertissements(c.Avertissements);
  return Texte_Json(d);
}

std::string Json_Bulletin(const TVue_Bulletin& v) {
  TJson d;
  d["dossier"] = v.Dossier;
  d["enregistrement"] = v.Paie.Enregistrement;
  d["mois"] = v.Mois;
  d["identite"] = Identite_Json(v.Paie.Champs);
  d["lignes"] = TJson::array();
  for (const TLigne_Bulletin& l : v.Lignes)
    d["lignes"].push_back({{"rubrique", l.Rubrique},
                           {"libelle", l.Libelle},
                           {"colonne", textes::Entetes_Grille[l.Colonne]},
                           {"montant", Montant_Json(l.Montant)}});
  // A payslip damage left out has no known amount: null, never 0.
  d["gains"] = v.Non_Compte ? TJson() : Montant_Json(v.Montants.Gains);
  d["retenues"] = v.Non_Compte ? TJson() : Montant_Json(v.Montants.Retenues);
  d["net"] = v.Non_Compte ? TJson() : Montant_Json(v.Montants.Net());
  d["avertissements"] = Texte_Json_Avertissements(v.Avertissements);
  return Texte_Json(d);
}

std::string Json_Ecarts(const TEcarts& e) {
  TJson d;
  d["dossier"] = e.Dossier;
  d["mois"] = e.Mois;
  d["mois_reference"] = e.Reference;
  d["rubrique"] = e.Rubrique;
  d["libelle"] = e.Libelle;
  d["lignes"] = TJson::array();
  for (const TLigne_Ecart& l : e.Lignes)
    d["lignes"].push_back({{"enregistrement", l.Enregistrement},
                           {"identite", Identite_Json(l.Identite)},
                           {"reference", Montant_Json(l.Compte_Reference)},
                           {"mois", Montant_Json(l.Compte_Mois)},
                           {"ecart", Montant_Json(l.Compte_Mois - l.Compte_Reference)}});
  d["total_reference"] = Montant_Json(e.Total_Reference);
  d["total"] = Montant_Json(e.Total);
  d["ecart"] = Montant_Json(e.Total - e.Total_Reference);
  d["avertissements"] = Texte_Json_Avertissements(e.Avertissements);
  return Texte_Json(d);
}

}  // namespace recap
