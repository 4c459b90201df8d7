// The printed pages of a recap, measured with a fixed-width font: half the font size a character.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "platform/Caracteres.h"
#include "recap/Resume.h"
#include "platform/Textes.h"
#include "recap/Impression.h"
#include "support/Message_Erreur.h"

namespace {

using recap::TAlignement;
using recap::TPage_Imprimee;
using recap::TRole;
using recap::TTexte_Imprime;

double Largeur(TRole role, const std::string& texte) {
  return static_cast<double>(plateforme::Nombre_Caracteres(texte)) * recap::Police_De(role).Taille / 2;
}

const recap::TFormat_Page A4;
const double Gauche = A4.Marge, Droite = A4.Largeur - A4.Marge;

std::time_t Local(int annee, int mois, int jour, int heure, int minute) {
  std::tm local{};
  local.tm_year = annee - 1900, local.tm_mon = mois - 1, local.tm_mday = jour, local.tm_hour = heure,
  local.tm_min = minute, local.tm_isdst = -1;
  return std::mktime(&local);
}

// The recap of so many rubrics, as a calculation of 02-2024 in /srv/KORVEX leaves it.
recap::TTableau Tableau(int rangees, const std::string& libelle = "Salaire de base") {
  recap::TGrille g;
  g.SetRowCount(rangees + 1);
  for (int c = 0; c < 5; ++c) g.SetCells(c, 0, textes::Entetes_Grille[c]);
  for (int r = 1; r <= rangees; ++r) {
    g.SetCells(0, r, std::to_string(r));
    g.SetCells(1, r, libelle);
    g.SetCells(3, r, "33149,34");
  }
  TTAB_VALEURS totaux;
  recap::TTableau t = recap::Tableau_Recap(g, totaux, nullptr);
  t.Titre = "Récap KORVEX — mois 02-2024";
  t.Dossier = "/srv/KORVEX";
  t.Date_Heure = Local(2024, 2, 29, 14, 5);
  t.Resume = {"Premier résumé", "Deuxième", "Troisième"};
  return t;
}

std::vector<TPage_Imprimee> Pages(const recap::TTableau& t, const recap::TFormat_Page& f = A4) {
  return recap::Mettre_En_Pages(t, f, Largeur);
}

std::vector<const TTexte_Imprime*> De_Role(const TPage_Imprimee& p, TRole role) {
  std::vector<const TTexte_Imprime*> t;
  for (const auto& x : p.Textes)
    if (x.Role == role) t.push_back(&x);
  return t;
}

// The rubric numbers of a page's rows, top to bottom.
std::vector<int> Rubriques(const TPage_Imprimee& p) {
  std::vector<int> n;
  for (const auto* t : De_Role(p, TRole::Corps))
    if (t->Alignement == TAlignement::Droite && t->Texte != "33149,34") n.push_back(std::stoi(t->Texte));
  return n;
}

int Capacite_Page_1() { return static_cast<int>(Rubriques(Pages(Tableau(200))[0]).size()); }

}  // namespace

// Page counts around a full first page, and the worst case of 899 rubrics: every row once, in
// order, whole on one page above the footer, and the column headers on top of every page.
TEST(Impression, Pages_Et_Rangees) {
  const int pleine = Capacite_Page_1();
  ASSERT_GT(pleine, 30);  // A4 at 9 points holds dozens of rows
  struct Cas {
    int rangees, pages;
  };
  for (const Cas& cas : {Cas{1, 1}, Cas{pleine, 1}, Cas{pleine + 1, 2}, Cas{899, 19}}) {
    SCOPED_TRACE(cas.rangees);
    const auto pages = Pages(Tableau(cas.rangees));
    ASSERT_EQ(static_cast<int>(pages.size()), cas.pages);
    std::vector<int> vues;
    for (size_t n = 0; n < pages.size(); ++n) {
      const auto& p = pages[n];
      const auto colonnes = De_Role(p, TRole::Colonne);
      ASSERT_EQ(colonnes.size(), 5u);
      EXPECT_EQ(colonnes[0]->Texte, "N° RUB");
      const auto pied = De_Role(p, TRole::Pied);
      ASSERT_EQ(pied.size(), 1u);
      EXPECT_EQ(pied[0]->Texte, textes::Pied_Page(static_cast<int>(n) + 1, cas.pages));
      for (const auto* t : De_Role(p, TRole::Corps)) {
        EXPECT_GT(t->Y, colonnes[0]->Y);
        EXPECT_LT(t->Y, pied[0]->Y - 12);
      }
      const auto r = Rubriques(p);
      vues.insert(vues.end(), r.begin(), r.end());
      // A row is one number, one label and one amount at the same height.
      for (int numero : r) {
        std::set<double> hauteurs;
        for (const auto* t : De_Role(p, TRole::Corps))
          if (t->Texte == std::to_string(numero)) hauteurs.insert(t->Y);
        ASSERT_EQ(hauteurs.size(), 1u);
        const double y = *hauteurs.begin();
        EXPECT_EQ(std::count_if(p.Textes.begin(), p.Textes.end(), [y](const auto& t) { return t.Y == y; }), 3);
      }
    }
    std::vector<int> attendues(static_cast<size_t>(cas.rangees));
    for (int i = 0; i < cas.rangees; ++i) attendues[static_cast<size_t>(i)] = i + 1;
    EXPECT_EQ(vues, attendues);
  }
}

// Title, folder and date on every page, the summary on the first only; the summary pushes the
// first page's table down, so without it the first page takes more rows.
TEST(Impression, En_Tete_Des_Pages) {
  const auto pages = Pages(Tableau(100));
  ASSERT_GE(pages.size(), 2u);
  for (size_t n = 0; n < pages.size(); ++n) {
    const auto titre = De_Role(pages[n], TRole::Titre);
    ASSERT_EQ(titre.size(), 1u);
    EXPECT_EQ(titre[0]->Texte, "Récap KORVEX — mois 02-2024");
    std::vector<std::string> entete;
    for (const auto* t : De_Role(pages[n], TRole::Entete)) entete.push_back(t->Texte);
    EXPECT_EQ(entete, (std::vector<std::string>{"Dossier : /srv/KORVEX", "Calcul du 29/02/2024 14:05"}));
    EXPECT_EQ(De_Role(pages[n], TRole::Resume).size(), n == 0 ? 3u : 0u);
  }
  EXPECT_EQ(De_Role(pages[0], TRole::Resume)[2]->Texte, "Troisième");
  auto sans_resume = Tableau(100);
  sans_resume.Resume.clear();
  EXPECT_GT(Rubriques(Pages(sans_resume)[0]).size(), Rubriques(pages[0]).size());
}

// Numbers and amounts end at their column's right edge less the cell's inset; labels start at
// their column's left edge; a label too long is cut, whole characters only, before "…", as
// long as it fits.
TEST(Impression, Alignement_Et_Points_De_Suspension) {
  std::string long_libelle(30, 'e');
  for (int i = 0; i < 36; ++i) long_libelle += "é";  // two bytes each: never cut between them
  const auto page = Pages(Tableau(1, long_libelle))[0];
  const auto corps = De_Role(page, TRole::Corps);
  ASSERT_EQ(corps.size(), 3u);
  const double utile = Droite - Gauche;
  const double fin_numero = Gauche + 0.10 * utile, fin_libelle = Gauche + 0.52 * utile,
               fin_gains = Gauche + 0.84 * utile;
  EXPECT_EQ(corps[0]->Alignement, TAlignement::Droite);
  EXPECT_NEAR(corps[0]->X, fin_numero - 3, 1e-9);
  EXPECT_EQ(corps[2]->Alignement, TAlignement::Droite);
  EXPECT_NEAR(corps[2]->X, fin_gains - 3, 1e-9);
  EXPECT_EQ(corps[1]->Alignement, TAlignement::Gauche);
  EXPECT_NEAR(corps[1]->X, fin_numero + 3, 1e-9);

  const std::string& coupe = corps[1]->Texte;
  const std::string fin = textes::Points_Suspension;
  ASSERT_GT(coupe.size(), fin.size());
  ASSERT_EQ(coupe.substr(coupe.size() - fin.size()), fin);
  const std::string debut = coupe.substr(0, coupe.size() - fin.size());
  EXPECT_EQ(long_libelle.rfind(debut, 0), 0u);
  ASSERT_LT(debut.size(), long_libelle.size());
  EXPECT_NE(static_cast<unsigned char>(long_libelle[debut.size()]) & 0xC0, 0x80);
  const double place = fin_libelle - fin_numero - 6;
  EXPECT_LE(Largeur(TRole::Corps, coupe), place);
  EXPECT_GT(Largeur(TRole::Corps, debut + "é" + fin), place);
  // The right-aligned header ends where the amounts end.
  EXPECT_NEAR(De_Role(page, TRole::Colonne)[4]->X, Droite - 3, 1e-9);
}

// Paper on which the header and one row do not fit is refused in words, not drawn over.
TEST(Impression, Papier_Trop_Petit) {
  struct Cas {
    recap::TFormat_Page format;
    bool refuse;
  };
  for (const Cas& cas : {Cas{{100, 841, 20}, true}, Cas{{595, 150, 20}, true}, Cas{{297, 420, 20}, false}}) {
    EXPECT_EQ(test::Message_Erreur([&] { Pages(Tableau(5), cas.format); }),
              cas.refuse ? textes::Papier_Trop_Petit : "");
  }
}

// Any number of columns, each by its share of the width; texts left, numbers right, the header
// as its column's cells; a row to be checked shaded across the table.
TEST(Impression, Colonnes_Quelconques_Et_Lignes_Signalees) {
  recap::TTableau t;
  t.Titre = "Comparaison";
  t.Colonnes = {{"N°", 50, 1}, {"Libellé", 200, 3}, {"Avant", 80, 1}, {"Après", 80, 1},
                {"Écart", 80, 1}, {"%", 60, 1}, {"Contrôle", 150, 2}};
  const auto ligne = [](int n, bool signaler) {
    return recap::TLigne_Tableau{{recap::Cellule_Entier(n), recap::Cellule_Texte("Prime"), recap::Cellule_Montant(10),
                                  recap::Cellule_Montant(12), recap::Cellule_Montant(2), recap::Cellule_Pourcentage(20),
                                  recap::Cellule_Texte(signaler ? "hausse" : "")},
                                 signaler};
  };
  t.Lignes = {ligne(1, false), ligne(2, true), ligne(3, false)};
  const auto pages = Pages(t);
  ASSERT_EQ(pages.size(), 1u);
  const auto& p = pages[0];
  const double utile = Droite - Gauche;
  const double parts[] = {1, 3, 1, 1, 1, 1, 2}, total = 10;
  double gauche = Gauche;
  const auto colonnes = De_Role(p, TRole::Colonne);
  ASSERT_EQ(colonnes.size(), 7u);
  for (size_t c = 0; c < 7; ++c) {
    const double droite = gauche + utile * parts[c] / total;
    const bool a_droite = c != 1 && c != 6;
    SCOPED_TRACE(colonnes[c]->Texte);
    EXPECT_EQ(colonnes[c]->Alignement, a_droite ? TAlignement::Droite : TAlignement::Gauche);
    EXPECT_NEAR(colonnes[c]->X, a_droite ? droite - 3 : gauche + 3, 1e-9);
    gauche = droite;
  }
  ASSERT_EQ(p.Fonds.size(), 1u);
  const recap::TFond& fond = p.Fonds[0];
  EXPECT_NEAR(fond.X, Gauche, 1e-9);
  EXPECT_NEAR(fond.Largeur, utile, 1e-9);
  // The shaded band holds the second row's seven texts, and only them.
  std::vector<std::string> dans_la_bande;
  for (const auto* texte : De_Role(p, TRole::Corps))
    if (texte->Y > fond.Y && texte->Y < fond.Y + fond.Hauteur) dans_la_bande.push_back(texte->Texte);
  EXPECT_EQ(dans_la_bande.size(), 7u);
  EXPECT_EQ(dans_la_bande.front(), "2");
  EXPECT_EQ(dans_la_bande.back(), "hausse");
}

// Portrait while every column holds its header and its numbers whole; landscape once a number
// would be cut. A long text never turns the page: it is cut with "…".
TEST(Impression, Portrait_Ou_Paysage) {
  const auto table = [](double part_montant, const std::string& montant_texte, const std::string& libelle) {
    recap::TTableau t;
    t.Colonnes = {{"N° RUB", 64, 0.10}, {"LIBELLES", 290, 0.42}, {"GAINS", 175, part_montant}};
    t.Lignes = {{{recap::Cellule_Entier(899), recap::Cellule_Texte(libelle),
                  {recap::TGenre_Cellule::Montant, montant_texte, 0}}}};
    return t;
  };
  const std::string long_libelle(400, 'x');
  const std::string quinze_chiffres = "-123456789012,345";  // 17 characters: 76.5 points at 9 points
  struct Cas {
    const char* nom;
    recap::TTableau tableau;
    bool paysage;
  };
  const Cas cas[] = {
      {"la récap", Tableau(30), false},
      {"un libellé trop long", table(0.48, "33149,34", long_libelle), false},
      {"un montant de quinze chiffres", table(0.08, quinze_chiffres, "Salaire"), true},
      {"le même montant avec la place", table(0.48, quinze_chiffres, "Salaire"), false},
  };
  for (const Cas& c : cas) {
    const recap::TFormat_Page f = recap::Format_Tableau(c.tableau, Largeur);
    EXPECT_EQ(f.Paysage(), c.paysage) << c.nom;
    EXPECT_NEAR(std::min(f.Largeur, f.Hauteur), A4.Largeur, 1e-9) << c.nom;
    EXPECT_NEAR(std::max(f.Largeur, f.Hauteur), A4.Hauteur, 1e-9) << c.nom;
  }
  // In landscape the figure is printed whole.
  const recap::TTableau large = table(0.08, quinze_chiffres, "Salaire");
  const auto pages = Pages(large, recap::Format_Tableau(large, Largeur));
  EXPECT_EQ(De_Role(pages[0], TRole::Corps).back()->Texte, quinze_chiffres);

  auto t = Tableau(3);
  t.Nom_Document = "Récap KORVEX 02-2024";
  const auto demande = recap::Demande_Impression(t, Largeur);
  EXPECT_EQ(demande.Document, "Récap KORVEX 02-2024");
  EXPECT_FALSE(demande.Format.Paysage());
}

// The warnings under the summary, cut at blanks to the width, flowing onto the next pages when
// they are many, the table after them.
TEST(Impression, Avertissements_Sous_Le_Resume) {
  std::string long_avertissement = "Attention :";
  for (int i = 0; i < 60; ++i) long_avertissement += " mot" + std::to_string(i);
  long_avertissement += " fin.";
  struct Cas {
    size_t avertissements;
    bool plusieurs_pages;
  };
  for (const Cas& c : {Cas{2, false}, Cas{120, true}}) {
    auto t = Tableau(3);
    t.Avertissements.assign(c.avertissements, long_avertissement);
    const auto pages = Pages(t);
    std::string relu;
    size_t pages_avec = 0;
    for (const auto& p : pages) {
      const auto lignes = De_Role(p, TRole::Avertissement);
      if (lignes.empty()) continue;
      ++pages_avec;
      const double sous_l_entete = De_Role(p, pages_avec == 1 ? TRole::Resume : TRole::Entete).back()->Y;
      EXPECT_GT(lignes.front()->Y, sous_l_entete);
      for (const auto* l : lignes) {
        EXPECT_LE(Largeur(TRole::Avertissement, l->Texte), Droite - Gauche) << l->Texte;
        EXPECT_LT(l->Y, De_Role(p, TRole::Pied)[0]->Y - 12);
        relu += (relu.empty() || relu.ends_with("fin.") ? "" : " ") + l->Texte;
      }
      const auto colonnes = De_Role(p, TRole::Colonne);
      if (!colonnes.empty()) {
        EXPECT_GT(colonnes[0]->Y, lignes.back()->Y);
      }
    }
    EXPECT_EQ(pages_avec > 1, c.plusieurs_pages) << c.avertissements;
    std::string attendu;
    for (size_t i = 0; i < c.avertissements; ++i) attendu += long_avertissement;
    EXPECT_EQ(relu, attendu);
    EXPECT_EQ(Rubriques(pages.back()).size(), 3u);
  }
}

TEST(Impression, Date_Heure_Locale) {
  EXPECT_EQ(recap::Texte_Date_Heure(Local(2024, 2, 29, 14, 5)), "29/02/2024 14:05");
  EXPECT_EQ(recap::Texte_Date_Heure(Local(2023, 12, 1, 9, 0)), "01/12/2023 09:00");
}
