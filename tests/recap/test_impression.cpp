// The printed pages of a recap, measured with a fixed-width font: half the font size a character.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "platform/Caracteres.h"
#include "platform/Separateurs.h"
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

recap::TGrille Grille(int rangees, const std::string& libelle = "Salaire de base") {
  recap::TGrille g;
  g.SetRowCount(rangees + 1);
  for (int c = 0; c < 5; ++c) g.SetCells(c, 0, textes::Entetes_Grille[c]);
  for (int r = 1; r <= rangees; ++r) {
    g.SetCells(0, r, std::to_string(r));
    g.SetCells(1, r, libelle);
    g.SetCells(3, r, "33149,34");
  }
  return g;
}

const recap::TEntete_Impression Entete{"/srv/KORVEX", "02-2024", "29/02/2024 14:05",
                                        {"Premier résumé", "Deuxième", "Troisième"}};

std::vector<TPage_Imprimee> Pages(const recap::TGrille& g, const recap::TEntete_Impression& e = Entete,
                                  const recap::TFormat_Page& f = A4) {
  return recap::Mettre_En_Pages(g, e, f, Largeur);
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

int Capacite_Page_1() { return static_cast<int>(Rubriques(Pages(Grille(200))[0]).size()); }

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
    const auto pages = Pages(Grille(cas.rangees));
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
  const auto pages = Pages(Grille(100));
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
  auto sans_resume = Entete;
  sans_resume.Resume.clear();
  EXPECT_GT(Rubriques(Pages(Grille(100), sans_resume)[0]).size(), Rubriques(pages[0]).size());
}

// Numbers and amounts end at their column's right edge less the cell's inset; labels start at
// their column's left edge; a label too long is cut, whole characters only, before "…", as
// long as it fits.
TEST(Impression, Alignement_Et_Points_De_Suspension) {
  std::string long_libelle(30, 'e');
  for (int i = 0; i < 36; ++i) long_libelle += "é";  // two bytes each: never cut between them
  const auto page = Pages(Grille(1, long_libelle))[0];
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
    EXPECT_EQ(test::Message_Erreur([&] { Pages(Grille(5), Entete, cas.format); }),
              cas.refuse ? textes::Papier_Trop_Petit : "");
  }
}

// The header of the window's last calculation: its date in local time, its summary when it
// filled the grid.
TEST(Impression, En_Tete_Du_Dernier_Calcul) {
  plateforme::Fixer_Separateurs(U',', U' ');
  std::tm local{};
  local.tm_year = 124, local.tm_mon = 1, local.tm_mday = 29, local.tm_hour = 14, local.tm_min = 5, local.tm_isdst = -1;
  recap::TDernier_Calcul dernier{
      recap::TCalcul{"C:\\KORVEX", "02-2024", std::mktime(&local), recap::TResume{12, 1234.5L, 34.5L}, {"Attention : a"}}};
  const auto entete = recap::Entete_Impression(dernier);
  EXPECT_EQ(entete.Dossier, "C:\\KORVEX");
  EXPECT_EQ(entete.Mois, "02-2024");
  EXPECT_EQ(entete.Date_Heure, "29/02/2024 14:05");
  EXPECT_EQ(entete.Resume, (std::vector<std::string>{"12 bulletins", "Gains : 1234,5 — Retenues : 34,5", "Net : 1200"}));
  EXPECT_EQ(entete.Avertissements, std::vector<std::string>{"Attention : a"});
  dernier.Calcul.reset();
  EXPECT_TRUE(recap::Entete_Impression(dernier).Resume.empty());
  plateforme::Fixer_Separateurs(U'.', U' ');
}
