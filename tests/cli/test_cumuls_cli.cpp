// korvex-recap --cumuls: a period month by month, as a closing script reads it; each month's
// figures those of its own recap's JSON.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "Recap_Cli.h"
#include "support/Dossier_Temporaire.h"

namespace {

namespace fs = std::filesystem;

using test::Recap;

class KorvexCumuls : public ::testing::Test {
protected:
  KorvexCumuls() {
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie_.Chemin() / nom);
  }
  std::string Dossier() const { return copie_.Texte(); }
  test::TDossierTemporaire copie_;
};

TEST_F(KorvexCumuls, EachMonthIsItsRecapInTheJson) {
  const auto r = Recap({"--cumuls", "--json", Dossier(), "12-2023", "03-2024"});
  ASSERT_EQ(r.code, 0) << r.erreur;
  const auto c = nlohmann::ordered_json::parse(r.sortie);
  std::vector<std::string> cles;
  for (const auto& [cle, valeur] : c.items()) cles.push_back(cle);
  EXPECT_EQ(cles, (std::vector<std::string>{"dossier", "mois_debut", "mois_fin", "mois", "lignes", "bulletins", "gains",
                                             "retenues", "net", "total_bulletins", "total_gains", "total_retenues",
                                             "total_net", "avertissements"}));
  EXPECT_EQ(c["mois"], nlohmann::ordered_json::parse(R"(["12-2023","01-2024","02-2024","03-2024"])"));
  EXPECT_EQ(c["bulletins"][0], 0);  // December holds no payslip and keeps its column
  for (size_t k = 1; k < 4; ++k) {
    const std::string mois = c["mois"][k];
    const auto recap = nlohmann::ordered_json::parse(Recap({"--json", Dossier(), mois}).sortie);
    EXPECT_EQ(c["bulletins"][k], recap["bulletins"]) << mois;
    EXPECT_EQ(c["gains"][k], recap["gains"]) << mois;
    EXPECT_EQ(c["net"][k], recap["net"]) << mois;
    size_t lignes_du_mois = 0;
    for (const auto& l : c["lignes"]) {
      if (l["totaux"][k] == 0) continue;
      const auto& attendue = recap["lignes"][lignes_du_mois++];
      EXPECT_EQ(l["rubrique"], attendue["rubrique"]) << mois;
      EXPECT_EQ(l["totaux"][k], attendue["total"]) << mois;
    }
    EXPECT_EQ(lignes_du_mois, recap["lignes"].size()) << mois;
  }
  const auto periode = nlohmann::ordered_json::parse(Recap({"--json", Dossier(), "12-2023", "03-2024"}).sortie);
  EXPECT_EQ(c["total_gains"], periode["gains"]);
  EXPECT_EQ(c["total_bulletins"], periode["bulletins"]);
}

TEST_F(KorvexCumuls, TabsByDefaultAndBadPeriodsGiveTheUsage) {
  const auto r = Recap({"--cumuls", Dossier(), "01-2024", "02-2024"});
  ASSERT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie.substr(0, r.sortie.find('\n')), "N° RUB\tLIBELLES\tCOLONNE\t01-2024\t02-2024\tTOTAL");
  EXPECT_NE(r.sortie.find("\n1\tSalaire de base\tGAINS\t33149.34\t33149.34\t66298.68\n"), std::string::npos) << r.sortie;
  EXPECT_NE(r.sortie.find("\n\tNet\t\t"), std::string::npos);
  const struct {
    std::vector<std::string> arguments;
    std::string faute;
  } cas[] = {
      {{"--cumuls", Dossier(), "01-2024"}, "--cumuls attend une période : DOSSIER MOIS MOIS_FIN"},
      {{"--cumuls", Dossier(), "01-2021", "01-2024"}, "Les cumuls portent sur 36 mois au plus."},
      {{"--cumuls", Dossier(), "03-2024", "01-2024"}, "une période s'écrit MOIS MOIS_FIN"},
      {{"--cumuls", "--detail", "1", Dossier(), "01-2024", "02-2024"}, "--cumuls ne s'emploie pas avec"},
      {{"--cumuls", "--resume", Dossier(), "01-2024", "02-2024"}, "--cumuls ne s'emploie pas avec"},
  };
  for (const auto& k : cas) {
    const auto e = Recap(k.arguments);
    EXPECT_EQ(e.code, 64) << k.faute;
    EXPECT_EQ(e.erreur.rfind("korvex-recap : " + k.faute, 0), 0u) << e.erreur;
    EXPECT_NE(e.erreur.find("korvex-recap --cumuls [--csv | --json | --xlsx FICHIER] DOSSIER MOIS MOIS_FIN"),
              std::string::npos);
    EXPECT_EQ(e.sortie, "");
  }
}

}  // namespace
