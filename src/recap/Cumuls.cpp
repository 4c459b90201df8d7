#include "recap/Cumuls.h"

#include <cmath>

#include "platform/Format_Nombres.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Rubriques.h"

namespace recap {

namespace {

bool A_Une_Ligne(long double total) { return std::fabs(total) > Seuil_Negligeable; }

std::optional<long double> Si_Ligne(long double total) {
  return A_Une_Ligne(total) ? std::optional<long double>(total) : std::nullopt;
}

// A summary from the rows one recap shows: those where its total has a row.
TResume Resume_De(int bulletins, const std::vector<TLigne_Cumuls>& lignes, const TTAB_VALEURS& totaux) {
  std::vector<TLigne_Recap> siennes;
  for (const auto& l : lignes)
    if (A_Une_Ligne(totaux[l.Rubrique])) siennes.push_back({l.Rubrique, l.Libelle, l.Colonne, totaux[l.Rubrique]});
  return Resumer(bulletins, siennes);
}

TCellule Cellule_Total(const std::optional<long double>& total) {
  return total ? Cellule_Montant(*total) : TCellule{TGenre_Cellule::Montant, "", 0};
}

}  // namespace

TPeriode_Lue Lire_Periode_Cumuls(const std::string& Du, const std::string& Au) {
  const auto du = Rang_Mois(Sans_Blancs(Du)), au = Rang_Mois(Sans_Blancs(Au));
  if (!du || !au) return {std::nullopt, textes::Cumuls_Mois_Incorrects};
  if (*au < *du) return {std::nullopt, textes::Cumuls_Ordre};
  if (*au - *du + 1 > Mois_Cumuls_Max) return {std::nullopt, textes::Cumuls_Trop_Long(Mois_Cumuls_Max)};
  return {TPeriode{*du, *au}, ""};
}

std::optional<TCumuls> Cumuler(const std::string& Chemin, const TPeriode& Periode, const TAfficherMessage& Message) {
  const int n = Periode.Fin - Periode.Debut + 1;
  TCumuls c;
  c.Dossier = Chemin;
  c.Periode = Periode;
  c.Totaux_Mois.resize(static_cast<size_t>(n));
  // Each payslip of month k goes into that month's totals and the period's, in the table's order.
  TTotaux_Choix totaux;
  for (int k = 0; k < n; ++k) {
    c.Mois.push_back(Texte_Mois(Periode.Debut + k));
    totaux.push_back({&c.Totaux_Mois[static_cast<size_t>(k)], &c.Totaux_Periode});
  }
  const auto choix = [&Periode](std::string_view debut_mois) -> std::optional<int> {
    const auto rang = Rang_Mois(debut_mois);
    if (!rang || *rang < Periode.Debut || *rang > Periode.Fin) return std::nullopt;
    return *rang - Periode.Debut;
  };
  auto totalisation = Totaliser_Bulletins(Chemin, choix, totaux, Message);
  if (!totalisation) return std::nullopt;
  TRubriques rubriques(Chemin);
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) {
    TLigne_Cumuls l;
    l.Rubrique = i;
    bool ligne = A_Une_Ligne(c.Totaux_Periode[i]);
    for (const TTAB_VALEURS& m : c.Totaux_Mois) {
      l.Totaux.push_back(Si_Ligne(m[i]));
      ligne = ligne || l.Totaux.back();
    }
    if (!ligne) continue;
    l.Total = Si_Ligne(c.Totaux_Periode[i]);
    if (rubriques.Aller(i)) {
      l.Libelle = rubriques.Libelle();
      l.Colonne = rubriques.Colonne();
    }
    c.Lignes.push_back(std::move(l));
  }
  int bulletins = 0;
  for (int k = 0; k < n; ++k) {
    const int b = totalisation->Bulletins[static_cast<size_t>(k)];
    bulletins += b;
    c.Resumes.push_back(Resume_De(b, c.Lignes, c.Totaux_Mois[static_cast<size_t>(k)]));
  }
  c.Resume = Resume_De(bulletins, c.Lignes, c.Totaux_Periode);
  c.Avertissements = std::move(totalisation->Avertissements);
  c.Date_Heure = std::time(nullptr);
  return c;
}

std::vector<std::string> Lignes_Resume_Cumuls(const TCumuls& Cumuls) {
  const auto trois = Lignes_Resume(Cumuls.Resume, plateforme::DecimalSeparator());
  std::vector<std::string> lignes(trois.begin(), trois.end());
  // A month none of whose payslips was read is not a month without any.
  std::vector<std::string> vides, non_lus;
  for (size_t k = 0; k < Cumuls.Mois.size(); ++k)
    if (Cumuls.Resumes[k].Bulletins == 0)
      (Mois_Incertain(Cumuls.Avertissements, Cumuls.Mois[k]) ? non_lus : vides).push_back(Cumuls.Mois[k]);
  if (!vides.empty()) lignes.push_back(textes::Mois_Sans_Bulletin(textes::Liste_Et(vides)));
  if (!non_lus.empty()) lignes.push_back(textes::Mois_Non_Lus(textes::Liste_Et(non_lus)));
  return lignes;
}

TTableau Tableau_Cumuls(const TCumuls& Cumuls) {
  const std::string du = Cumuls.Mois.front(), au = Cumuls.Mois.back();
  const int n = static_cast<int>(Cumuls.Mois.size());
  TTableau t;
  t.Designation = textes::Designation_Cumuls;
  t.Nom_Rangee = textes::Nom_Rangee_Rubrique;
  t.Colonnes_Nom = 2;
  t.Colonnes_Fixes = 3;
  t.Titre = textes::Titre_Cumuls(du, au);
  t.Nom_Feuille = textes::Nom_Feuille_Cumuls;
  t.Nom_Fichier = Nom_Fichier_Sur(textes::Prefixe_Fichier_Cumuls + du + "-" + au);
  t.Nom_Document = textes::Document_Cumuls(du, au);
  t.Dossier = Cumuls.Dossier;
  t.Date_Heure = Cumuls.Date_Heure;
  t.Colonnes = {{textes::Entetes_Grille[0], 64, 0.6}, {textes::Entetes_Grille[1], 250, 2.4}, {textes::Entete_Colonne, 90, 0.9}};
  for (const std::string& m : Cumuls.Mois) t.Colonnes.push_back({m, 100, 1});
  t.Colonnes.push_back({textes::Entete_Total_Cumuls, 120, 1.2});
  t.Somme = {3 + n, 3, 2 + n};
  t.Graphique = TTableau::TGraphique{3, 2 + n};
  for (const TLigne_Cumuls& l : Cumuls.Lignes) {
    TLigne_Tableau ligne;
    ligne.Cellules = {Cellule_Entier(l.Rubrique), Cellule_Texte(l.Libelle), Cellule_Texte(textes::Entetes_Grille[l.Colonne])};
    for (const auto& total : l.Totaux) ligne.Cellules.push_back(Cellule_Total(total));
    ligne.Cellules.push_back(Cellule_Total(l.Total));
    t.Lignes.push_back(std::move(ligne));
  }
  // Under the rubrics, each month's summary and the period's.
  const auto pied = [&](const char* quoi, int serie, auto valeur) {
    TLigne_Tableau ligne;
    ligne.Pied = true;
    ligne.Serie = serie;
    ligne.Cellules = {Cellule_Texte(""), Cellule_Texte(quoi), Cellule_Texte("")};
    for (const TResume& r : Cumuls.Resumes) ligne.Cellules.push_back(valeur(r));
    ligne.Cellules.push_back(valeur(Cumuls.Resume));
    t.Lignes.push_back(std::move(ligne));
  };
  pied(textes::Quoi_Bulletins, -1, [](const TResume& r) { return Cellule_Entier(r.Bulletins); });
  pied(textes::Quoi_Gains, Serie_Gains, [](const TResume& r) { return Cellule_Montant(r.Gains); });
  pied(textes::Quoi_Retenues, Serie_Retenues, [](const TResume& r) { return Cellule_Montant(r.Retenues); });
  pied(textes::Quoi_Net, Serie_Net, [](const TResume& r) { return Cellule_Montant(r.Net()); });
  t.Resume = Lignes_Resume_Cumuls(Cumuls);
  t.Avertissements = Cumuls.Avertissements;
  return t;
}

}  // namespace recap
