// korvex-recap --controles, --bulletin and --comparer with --detail, on a folder written by
// python3-dbf where one employee stands for each control, found or not.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "Recap_Cli.h"
#include "support/Dossier_Temporaire.h"

namespace {

namespace fs = std::filesystem;

using test::Recap;

class KorvexControles : public ::testing::Test {
protected:
  KorvexControles() {
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      fs::copy_file(fs::path(KORVEX_CONTROLES) / "KORVEX" / nom, copie_.Chemin() / nom);
  }
  std::string Dossier() const { return copie_.Texte(); }
  test::TDossierTemporaire copie_;
};

TEST_F(KorvexControles, EachControlFindsItsEmployeeAndOnlyItsEmployee) {
  const auto r = Recap({"--controles", "--json", Dossier(), "02-2024"});
  ASSERT_EQ(r.code, 4) << r.erreur;  // anomalies, and no damage
  const auto c = nlohmann::ordered_json::parse(r.sortie);
  EXPECT_EQ(c["mois_reference"], "01-2024");  // the month before
  struct Constat {
    std::string controle, matricule, niveau;
    int64_t enregistrement;
  };
  const std::vector<Constat> attendus{
      {"entree", "00002", "À vérifier", 11},
      {"sortie", "00003", "À vérifier", 2},  // the reference's record
      {"bulletins_multiples", "00004", "Anomalie", 12},
      {"net_negatif", "00005", "Anomalie", 14},
      {"net_nul", "00006", "À vérifier", 15},
      {"sans_montant", "00007", "À vérifier", 16},
      {"rubrique_sans_libelle", "00008", "Anomalie", 17},  // rubric 5, a blank label
      {"rubrique_sans_libelle", "00008", "Anomalie", 17},  // rubric 7, no record
      {"ecart_net", "00004", "À vérifier", 12},
      {"ecart_net", "00005", "À vérifier", 14},
      {"ecart_net", "00009", "À vérifier", 18},
  };
  ASSERT_EQ(c["constats"].size(), attendus.size()) << r.sortie;
  for (size_t i = 0; i < attendus.size(); ++i) {
    const auto& k = c["constats"][i];
    EXPECT_EQ(k["controle"], attendus[i].controle) << i;
    EXPECT_EQ(k["identite"]["MATRICULE"], attendus[i].matricule) << i;
    EXPECT_EQ(k["niveau"], attendus[i].niveau) << i;
    EXPECT_EQ(k["enregistrement"], attendus[i].enregistrement) << i;
  }
  EXPECT_EQ(c["constats"][2]["texte"], "2 bulletins ce mois (enregistrements 12 et 13)");
  EXPECT_EQ(c["constats"][3]["montant"], -200);
  EXPECT_EQ(c["constats"][7]["texte"], "Rubrique 7 sans libellé dans RUBRIQUE.DTA : 150.00");
  EXPECT_EQ(c["constats"][10]["texte"], "Net : 2,150.00 → 2,600.00 (+20.9 %)");
  EXPECT_EQ(c["anomalies"], 4);
  EXPECT_EQ(c["a_verifier"], 7);
  // A net that moves by less than the threshold is no finding; at 4 %, it is one.
  const auto bas = nlohmann::ordered_json::parse(Recap({"--controles", "--json", "--seuil", "4", Dossier(), "02-2024"}).sortie);
  EXPECT_EQ(bas["constats"].back()["identite"]["MATRICULE"], "00010");
  // Against another reference, everyone of the month enters.
  const auto r2 = Recap({"--controles", "--reference", "12-2023", Dossier(), "02-2024"});
  EXPECT_EQ(r2.code, 4);
  EXPECT_NE(r2.sortie.find("Entrée : aucun bulletin en 12-2023"), std::string::npos);
}

TEST_F(KorvexControles, DamageWinsOverAnomaliesAndASoundMonthIsZero) {
  // The header announces one record less than the table holds: a warning, status 3.
  {
    std::fstream f(copie_.Chemin() / "PAIES.DTA", std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(4);
    const char dix_huit[4] = {18, 0, 0, 0};
    f.write(dix_huit, 4);
  }
  const auto r = Recap({"--controles", Dossier(), "02-2024"});
  EXPECT_EQ(r.code, 3) << r.erreur;
  EXPECT_NE(r.erreur.find("Attention : "), std::string::npos);
  // The sample's February: nets that moved, nothing abnormal.
  test::TDossierTemporaire exemple_copie;
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, exemple_copie.Chemin() / nom);
  const auto exemple = Recap({"--controles", exemple_copie.Texte(), "02-2024"});
  EXPECT_EQ(exemple.code, 0) << exemple.erreur;
}

TEST_F(KorvexControles, APayslipWholeAndItsNet) {
  const auto r = Recap({"--bulletin", "18", "--json", Dossier()});
  ASSERT_EQ(r.code, 0) << r.erreur;
  const auto b = nlohmann::ordered_json::parse(r.sortie);
  EXPECT_EQ(b["mois"], "02-2024");
  EXPECT_EQ(b["identite"]["NOM"], "HAUSSE Inès");
  ASSERT_EQ(b["lignes"].size(), 2u);
  EXPECT_EQ(b["lignes"][1]["colonne"], "RETENUES");
  EXPECT_EQ(b["gains"], 3000);
  EXPECT_EQ(b["net"], 2600);
  const auto tableau = Recap({"--bulletin", "18", Dossier()});
  EXPECT_NE(tableau.sortie.find("\tNet\t\t2600\n"), std::string::npos) << tableau.sortie;
  const auto absent = Recap({"--bulletin", "99", Dossier()});
  EXPECT_EQ(absent.code, 1);
  EXPECT_NE(absent.erreur.find("L'enregistrement 99 de PAIES.DTA n'est pas un bulletin"), std::string::npos);
}

TEST_F(KorvexControles, TheGapsByEmployeeAddUpToTheComparison) {
  const auto r = Recap({"--comparer", "01-2024", "--detail", "1", "--json", Dossier(), "02-2024"});
  ASSERT_EQ(r.code, 0) << r.erreur;
  const auto e = nlohmann::ordered_json::parse(r.sortie);
  const auto comparaison = nlohmann::ordered_json::parse(Recap({"--comparer", "01-2024", "--json", Dossier(), "02-2024"}).sortie);
  const auto& ligne = comparaison["lignes"][0];
  EXPECT_EQ(ligne["rubrique"], 1);
  EXPECT_EQ(e["total"], ligne["total"]);
  EXPECT_EQ(e["total_reference"], ligne["total_reference"]);
  // The largest gap first, whatever its sign; one row per employee, 00004's two payslips in one.
  std::vector<std::string> matricules;
  std::vector<int> ecarts;
  EXPECT_EQ(e["lignes"][2]["enregistrement"], 12);  // 00004's first payslip of the month
  EXPECT_EQ(e["lignes"][0]["enregistrement"], 2);   // 00003 left: the reference's
  for (const auto& l : e["lignes"]) {
    matricules.push_back(l["identite"]["MATRICULE"]);
    ecarts.push_back(l["ecart"]);
  }
  EXPECT_EQ(matricules, (std::vector<std::string>{"00003", "00002", "00004", "00005", "00009", "00010", "00001", "00006", "00008"}));
  EXPECT_EQ(ecarts, (std::vector<int>{-2500, 1800, 1500, -1200, 450, 100, 0, 0, 0}));
}

// Options that do not go together give the usage and status 64.
TEST_F(KorvexControles, RefusedCombinations) {
  const std::string dossier = Dossier();
  const std::vector<std::vector<std::string>> refuses{
      {"--reference", "01-2024", dossier, "02-2024"},
      {"--controles", dossier, "01-2024", "02-2024"},
      {"--controles", "--reference", "13-2024", dossier, "02-2024"},
      {"--controles", "--seuil", "x", dossier, "02-2024"},
      {"--controles", "--detail", "1", dossier, "02-2024"},
      {"--comparer", "01-2024", "--detail", "1", dossier, "02-2024", "03-2024"},
      {"--comparer", "01-2024", "--detail", "1", "--seuil", "5", dossier, "02-2024"},
      {"--bulletin", "0", dossier},
      {"--bulletin", "3", dossier, "02-2024"},
      {"--bulletin", "3", "--controles", dossier},
  };
  for (const auto& arguments : refuses) {
    const auto r = Recap(arguments);
    EXPECT_EQ(r.code, 64) << arguments.front() << " " << arguments[1];
    EXPECT_NE(r.erreur.find("Usage : "), std::string::npos);
  }
}

}  // namespace
