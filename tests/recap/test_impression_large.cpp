// A table wider than the paper, the cumuls of two years: printed in landscape, page by page
// across its columns, N° RUB and LIBELLES on every page, every other column once, the chart on a
// last page.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Caracteres.h"
#include "platform/Textes.h"
#include "recap/Cumuls.h"
#include "recap/Impression.h"

namespace {

using recap::TRole;

double Largeur(TRole role, const std::string& texte) {
  return static_cast<double>(plateforme::Nombre_Caracteres(texte)) * recap::Police_De(role).Taille / 2;
}

recap::TCumuls Cumuls_De_Deux_Ans() {
  recap::TCumuls c;
  c.Dossier = "/srv/KORVEX";
  c.Periode = {2023 * 12, 2024 * 12 + 11};
  for (int k = 0; k < 24; ++k) c.Mois.push_back(recap::Texte_Mois(c.Periode.Debut + k));
  for (int i = 1; i <= 60; ++i) {
    recap::TLigne_Cumuls l{i, "Rubrique " + std::to_string(i), 3, {}, 24 * 1234567.89L};
    for (int k = 0; k < 24; ++k) l.Totaux.push_back(1234567.89L);
    c.Lignes.push_back(l);
  }
  c.Resumes.assign(24, recap::TResume{12, 1000000, 250000, false, std::nullopt});
  c.Resume = {288, 24000000, 6000000, false, std::nullopt};
  return c;
}

TEST(ImpressionLarge, PageByPageAcrossTheColumnsThenTheChart) {
  const recap::TTableau t = recap::Tableau_Cumuls(Cumuls_De_Deux_Ans());
  const recap::TFormat_Page format = recap::Format_Tableau(t, Largeur);
  EXPECT_TRUE(format.Paysage());
  const auto pages = recap::Mettre_En_Pages(t, format, Largeur);
  ASSERT_GT(pages.size(), 3u);
  // The chart alone on the last page.
  EXPECT_FALSE(pages.back().Barres.empty());
  EXPECT_FALSE(pages.back().Segments.empty());
  // Each page of the table: its headers, N° RUB and LIBELLES first; a page's set of headers is
  // its group of columns.
  std::vector<std::vector<std::string>> entetes;
  std::map<std::string, int> rubriques;  // how many pages each row is printed on
  for (size_t n = 0; n + 1 < pages.size(); ++n) {
    std::vector<std::string> e;
    for (const auto& x : pages[n].Textes) {
      if (x.Role == TRole::Colonne) e.push_back(x.Texte);
      if (x.Role == TRole::Corps && x.Texte.starts_with("Rubrique ")) ++rubriques[x.Texte];
    }
    ASSERT_GE(e.size(), 3u) << n;
    EXPECT_EQ(e[0], "N° RUB") << n;
    EXPECT_EQ(e[1], "LIBELLES") << n;
    for (const auto& x : pages[n].Textes) {
      EXPECT_LE(x.X, format.Largeur - format.Marge + 0.01) << x.Texte;  // nothing beyond the paper
    }
    entetes.push_back(e);
  }
  // The first band's pages cover every other column once, in order.
  std::vector<std::string> suite;
  size_t groupes = 0;
  for (size_t n = 0; n < entetes.size() && (n == 0 || entetes[n] != entetes[0]); ++n, ++groupes)
    suite.insert(suite.end(), entetes[n].begin() + 2, entetes[n].end());
  EXPECT_GT(groupes, 1u);
  std::vector<std::string> attendue;
  for (int c = 2; c < t.Nombre_Colonnes(); ++c) attendue.push_back(t.Texte(c, 0));
  EXPECT_EQ(suite, attendue);
  // Every rubric on as many pages as there are groups; every page numbered of the whole.
  EXPECT_EQ(rubriques.size(), 60u);
  for (const auto& [r, fois] : rubriques) EXPECT_EQ(static_cast<size_t>(fois), groupes) << r;
  for (size_t n = 0; n < pages.size(); ++n) {
    bool pied = false;
    for (const auto& x : pages[n].Textes) pied = pied || (x.Role == TRole::Pied && x.Texte == textes::Pied_Page(static_cast<int>(n + 1), static_cast<int>(pages.size())));
    EXPECT_TRUE(pied) << n;
  }
}

}  // namespace
