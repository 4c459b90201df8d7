// The cumuls of several months: each month's column is that month's recap and the total the
// period's, to the last bit, on a random folder; the table they make; the periods refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/Separateurs.h"
#include "recap/Cumuls.h"
#include "recap/Recap.h"
#include "recap/Resume.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

uint32_t Tirer(std::mt19937& alea, uint32_t n) { return static_cast<uint32_t>(alea() % n); }

// Payslips of 10-2023 to 04-2025 in a random order, a few of another year or of no month;
// memos of random amounts, now and then negligible, negative, or a rubric twice.
std::vector<test::TPaie> Paies_Au_Hasard(std::mt19937& alea) {
  std::vector<test::TPaie> paies;
  for (int k = 0; k < 6000; ++k) {
    std::vector<std::string> lignes;
    const uint32_t n = 1 + Tirer(alea, 12);
    for (uint32_t l = 0; l < n; ++l) {
      char ligne[40];
      const uint32_t rubrique = 1 + Tirer(alea, 60);
      const uint32_t entier = Tirer(alea, 4) == 0 ? 0 : Tirer(alea, 5000);
      std::snprintf(ligne, sizeof ligne, "%03u%s%u.%04u", rubrique, Tirer(alea, 8) ? "" : "-", entier, Tirer(alea, 10000));
      lignes.push_back(ligne);
    }
    const int rang = 2023 * 12 + 9 + static_cast<int>(Tirer(alea, 19));
    std::string mois = recap::Texte_Mois(rang);
    if (Tirer(alea, 200) == 0) mois = "13-2024";
    paies.push_back({mois, test::Memo_Montants(lignes), Tirer(alea, 50) == 0});
  }
  return paies;
}

bool Memes_Totaux(const TTAB_VALEURS& a, const TTAB_VALEURS& b) {
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i)
    if (!recap::Memes_Bits(a[i], b[i])) return false;
  return true;
}

// In a random order, every run of records mixes months; in the order KORVEX appends them, month
// after month, most runs hold one month's payslips, which the period's total takes at once.
class CumulsTest : public ::testing::TestWithParam<bool> {};

TEST_P(CumulsTest, EachMonthIsItsRecapAndTheTotalThePeriodsToTheLastBit) {
  test::TDossierTemporaire dossier;
  std::vector<test::TRubrique> rubriques;
  for (int i = 1; i <= 60; ++i) rubriques.push_back({"Rubrique " + std::to_string(i), std::to_string(i % 3)});
  test::Ecrire_Rubriques(dossier.Chemin(), rubriques);
  std::mt19937 alea(20261208);
  std::vector<test::TPaie> paies = Paies_Au_Hasard(alea);
  if (GetParam())
    std::stable_sort(paies.begin(), paies.end(), [](const test::TPaie& a, const test::TPaie& b) {
      return a.mois.substr(3) + a.mois.substr(0, 2) < b.mois.substr(3) + b.mois.substr(0, 2);
    });
  test::Ecrire_Paies(dossier.Chemin(), paies);
  const recap::TPeriode periode = *recap::Lire_Periode("12-2023", "02-2025");  // across a year's end
  const auto cumuls = recap::Cumuler(dossier.Texte(), periode, [](const std::string& m) { FAIL() << m; });
  ASSERT_TRUE(cumuls);
  ASSERT_EQ(cumuls->Mois.size(), 15u);
  // The records of a month 13-2024 are named, and counted in no month.
  int sans_mois = 0;
  std::mt19937 encore(20261208);
  for (const test::TPaie& p : Paies_Au_Hasard(encore)) sans_mois += p.mois == "13-2024" && !p.supprime;
  EXPECT_EQ(cumuls->Avertissements.Non_Comptes, sans_mois);

  const auto verifier = [&](const std::string& mois, const std::optional<recap::TPeriode>& p,
                            const TTAB_VALEURS& totaux, const recap::TResume& resume, auto cellule) {
    TTAB_VALEURS TOT_RUB;
    recap::TGrille grille;
    recap::TBilan_Recap bilan;
    recap::Calculer_Recap(dossier.Texte(), mois, TOT_RUB, grille, [](const std::string&) {}, bilan, p);
    ASSERT_TRUE(bilan.Grille_Remplie) << mois;
    EXPECT_TRUE(Memes_Totaux(TOT_RUB, totaux)) << mois;
    const recap::TResume r = recap::Resumer(bilan.Bulletins, recap::Lignes_Recap(grille, TOT_RUB));
    EXPECT_EQ(resume.Bulletins, r.Bulletins) << mois;
    EXPECT_TRUE(recap::Memes_Bits(resume.Gains, r.Gains) && recap::Memes_Bits(resume.Retenues, r.Retenues)) << mois;
    // The rows of the recap, and only they, have a cell in the column.
    size_t n = 0;
    for (const recap::TLigne_Cumuls& l : cumuls->Lignes) {
      const std::optional<long double>& c = cellule(l);
      if (!c) continue;
      ++n;
      ASSERT_LT(n, static_cast<size_t>(grille.RowCount())) << mois;
      EXPECT_EQ(grille.Cells(0, static_cast<int>(n)), std::to_string(l.Rubrique)) << mois;
      EXPECT_TRUE(recap::Memes_Bits(*c, TOT_RUB[l.Rubrique])) << mois;
    }
    EXPECT_EQ(n + 1, static_cast<size_t>(grille.RowCount())) << mois;
  };
  for (size_t k = 0; k < cumuls->Mois.size(); ++k)
    verifier(cumuls->Mois[k], std::nullopt, cumuls->Totaux_Mois[k], cumuls->Resumes[k],
             [k](const recap::TLigne_Cumuls& l) -> const std::optional<long double>& { return l.Totaux[k]; });
  verifier(cumuls->Mois.front(), periode, cumuls->Totaux_Periode, cumuls->Resume,
           [](const recap::TLigne_Cumuls& l) -> const std::optional<long double>& { return l.Total; });
}

INSTANTIATE_TEST_SUITE_P(Ordres, CumulsTest, ::testing::Values(false, true),
                         [](const auto& o) { return o.param ? "MoisApresMois" : "AuHasard"; });

TEST(CumulsTableau, TheTableHasAColumnPerMonthTheTotalAndTheSummariesUnder) {
  plateforme::Fixer_Separateurs(U',', U' ');
  test::TDossierTemporaire dossier;
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}, {"Cotisation", "2"}, {"Brut", "0"}});
  test::Ecrire_Paies(dossier.Chemin(), {{"11-2024", test::Memo_Montants({"001100", "00220", "003100"})},
                                        {"01-2025", test::Memo_Montants({"001110", "00221"})},
                                        {"01-2025", test::Memo_Montants({"0015"})}});
  const auto cumuls = recap::Cumuler(dossier.Texte(), *recap::Lire_Periode("11-2024", "01-2025"), {});
  ASSERT_TRUE(cumuls);
  const recap::TTableau t = recap::Tableau_Cumuls(*cumuls);
  EXPECT_EQ(t.Titre, "Cumuls — du 11-2024 au 01-2025");
  EXPECT_EQ(t.Nom_Fichier, "cumuls-KORVEX-11-2024-01-2025");
  EXPECT_EQ(t.Colonnes_Fixes, 3);
  ASSERT_EQ(t.Nombre_Colonnes(), 7);
  const std::vector<std::string> entetes = {"N° RUB", "LIBELLES", "COLONNE", "11-2024", "12-2024", "01-2025", "TOTAL"};
  for (int c = 0; c < 7; ++c) EXPECT_EQ(t.Texte(c, 0), entetes[static_cast<size_t>(c)]);
  // Rubric 3 only in November; December holds no payslip and keeps its column.
  const std::vector<std::vector<std::string>> rangees = {
      {"1", "Salaire", "GAINS", "100", "", "115", "215"},
      {"2", "Cotisation", "RETENUES", "20", "", "21", "41"},
      {"3", "Brut", "BASES", "100", "", "", "100"},
      {"", "Bulletins", "", "1", "0", "2", "3"},
      {"", "Gains", "", "100", "0", "115", "215"},
      {"", "Retenues", "", "20", "0", "21", "41"},
      {"", "Net", "", "80", "0", "94", "174"},
  };
  ASSERT_EQ(t.Nombre_Rangees(), 8);
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 7; ++c) EXPECT_EQ(t.Texte(c, r + 1), rangees[static_cast<size_t>(r)][static_cast<size_t>(c)]) << r << "," << c;
  EXPECT_EQ(t.Somme.Colonne, 6);
  EXPECT_EQ(t.Somme.Premiere, 3);
  EXPECT_EQ(t.Somme.Derniere, 5);
  ASSERT_TRUE(t.Graphique);
  EXPECT_EQ(t.Lignes[4].Serie, recap::Serie_Gains);
  EXPECT_EQ(t.Lignes[6].Serie, recap::Serie_Net);
  EXPECT_EQ(t.Resume.back(), "Aucun bulletin en 12-2024.");
}

TEST(CumulsPeriode, APeriodIsOneTo36MonthsInCalendarOrder) {
  const struct {
    std::string du, au, message;
    int mois;
  } cas[] = {
      {"01-2024", "12-2024", "", 12},
      {"07-2024", "06-2025", "", 12},  // a fiscal year
      {"03-2024", "03-2024", "", 1},
      {"01-2022", "12-2024", "", 36},
      {"01-2022", "01-2025", "Les cumuls portent sur 36 mois au plus.", 0},
      {"04-2024", "03-2024", "Le mois «\u00A0Du\u00A0» doit venir avant le mois «\u00A0Au\u00A0», ou être le même.", 0},
      {"13-2024", "12-2024", "Les mois «\u00A0Du\u00A0» et «\u00A0Au\u00A0» doivent être des mois mm-aaaa, de 01 à 12.", 0},
      {"01-2024", "", "Les mois «\u00A0Du\u00A0» et «\u00A0Au\u00A0» doivent être des mois mm-aaaa, de 01 à 12.", 0},
      {" 01-2024 ", "02-2024", "", 2},
  };
  for (const auto& c : cas) {
    const recap::TPeriode_Lue p = recap::Lire_Periode_Cumuls(c.du, c.au);
    EXPECT_EQ(p.Message, c.message) << c.du << " " << c.au;
    EXPECT_EQ(p.Periode ? p.Periode->Fin - p.Periode->Debut + 1 : 0, c.mois) << c.du << " " << c.au;
  }
}

}  // namespace
