// The sample's golden recaps made by the core in this process: this program runs once as the
// program reads and once with every fast path switched off, and both give the golden's bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Separateurs.h"
#include "recap/Export.h"
#include "recap/Periode.h"
#include "recap/Resume.h"
#include "support/Dossier_Temporaire.h"
#include "support/Golden.h"

namespace {

namespace fs = std::filesystem;

TEST(GoldenCoeur, TheSamplesRecapsAreTheGoldensOnEitherRoad) {
  test::TDossierTemporaire copie;
  fs::create_directory(copie.Chemin() / "KORVEX");
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / nom, copie.Chemin() / "KORVEX" / nom);
  const std::string dossier = (copie.Chemin() / "KORVEX").string();
  plateforme::Fixer_Separateurs(U'.', U',');  // the golden's C locale
  for (const char* cas : {"01-2024", "02-2024", "03-2024", "01-2024_03-2024"}) {
    const auto mois = test::Mois_Du_Cas(cas);
    const auto periode = mois.size() == 2 ? recap::Lire_Periode(mois[0], mois[1]) : std::nullopt;
    TTAB_VALEURS TOT_RUB;
    recap::TGrille grille;
    recap::TBilan_Recap bilan;
    recap::Calculer_Recap(dossier, mois[0], TOT_RUB, grille, [](const std::string&) {}, bilan, periode);
    ASSERT_TRUE(bilan.Grille_Remplie) << cas;
    EXPECT_TRUE(bilan.Avertissements.empty()) << cas;
    const recap::TCalcul calcul = recap::Calcul_Fait(dossier, grille, TOT_RUB, bilan, periode);
    const recap::TTableau t = recap::Tableau_Recap(grille, TOT_RUB, &calcul);
    EXPECT_EQ(recap::Texte_Tableau(t, recap::TFormat_Texte::Tabulations), test::Golden(cas, "tsv")) << cas;
    EXPECT_EQ(recap::Texte_Tableau(t, recap::TFormat_Texte::Csv), test::Golden(cas, "csv")) << cas;
  }
}

}  // namespace
