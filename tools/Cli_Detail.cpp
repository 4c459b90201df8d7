#include "Cli_Detail.h"

#include "platform/Fichiers.h"
#include "recap/Classeur.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "Execution_Cli.h"
#include "KORVEX_procs.h"
#include "platform/Textes.h"
#include "recap/Detail.h"
#include "recap/Export.h"
#include "recap/Tableau.h"

namespace cli {

namespace {

// A cell on one line of tab-separated cells: a tab or a line break would break the layout.
std::string Cellule_Tabulee(const std::string& texte) {
  std::string sortie;
  for (size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') continue;  // one break, one space
    sortie += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
  }
  return sortie;
}

// Quoted only when it holds the separator, a quote or a line break.
std::string Cellule_Csv(const std::string& texte) {
  if (texte.find_first_of(";\"\r\n") == std::string::npos) return texte;
  std::string sortie = "\"";
  for (char c : texte) sortie += c == '"' ? std::string("\"\"") : std::string(1, c);
  return sortie + "\"";
}

// The table as the recap's text is written: the header row then every row, each text cell
// protected from running as a formula in a spreadsheet.
std::string Texte_Tableau(const recap::TTableau& t, bool csv) {
  std::string texte;
  for (int r = 0; r < t.Nombre_Rangees(); ++r) {
    for (int c = 0; c < t.Nombre_Colonnes(); ++c) {
      if (c > 0) texte += csv ? ';' : '\t';
      const recap::TCellule* cellule = t.Cellule(c, r);
      const bool protegee = cellule != nullptr && cellule->Genre == recap::TGenre_Cellule::Texte;
      const std::string contenu = protegee ? recap::Protege_Formule(t.Texte(c, r)) : t.Texte(c, r);
      texte += csv ? Cellule_Csv(contenu) : Cellule_Tabulee(contenu);
    }
    texte += '\n';
  }
  return texte;
}

// The figure the table shows, as a JSON number; a whole one stays whole (3450, not 3450.0).
nlohmann::ordered_json Nombre_Json(long double montant) {
  const double valeur = recap::Valeur_Affichee(recap::Cellule_Montant(montant));
  if (valeur == std::trunc(valeur) && std::fabs(valeur) < 0x1p53) return static_cast<int64_t>(valeur);
  return valeur;
}

std::string Json_Detail(const recap::TDetail& detail) {
  nlohmann::ordered_json document;
  document["dossier"] = detail.Dossier;
  document["mois"] = detail.Mois;
  if (detail.Periode) document["mois_fin"] = recap::Texte_Mois(detail.Periode->Fin);
  document["rubrique"] = detail.Rubrique;
  document["libelle"] = detail.Libelle;
  document["colonne"] = textes::Entetes_Grille[detail.Colonne];
  document["total"] = Nombre_Json(detail.Total);
  document["bulletins"] = nlohmann::ordered_json::array();
  for (const auto& b : detail.Bulletins) {
    nlohmann::ordered_json champs = nlohmann::ordered_json::object();
    for (const auto& [nom, valeur] : b.Champs) champs[nom] = valeur;
    document["bulletins"].push_back({{"enregistrement", b.Enregistrement}, {"champs", champs}, {"montant", Nombre_Json(b.Montant)}});
  }
  document["avertissements"] = detail.Avertissements;
  // A field that is not UTF-8 must not cost the whole document.
  return document.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string Texte_Detail(const recap::TDetail& detail, TFormat_Detail format) {
  if (format == TFormat_Detail::Json) return Json_Detail(detail);
  return Texte_Tableau(recap::Tableau_Detail(detail), format == TFormat_Detail::Csv);
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
    if (Demande.Format != TFormat_Detail::Classeur)
      return TResultat{Texte_Detail(*detail, Demande.Format), detail->Avertissements};
    plateforme::Enregistrer_Fichier(Demande.Fichier, recap::Contenu_Classeur(recap::Tableau_Detail(*detail)));
    return TResultat{"", detail->Avertissements};
  });
}

}  // namespace cli
