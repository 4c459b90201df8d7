// korvex-recap takes its month rules and its summary from the core: a reference that is the month
// or runs past 12-9999 is a bad argument, blanks around a month are ignored as the window ignores
// them, and a month without payslips says which months the table holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "Recap_Cli.h"
#include "support/Dossier_Temporaire.h"

namespace {

namespace fs = std::filesystem;

using test::Recap;

class KorvexMois : public ::testing::Test {
protected:
  KorvexMois() {
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie_.Chemin() / nom);
  }
  std::string Dossier() const { return copie_.Texte(); }
  test::TDossierTemporaire copie_;
};

TEST_F(KorvexMois, AReferenceThatIsTheMonthOrLeavesTheCalendarIsABadArgument) {
  const std::string d = Dossier();
  const std::string meme = "Le mois de référence doit être un autre mois que 02-2024";
  struct Cas {
    std::vector<std::string> arguments;
    std::string debut;
  };
  const Cas cas[] = {
      {{"--controles", "--reference", "02-2024", d, "02-2024"}, meme},
      {{"--controles", "--reference", " 02-2024", d, "02-2024 "}, meme},
      {{"--comparer", "02-2024", d, "02-2024"}, meme},
      {{"--comparer", "02-2024", "--detail", "1", d, "02-2024"}, meme},
      {{"--comparer", "01-2024", d, "01-2024", "03-2024"}, "La période de référence doit être une autre période que 01-2024 à 03-2024"},
      {{"--comparer", "12-9999", d, "01-2024", "03-2024"}, "La période de référence irait au-delà de 12-9999"},
  };
  for (const Cas& c : cas) {
    const auto r = Recap(c.arguments);
    EXPECT_EQ(r.code, 64) << testing::PrintToString(c.arguments);
    EXPECT_EQ(r.sortie, "");
    EXPECT_EQ(r.erreur.rfind("korvex-recap : " + c.debut, 0), 0u) << r.erreur;
  }
  // The last month a period can be compared with.
  EXPECT_EQ(Recap({"--comparer", "10-9999", d, "01-2024", "03-2024"}).code, 0);
}

TEST_F(KorvexMois, BlanksAroundAMonthAreIgnoredAsTheWindowIgnoresThem) {
  const std::string d = Dossier();
  const auto cumuls = Recap({"--cumuls", d, " 01-2024", "03-2024 "});
  EXPECT_EQ(cumuls.code, 0) << cumuls.erreur;
  EXPECT_EQ(cumuls.sortie, Recap({"--cumuls", d, "01-2024", "03-2024"}).sortie);
  const auto periode = Recap({"--json", d, "\t01-2024", " 03-2024"});
  ASSERT_EQ(periode.code, 0) << periode.erreur;
  const auto json = nlohmann::json::parse(periode.sortie);
  EXPECT_EQ(json["mois"], "01-2024");
  EXPECT_EQ(json["mois_fin"], "03-2024");
}

TEST_F(KorvexMois, TheSummaryIsTheWindows) {
  const auto r = Recap({"--resume", Dossier(), "02/2024"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.sortie, "Aucun bulletin pour le mois 02/2024. PAIES.DTA contient les mois de 01-2024 à 03-2024.\n");
}

// A payslip shown with a warning exits 3; one damage left out is shown without amounts, with the
// warning that says why, and exits 3 too.
TEST_F(KorvexMois, APayslipWithAWarningExits3) {
  unsigned char n[4];
  {
    // The header announces one record less than the table holds: its last is not read.
    std::fstream f(copie_.Chemin() / "PAIES.DTA", std::ios::in | std::ios::out | std::ios::binary);
    f.seekg(4);
    f.read(reinterpret_cast<char*>(n), 4);
    ASSERT_GT(n[0], 1);
    --n[0];
    f.seekp(4);
    f.write(reinterpret_cast<const char*>(n), 4);
  }
  const auto sain = Recap({"--bulletin", "1", "--json", Dossier()});
  EXPECT_EQ(sain.code, 3) << sain.erreur;
  EXPECT_NE(sain.erreur.find("Attention : "), std::string::npos);
  const auto omis = Recap({"--bulletin", std::to_string(n[0] + 1), "--json", Dossier()});
  EXPECT_EQ(omis.code, 3) << omis.erreur;
  const auto b = nlohmann::json::parse(omis.sortie);
  EXPECT_TRUE(b["net"].is_null());
  EXPECT_TRUE(b["lignes"].empty());
  EXPECT_NE(omis.erreur.find("n'a pas été lu"), std::string::npos) << omis.erreur;
}

}  // namespace
