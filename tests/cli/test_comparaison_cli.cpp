// korvex-recap --comparer on the sample folder: each month's figures are its recap's (the golden
// files), in the three forms; wrong options and a damaged folder give the recap's statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "support/Golden.h"
#include "Lanceur.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct ComparaisonCli : ::testing::Test {
  test::TDossierTemporaire copie;
  ComparaisonCli() {
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie.Chemin() / nom);
  }
  test::TExecution Lancer(std::vector<std::string> options, const std::vector<std::string>& mois) {
    options.push_back(copie.Texte());
    options.insert(options.end(), mois.begin(), mois.end());
    return test::Lancer({KORVEX_RECAP_EXE, options, {{"LC_ALL", "C"}}, ""});
  }
};

std::vector<std::vector<std::string>> Cellules(const std::string& texte, char separateur) {
  std::vector<std::vector<std::string>> lignes;
  std::istringstream flux(texte);
  for (std::string ligne; std::getline(flux, ligne);) {
    lignes.emplace_back();
    std::istringstream cellules(ligne);
    for (std::string c; std::getline(cellules, c, separateur);) lignes.back().push_back(c);
    if (!ligne.empty() && ligne.back() == separateur) lignes.back().emplace_back();
  }
  return lignes;
}

// A recap golden's TSV total of each rubric, as written.
std::map<std::string, std::string> Totaux_Golden(const std::string& cas) {
  std::map<std::string, std::string> totaux;
  const auto lignes = Cellules(test::Golden(cas, "tsv"), '\t');
  for (size_t r = 1; r < lignes.size(); ++r)
    for (size_t c = 2; c < lignes[r].size(); ++c)
      if (!lignes[r][c].empty()) totaux[lignes[r][0]] = lignes[r][c];
  return totaux;
}

TEST_F(ComparaisonCli, TabsAndCsvHoldEachMonthsRecapTotals) {
  const auto r = Lancer({"--comparer", "01-2024"}, {"02-2024"});
  ASSERT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.erreur, "");
  const auto lignes = Cellules(r.sortie, '\t');
  ASSERT_FALSE(lignes.empty());
  EXPECT_EQ(lignes[0], (std::vector<std::string>{"N° RUB", "LIBELLES", "COLONNE", "TOTAL 01-2024", "TOTAL 02-2024",
                                                  "ÉCART", "ÉCART %", "CONTRÔLE"}));
  auto janvier = Totaux_Golden("01-2024"), fevrier = Totaux_Golden("02-2024");
  std::set<std::string> rubriques;
  for (const auto& [rubrique, total] : janvier) rubriques.insert(rubrique);
  for (const auto& [rubrique, total] : fevrier) rubriques.insert(rubrique);
  ASSERT_EQ(lignes.size(), rubriques.size() + 1);
  for (size_t i = 1; i < lignes.size(); ++i) {
    ASSERT_EQ(lignes[i].size(), 8u) << i;
    const std::string& rubrique = lignes[i][0];
    EXPECT_EQ(lignes[i][3], janvier.count(rubrique) ? janvier[rubrique] : "0") << rubrique;
    EXPECT_EQ(lignes[i][4], fevrier.count(rubrique) ? fevrier[rubrique] : "0") << rubrique;
  }
  // No sample label holds a ";", a quote or a line break: the CSV is the same cells.
  std::string csv = r.sortie;
  for (char& c : csv) c = c == '\t' ? ';' : c;
  EXPECT_EQ(Lancer({"--csv", "--comparer", "01-2024"}, {"02-2024"}).sortie, csv);
}

// The JSON's figures against the recaps' JSON goldens, for two months and for a quarter
// against the quarter before (which the sample has no payslip of).
TEST_F(ComparaisonCli, JsonHoldsBothRecapsAndTheirDifferences) {
  struct Cas {
    std::vector<std::string> options, mois;
    std::string golden, golden_reference;
  };
  const Cas cas[] = {{{"--json", "--comparer", "01-2024", "--seuil", "12,5"}, {"02-2024"}, "02-2024", "01-2024"},
                     {{"--comparer", "10-2023", "--json"}, {"01-2024", "03-2024"}, "01-2024_03-2024", ""}};
  for (const Cas& k : cas) {
    const auto r = Lancer(k.options, k.mois);
    ASSERT_EQ(r.code, 0) << r.erreur;
    const json d = json::parse(r.sortie), recap = json::parse(test::Golden(k.golden, "json"));
    const json aucun = {{"bulletins", 0}, {"lignes", json::array()}, {"gains", 0}, {"retenues", 0}, {"net", 0}};
    const json reference = k.golden_reference.empty() ? aucun : json::parse(test::Golden(k.golden_reference, "json"));
    std::map<int, json> lignes;
    for (const auto& l : d["lignes"]) lignes[l["rubrique"].get<int>()] = l;
    const std::pair<const json*, const char*> cotes[] = {{&recap, "total"}, {&reference, "total_reference"}};
    for (const auto& [j, cle] : cotes) {
      for (const auto& l : (*j)["lignes"]) {
        const int rubrique = l["rubrique"].get<int>();
        ASSERT_TRUE(lignes.count(rubrique)) << l;
        EXPECT_EQ(lignes[rubrique][cle], l["total"]) << l;
        EXPECT_EQ(lignes[rubrique]["libelle"], l["libelle"]);
      }
      const std::string suffixe = j == &recap ? "" : "_reference";
      for (const char* champ : {"bulletins", "gains", "retenues", "net"}) EXPECT_EQ(d[champ + suffixe], (*j)[champ]) << champ;
    }
    for (const auto& [rubrique, l] : lignes) {
      EXPECT_NEAR(l["ecart"].get<double>(), l["total"].get<double>() - l["total_reference"].get<double>(), 1e-6);
      if (l["total_reference"] == 0) {
        EXPECT_TRUE(l["ecart_pourcent"].is_null() && l["a_verifier"] == true) << l;
      }
    }
    EXPECT_EQ(d["avertissements"], json::array());
  }
  const json d = json::parse(Lancer({"--json", "--comparer", "01-2024", "--seuil", "12,5"}, {"02-2024"}).sortie);
  EXPECT_EQ(d["seuil"], 12.5);
  EXPECT_EQ(d["mois_reference"], "01-2024");
}

TEST_F(ComparaisonCli, StatusesOfARecap) {
  struct Cas {
    std::vector<std::string> options, mois;
    int code;
    std::string debut_erreur;
  };
  const std::string usage = "korvex-recap : ";
  const Cas cas[] = {
      {{"--comparer", "1-2024"}, {"02-2024"}, 64, usage + "--comparer attend le mois de référence MOIS_REF"},
      {{"--comparer", "13-2023"}, {"02-2024"}, 64, usage + "--comparer attend"},
      {{"--comparer", "01-2024", "--seuil", "-5"}, {"02-2024"}, 64, usage + "--seuil attend"},
      {{"--comparer", "01-2024", "--seuil", "dix"}, {"02-2024"}, 64, usage + "--seuil attend"},
      {{"--seuil", "10"}, {"02-2024"}, 64, usage + "--seuil ne s'emploie qu'avec --comparer"},
      {{"--resume", "--comparer", "01-2024"}, {"02-2024"}, 64, usage + "--resume ne s'emploie pas"},
      {{"--comparer", "01-2024"}, {"2-2024"}, 1, "Mois non précisé correctement."},
  };
  for (const Cas& k : cas) {
    const auto r = Lancer(k.options, k.mois);
    EXPECT_EQ(r.code, k.code) << testing::PrintToString(k.options);
    EXPECT_EQ(r.sortie, "");
    EXPECT_EQ(r.erreur.rfind(k.debut_erreur, 0), 0u) << r.erreur;
    if (k.code == 64) {
      EXPECT_NE(r.erreur.find("--comparer MOIS_REF [--seuil P]"), std::string::npos);
    }
  }
  EXPECT_EQ(test::Lancer({KORVEX_RECAP_EXE, {"--comparer"}, {}, ""}).code, 64);

  // A payslip record with a bad deletion flag: printed, with the warning, status 3.
  {
    std::fstream f(copie.Chemin() / "PAIES.DTA", std::ios::in | std::ios::out | std::ios::binary);
    unsigned char entete[12];
    f.read(reinterpret_cast<char*>(entete), sizeof entete);
    f.seekp((entete[8] | entete[9] << 8) + (entete[10] | entete[11] << 8));
    f.put('X');
  }
  const auto r = Lancer({"--comparer", "01-2024"}, {"02-2024"});
  EXPECT_EQ(r.code, 3);
  EXPECT_NE(r.sortie, "");
  EXPECT_EQ(r.erreur.rfind("Attention : la table ", 0), 0u) << r.erreur;
}

}  // namespace
