#include "recap/Export.h"
#include "recap/Tableau.h"

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

constexpr int Colonne_Libelles = 1;  // the grid's one column of text; the others are numbers

std::string Ligne(const TGrille& grille, int rangee, int de, int a, TFormat_Texte format,
                  std::string_view fin_ligne) {
  const bool csv = format == TFormat_Texte::Csv;
  std::string ligne;
  for (int c = de; c <= a; ++c) {
    if (c > de) ligne += csv ? ';' : '\t';
    const bool texte = c == Colonne_Libelles && rangee > 0;
    const std::string cellule = texte ? Protege_Formule(grille.Cells(c, rangee)) : grille.Cells(c, rangee);
    ligne += csv ? Cellule_Csv(cellule) : Cellule_Tabulee(cellule);
  }
  return ligne.append(fin_ligne);
}

bool Couvre(const TZone& zone, const TZone& autre) {
  return zone.Gauche <= autre.Gauche && zone.Haut <= autre.Haut && zone.Droite >= autre.Droite &&
         zone.Bas >= autre.Bas;
}

}  // namespace

std::string Texte_Grille(const TGrille& grille, TFormat_Texte format, std::string_view fin_ligne) {
  const int derniere = TGrille::ColCount - 1;
  std::string texte = Ligne(grille, 0, 0, derniere, format, fin_ligne);
  for (int r = 1; r < grille.RowCount(); ++r) {
    if (!grille.Cells(0, r).empty()) texte += Ligne(grille, r, 0, derniere, format, fin_ligne);
  }
  return texte;
}

TZone Zone_Donnees(const TGrille& grille) { return {1, 1, TGrille::ColCount - 1, grille.RowCount() - 1}; }

bool Copie_Possible(const TGrille& grille) { return !grille.Cells(0, 0).empty(); }

std::string Texte_Copie(const TGrille& grille, const TZone& zone, std::string_view fin_ligne) {
  if (!Copie_Possible(grille)) return {};
  const TZone donnees = Zone_Donnees(grille);
  if (Couvre(zone, donnees)) return Texte_Grille(grille, TFormat_Texte::Tabulations, fin_ligne);
  const TZone z{std::max(zone.Gauche, donnees.Gauche), std::max(zone.Haut, donnees.Haut),
                std::min(zone.Droite, donnees.Droite), std::min(zone.Bas, donnees.Bas)};
  std::string texte;
  for (int r = z.Haut; r <= z.Bas; ++r) texte += Ligne(grille, r, z.Gauche, z.Droite, TFormat_Texte::Tabulations, fin_ligne);
  return z.Gauche <= z.Droite ? texte : std::string();
}

std::string Contenu_Csv(const TGrille& grille) {
  return "\xEF\xBB\xBF" + Texte_Grille(grille, TFormat_Texte::Csv, "\r\n");
}

std::string Nom_Fichier_Recap(const std::string& mois, std::string_view extension) {
  return Nom_Fichier_Sur(textes::Prefixe_Fichier_Recap + mois).append(extension);
}

std::string Chemin_Recap_Propose(const std::string& dossier, const std::string& mois, std::string_view extension) {
#ifdef _WIN32
  constexpr char separateur = '\\';
#else
  constexpr char separateur = '/';
#endif
  if (dossier.empty()) return Nom_Fichier_Recap(mois, extension);
  std::string chemin = dossier;
  if (chemin.back() != separateur) chemin += separateur;
  return chemin + Nom_Fichier_Recap(mois, extension);
}

std::string Protege_Formule(const std::string& texte) {
  if (!texte.empty() && std::string_view("=+-@\t\r").find(texte.front()) != std::string_view::npos) return "'" + texte;
  return texte;
}

void Exporter_Csv(const TGrille& grille, const TDernier_Calcul& dernier, const TDemander_Chemin& Demander) {
  if (!Grille_A_Jour(dernier) || !Copie_Possible(grille)) return;
  const std::string& mois = dernier.Calcul->Mois;
  const auto chemin = Demander({textes::Titre_Export_Csv, Chemin_Recap_Propose(plateforme::Dossier_Documents(), mois, ".csv"),
                                {textes::Type_Fichiers_Csv, textes::Type_Tous_Fichiers}});
  if (chemin) plateforme::Enregistrer_Fichier(*chemin, Contenu_Csv(grille));
}

}  // namespace recap
