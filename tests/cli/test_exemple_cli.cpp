// korvex-recap on the sample folder of the README, written by python3-dbf: February as a payroll
// user checks it, a period, and a payslip the damaged header leaves out.
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
using test::Locale_Francaise_Compilee;
using test::Recap;
using test::TEnvironnement;

// The sample folder of the README, written by python3-dbf; the totals were checked against a
// recap written with dbfread, and the cancelled (deleted) payslip of 02-2024 is not counted.
TEST(KorvexRecapExemple, FevrierDuDossierExemple) {
  test::TDossierTemporaire copie;
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie.Chemin() / nom);
  const auto r = Recap({copie.Texte(), "02-2024"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie,
            "N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n"
            "1\tSalaire de base\t\t33149.34\t\n"
            "2\tHeures supplémentaires 25 %\t\t425.75\t\n"
            "3\tHeures supplémentaires 50 %\t\t34.95\t\n"
            "4\tPrime d'ancienneté\t\t911.12\t\n"
            "5\tPrime de rendement\t\t2250\t\n"
            "8\tAbsence non rémunérée\t\t\t81.55\n"
            "9\tIndemnité de transport\t\t345.6\t\n"
            "10\tSalaire brut\t36689.61\t\t\n"
            "11\tBase sécurité sociale plafonnée\t33422.11\t\t\n"
            "12\tBase sécurité sociale déplafonnée\t36689.61\t\t\n"
            "13\tBase CSG/CRDS\t36047.55\t\t\n"
            "14\tBase retraite complémentaire T1\t33422.11\t\t\n"
            "15\tVieillesse plafonnée 6,90 %\t\t\t2306.14\n"
            "16\tVieillesse déplafonnée 0,40 %\t\t\t146.75\n"
            "17\tRetraite complémentaire T1 3,15 %\t\t\t1052.81\n"
            "18\tContribution d'équilibre général 0,86 %\t\t\t287.42\n"
            "19\tMutuelle santé\t\t\t494.4\n"
            "20\tPrévoyance 0,78 %\t\t\t260.7\n"
            "21\tCSG déductible 6,80 %\t\t\t2451.22\n"
            "22\tCSG non déductible 2,40 %\t\t\t865.16\n"
            "23\tCRDS 0,50 %\t\t\t180.25\n"
            "24\tTitres-restaurant part salariale\t\t\t850.5\n"
            "25\tAcompte\t\t\t350\n"
            "26\tNet imposable\t29690.17\t\t\n"
            "27\tNet à payer\t27789.86\t\t\n"
            "30\tHeures d'absence\t7\t\t\n");
  EXPECT_EQ(r.erreur, "");
}

// The sample folder as copied from Windows, its table named in lower case: the folder is the
// same after the recap, names and bytes.
TEST(KorvexRecapExemple, UnPaiesEnMinusculesGardeSonNom) {
  test::TDossierTemporaire copie;
  const fs::path exemples = fs::path(KORVEX_EXEMPLES) / "KORVEX";
  fs::copy_file(exemples / "PAIES.DTA", copie.Chemin() / "paies.dta");
  fs::copy_file(exemples / "PAIES.DBT", copie.Chemin() / "PAIES.DBT");
  fs::copy_file(exemples / "RUBRIQUE.DTA", copie.Chemin() / "RUBRIQUE.DTA");
  const auto dossier = [&] {
    std::vector<std::pair<std::string, std::string>> contenu;
    for (const auto& e : fs::directory_iterator(copie.Chemin()))
      contenu.emplace_back(e.path().filename().string(), test::Contenu(e.path()));
    std::sort(contenu.begin(), contenu.end());
    return contenu;
  };
  const auto avant = dossier();
  const auto r = Recap({copie.Texte(), "02-2024"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_NE(r.sortie.find("27\tNet à payer\t27789.86\t\t\n"), std::string::npos) << r.sortie;
  EXPECT_EQ(dossier(), avant);
}

// Labels may hold what JSON must escape; totals are numbers with a point whatever the locale.
class KorvexRecapEchantillon : public ::testing::Test {
protected:
  KorvexRecapEchantillon() {
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie_.Chemin() / nom);
  }
  nlohmann::json Json(std::vector<std::string> periode) {
    periode.insert(periode.begin(), {"--json", copie_.Texte()});
    const auto r = Recap(periode);
    EXPECT_EQ(r.code, 0) << r.erreur;
    return nlohmann::json::parse(r.sortie);
  }
  test::TDossierTemporaire copie_;
};

// The check a payroll user makes: the net of the summary is the sample's "Net à payer".
TEST_F(KorvexRecapEchantillon, ResumeDeFevrier) {
#ifdef _WIN32
  const bool francais = false;  // the separator comes from the system's regional settings
#else
  const bool francais = Locale_Francaise_Compilee();
#endif
  const auto r = Recap({"--resume", copie_.Texte(), "02-2024"},
                       francais ? TEnvironnement{{"LC_ALL", "fr_FR.UTF-8"}} : TEnvironnement{{"LC_ALL", "C"}});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie, francais ? "12 bulletins\nGains : 37116,76 — Retenues : 9326,9\nNet : 27789,86\n"
                               : "12 bulletins\nGains : 37116.76 — Retenues : 9326.9\nNet : 27789.86\n");
  const auto fevrier = Json({"02-2024"});
  EXPECT_EQ(fevrier["net"], 27789.86);
  EXPECT_EQ(fevrier["lignes"].back()["total"], 7);  // heures d'absence
}

// A period's totals, rubric by rubric, and its payslips are those of its months added.
TEST_F(KorvexRecapEchantillon, UnePeriodeEstLaSommeDeSesMois) {
  std::map<int, long long> centimes;
  int bulletins = 0;
  for (const char* mois : {"01-2024", "02-2024", "03-2024"}) {
    const auto json = Json({mois});
    bulletins += json["bulletins"].get<int>();
    for (const auto& l : json["lignes"]) centimes[l["rubrique"]] += std::llround(l["total"].get<double>() * 100);
  }
  const auto periode = Json({"01-2024", "03-2024"});
  EXPECT_EQ(periode["mois"], "01-2024");
  EXPECT_EQ(periode["mois_fin"], "03-2024");
  EXPECT_EQ(periode["bulletins"], bulletins);
  std::map<int, long long> centimes_periode;
  for (const auto& l : periode["lignes"]) centimes_periode[l["rubrique"]] = std::llround(l["total"].get<double>() * 100);
  EXPECT_EQ(centimes_periode, centimes);
  EXPECT_GT(centimes.size(), 20u);
}

// The sample with its header announcing one record fewer: the last payslip (March, LAMBERT)
// is left out, and the recap says so.
TEST_F(KorvexRecapEchantillon, UnBulletinEcarteEstUnAvertissementEtLeCode3) {
  const fs::path paies = fs::path(copie_.Texte()) / "PAIES.DTA";
  std::string table = test::Contenu(paies);
  table[4] = static_cast<char>(table[4] - 1);
  std::ofstream(paies, std::ios::binary) << table;
  const std::string avertissement =
      "Attention : la table " + copie_.Texte() + "\\PAIES.DTA est endommagée : le fichier contient 1 enregistrement de "
      "plus que les 36 annoncés par son en-tête ; l'enregistrement 37 n'a pas été lu : le calcul ne compte pas son bulletin.";
  struct Cas {
    std::string option, mois;
    int code;
  };
  for (const Cas& c : std::vector<Cas>{{"--resume", "03-2024", 3}, {"--csv", "03-2024", 3}, {"--resume", "02-2024", 3}}) {
    const auto r = Recap({c.option, copie_.Texte(), c.mois});
    EXPECT_EQ(r.code, c.code) << c.option << " " << c.mois;
    EXPECT_EQ(r.erreur, avertissement + "\n");
    EXPECT_FALSE(r.sortie.empty());
  }
  EXPECT_EQ(Recap({"--resume", copie_.Texte(), "03-2024"}).sortie.substr(0, 12), "11 bulletins");
  const auto r = Recap({"--json", copie_.Texte(), "03-2024"});
  EXPECT_EQ(nlohmann::json::parse(r.sortie)["avertissements"], nlohmann::json::array({avertissement}));
  EXPECT_EQ(test::Contenu(paies), table);
}

}  // namespace
