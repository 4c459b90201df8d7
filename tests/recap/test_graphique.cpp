// The chart of the cumuls as data, then laid out: its axis in round steps and the user's
// format, every shape inside its place, bars from zero, the net's line from month to month.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recap/Graphique.h"

namespace {

TEST(GraphiqueTest, TheAxisTakesRoundStepsAcrossZero) {
  const struct {
    long double minimum, maximum;
    std::vector<long double> attendues;
  } cas[] = {
      {0, 37116.76, {0, 10000, 20000, 30000, 40000}},
      {-200, 1400, {-500, 0, 500, 1000, 1500}},
      {0, 0, {0, 1}},
      {-3, -1, {-3, -2, -1, 0}},
      {0, 9.5L, {0, 2, 4, 6, 8, 10}},
  };
  for (const auto& c : cas) EXPECT_EQ(recap::Graduations(c.minimum, c.maximum), c.attendues) << static_cast<double>(c.maximum);
}

recap::TTableau Tableau_Avec_Graphique() {
  recap::TTableau t;
  t.Colonnes = {{"N° RUB"}, {"LIBELLES"}, {"01-2024"}, {"02-2024"}, {"03-2024"}, {"TOTAL"}};
  t.Graphique = recap::TTableau::TGraphique{2, 4};
  const auto ligne = [](int serie, std::vector<long double> v) {
    recap::TLigne_Tableau l;
    l.Pied = true;
    l.Serie = serie;
    l.Cellules = {recap::Cellule_Texte(""), recap::Cellule_Texte("x")};
    for (long double x : v) l.Cellules.push_back(recap::Cellule_Montant(x));
    return l;
  };
  t.Lignes = {ligne(recap::Serie_Gains, {1000, 1200, 900, 3100}), ligne(recap::Serie_Retenues, {300, 320, 1100, 1720}),
              ligne(recap::Serie_Net, {700, 880, -200, 1380})};
  return t;
}

TEST(GraphiqueTest, ItsShapesStayInTheirPlaceAndStartFromZero) {
  const auto d = recap::Donnees_Graphique(Tableau_Avec_Graphique());
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Categories, (std::vector<std::string>{"01-2024", "02-2024", "03-2024"}));
  EXPECT_EQ(d->Series[recap::Serie_Net], (std::vector<long double>{700, 880, -200}));
  EXPECT_FALSE(recap::Donnees_Graphique(recap::TTableau{}));

  const recap::TMesure mesure = [](recap::TRole, const std::string& t) { return 6.0 * static_cast<double>(t.size()); };
  const double x = 20, y = 30, largeur = 600, hauteur = 300;
  const recap::TPage_Imprimee p = recap::Dessiner_Graphique(*d, x, y, largeur, hauteur, mesure, 12, U',');
  const auto dedans = [&](double px, double py) { return px >= x - 0.01 && px <= x + largeur + 0.01 && py >= y - 0.01 && py <= y + hauteur + 0.01; };
  for (const auto& b : p.Barres) EXPECT_TRUE(dedans(b.X, b.Y) && dedans(b.X + b.Largeur, b.Y + b.Hauteur));
  for (const auto& s : p.Segments) EXPECT_TRUE(dedans(s.X1, s.Y1) && dedans(s.X2, s.Y2));
  for (const auto& t : p.Textes) EXPECT_TRUE(dedans(t.X, t.Y)) << t.Texte;
  // Two bars a month, one mark a month and three squares of legend; the net's two segments.
  EXPECT_EQ(p.Barres.size(), 3u * 2 + 3 + 3);
  size_t nets = 0;
  for (const auto& s : p.Segments) nets += s.Epaisseur == 1.5;
  EXPECT_EQ(nets, 2u);
  // The axis' values in the user's format; the zero line under the bars, the others under too.
  std::vector<std::string> textes;
  for (const auto& t : p.Textes) textes.push_back(t.Texte);
  EXPECT_NE(std::find(textes.begin(), textes.end(), "1500"), textes.end());
  EXPECT_NE(std::find(textes.begin(), textes.end(), "-500"), textes.end());
  double zero = -1;
  for (const auto& s : p.Segments)
    if (!s.Sous_Barres && s.Y1 == s.Y2 && s.Epaisseur == 1.0) zero = s.Y1;
  ASSERT_GT(zero, 0);
  // March: retenues 1100 above zero, its net below.
  const auto& retenues_mars = p.Barres[3 + 2 * 2 + 1];
  EXPECT_NEAR(retenues_mars.Y + retenues_mars.Hauteur, zero, 1e-9);
}

}  // namespace
