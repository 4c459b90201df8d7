#include "Cli_Comparaison.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string_view>

#include "Execution_Cli.h"
#include "platform/Fichiers.h"
#include "recap/Classeur.h"
#include "platform/Console.h"
#include "platform/Erreurs.h"
#include "platform/Textes.h"
#include "recap/Export.h"

namespace cli {

namespace {

using recap::TCellule;
using recap::TTableau;

// ---- The table as text ----

// One line per row: a tab or a line break inside a text would break the layout.
std::string Cellule_Tabulee(std::string_view texte) {
  std::string sortie;
  for (size_t i = 0; i < texte.size(); ++i) {
    if (texte[i] == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') continue;  // one break, one space
    sortie += texte[i] == '\t' || texte[i] == '\r' || texte[i] == '\n' ? ' ' : texte[i];
  }
  return sortie;
}

std::string Cellule_Csv(const std::string& texte) {
  if (texte.find_first_of(";\"\r\n") == std::string::npos) return texte;
  std::string sortie = "\"";
  for (char c : texte) sortie += c == '"' ? std::string("\"\"") : std::string(1, c);
  return sortie + "\"";
}

std::string Ligne_Texte(const std::vector<std::string>& cellules, bool csv) {
  std::string ligne;
  for (size_t c = 0; c < cellules.size(); ++c) {
    if (c > 0) ligne += csv ? ';' : '\t';
    ligne += csv ? Cellule_Csv(cellules[c]) : Cellule_Tabulee(cellules[c]);
  }
  return ligne + "\n";
}

// The header row, then one line per row; a text cell protected from running as a formula.
std::string Texte_Tableau(const TTableau& tableau, bool csv) {
  std::vector<std::string> cellules;
  for (const auto& colonne : tableau.Colonnes) cellules.push_back(colonne.Entete);
  std::string texte = Ligne_Texte(cellules, csv);
  for (const auto& ligne : tableau.Lignes) {
    cellules.clear();
    for (const TCellule& c : ligne.Cellules)
      cellules.push_back(c.Genre == recap::TGenre_Cellule::Texte ? recap::Protege_Formule(c.Texte) : c.Texte);
    texte += Ligne_Texte(cellules, csv);
  }
  return texte;
}

// ---- JSON ----

// The grid's figure as a JSON number; a whole one stays whole (2250, not 2250.0).
nlohmann::ordered_json Nombre_Json(double valeur) {
  if (valeur == std::trunc(valeur) && std::fabs(valeur) < 0x1p53) return static_cast<int64_t>(valeur);
  return valeur;
}

nlohmann::ordered_json Montant_Json(long double total) {
  return Nombre_Json(recap::Valeur_Affichee(recap::Cellule_Montant(total)));
}

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
  // A label that is not UTF-8 must not cost the whole document.
  return d.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string Texte_Comparaison(const recap::TComparaison& c, TForme_Comparaison forme) {
  if (forme == TForme_Comparaison::Json) return Json_Comparaison(c);
  return Texte_Tableau(recap::Tableau_Comparaison(c), forme == TForme_Comparaison::Csv);
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

int Comparer_En_Ligne(const recap::TDemande_Comparaison& demande, TForme_Comparaison forme, const std::string& fichier) {
  return Executer_Calcul([&](const recap::TAfficherMessage& message) -> std::optional<TResultat> {
    const auto comparaison = recap::Comparer(demande, message);
    if (!comparaison) return std::nullopt;
    if (forme != TForme_Comparaison::Classeur)
      return TResultat{Texte_Comparaison(*comparaison, forme), comparaison->Avertissements};
    plateforme::Enregistrer_Fichier(fichier, recap::Contenu_Classeur(recap::Tableau_Comparaison(*comparaison)));
    return TResultat{"", comparaison->Avertissements};
  });
}

}  // namespace cli
