#include "recap/Export.h"

#include <algorithm>

#include "platform/Fichiers.h"
#include "platform/Textes.h"

namespace recap {

namespace {

// One line per row: a tab or a line break inside a text would break the layout.
std::string Cellule_Tabulee(const std::string& texte) {
  std::string sortie;
  sortie.reserve(texte.size());
  for (size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') continue;  // one break, one space
    sortie += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
  }
  return sortie;
}

std::string Cellule_Csv(const std::string& texte) {
  if (texte.find_first_of(";\"\r\n") == std::string::npos) return texte;
  std::string sortie = "\"";
  for (char c : texte) {
    if (c == '"') sortie += '"';
    sortie += c;
  }
  return sortie + "\"";
}

// A cell as other programs get it: texts protected, numbers as the grid shows them.
std::string Texte_Exporte(const TTableau& tableau, int colonne, int rangee) {
  const TCellule* c = tableau.Cellule(colonne, rangee);
  if (c != nullptr && c->Genre == TGenre_Cellule::Texte) return Protege_Formule(c->Texte);
  return tableau.Texte(colonne, rangee);
}

std::string Ligne(const TTableau& tableau, int rangee, int de, int a, TFormat_Texte format,
                  std::string_view fin_ligne) {
  const bool csv = format == TFormat_Texte::Csv;
  std::string ligne;
  for (int c = de; c <= a; ++c) {
    if (c > de) ligne += csv ? ';' : '\t';
    const std::string cellule = Texte_Exporte(tableau, c, rangee);
    ligne += csv ? Cellule_Csv(cellule) : Cellule_Tabulee(cellule);
  }
  return ligne.append(fin_ligne);
}

bool Ligne_Vide(const TLigne_Tableau& ligne) {
  return std::all_of(ligne.Cellules.begin(), ligne.Cellules.end(), [](const TCellule& c) { return c.Vide(); });
}

bool Couvre(const TZone& zone, const TZone& autre) {
  return zone.Gauche <= autre.Gauche && zone.Haut <= autre.Haut && zone.Droite >= autre.Droite &&
         zone.Bas >= autre.Bas;
}

}  // namespace

std::string Texte_Tableau(const TTableau& tableau, TFormat_Texte format, std::string_view fin_ligne) {
  const int derniere = tableau.Nombre_Colonnes() - 1;
  std::string texte = Ligne(tableau, 0, 0, derniere, format, fin_ligne);
  for (int r = 1; r < tableau.Nombre_Rangees(); ++r) {
    if (!Ligne_Vide(tableau.Lignes[static_cast<size_t>(r - 1)])) texte += Ligne(tableau, r, 0, derniere, format, fin_ligne);
  }
  return texte;
}

TZone Zone_Donnees(const TTableau& tableau) {
  return {1, 1, tableau.Nombre_Colonnes() - 1, tableau.Nombre_Rangees() - 1};
}

bool Copie_Possible(const TTableau& tableau) {
  return std::any_of(tableau.Colonnes.begin(), tableau.Colonnes.end(),
                     [](const TColonne& c) { return !c.Entete.empty(); });
}

std::string Texte_Copie(const TTableau& tableau, const TZone& zone, std::string_view fin_ligne) {
  if (!Copie_Possible(tableau)) return {};
  const TZone donnees = Zone_Donnees(tableau);
  if (Couvre(zone, donnees)) return Texte_Tableau(tableau, TFormat_Texte::Tabulations, fin_ligne);
  const TZone z{std::max(zone.Gauche, donnees.Gauche), std::max(zone.Haut, donnees.Haut),
                std::min(zone.Droite, donnees.Droite), std::min(zone.Bas, donnees.Bas)};
  std::string texte;
  for (int r = z.Haut; r <= z.Bas; ++r) texte += Ligne(tableau, r, z.Gauche, z.Droite, TFormat_Texte::Tabulations, fin_ligne);
  return z.Gauche <= z.Droite ? texte : std::string();
}

std::string Contenu_Csv(const TTableau& tableau) {
  return "\xEF\xBB\xBF" + Texte_Tableau(tableau, TFormat_Texte::Csv, "\r\n");
}

std::string Protege_Formule(const std::string& texte) {
  if (!texte.empty() && std::string_view("=+-@\t\r").find(texte.front()) != std::string_view::npos) return "'" + texte;
  return texte;
}

TDemande_Enregistrement Demande_Enregistrement(const TTableau& tableau, TFormat_Fichier format) {
  struct TGenre { const char* nom; const char* type; const char* extension; };
  static constexpr TGenre genres[] = {{"CSV", textes::Type_Fichiers_Csv, "csv"},
                                      {"PDF", textes::Type_Fichiers_Pdf, "pdf"},
                                      {"Excel", textes::Type_Fichiers_Excel, "xlsx"}};
  const TGenre& g = genres[static_cast<size_t>(format)];
  return {textes::Titre_Export(tableau.Designation, g.nom),
          plateforme::Chemin_Dans(plateforme::Dossier_Documents(), tableau.Nom_Fichier + "." + g.extension,
                                  plateforme::Separateur_Natif),
          {g.type, textes::Type_Tous_Fichiers}, g.extension};
}

void Exporter_Csv(const TTableau& tableau, const TDemander_Chemin& Demander) {
  const auto chemin = Demander(Demande_Enregistrement(tableau, TFormat_Fichier::Csv));
  if (chemin) plateforme::Enregistrer_Fichier(*chemin, Contenu_Csv(tableau));
}

}  // namespace recap
