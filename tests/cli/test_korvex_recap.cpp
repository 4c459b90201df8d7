// korvex-recap run as a user runs it: the built program, its arguments, its output and status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "Recap_Cli.h"

namespace {

namespace fs = std::filesystem;
using test::Recap;
using test::TEnvironnement;

const TEnvironnement Locale_C = {{"LC_ALL", "C"}};

using test::Locale_Francaise_Compilee;

std::string Memo(const std::vector<std::string>& lignes) {
  std::string texte = "BULLETIN\r\n";
  for (const auto& l : lignes) texte += l + "\r\n";
  return texte;
}

const std::string Entete = "N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n";

// A small month of two payslips, with one of another month and one deleted.
void Ecrire_Dossier(const fs::path& dossier) {
  test::Ecrire_Rubriques(dossier, {{"Salaire de base", "1"},
                                   {"Heures supplémentaires 25 %", "1"},
                                   {"Base sécurité sociale", "0"},
                                   {"Cotisation vieillesse", "2"},
                                   {"Acompte", "2"}});
  test::Ecrire_Paies(dossier,
                     {{"03-2011", Memo({"0011520.00", "002100.10", "0031620.10", "004110.50"})},
                      {"04-2011", Memo({"0019999.00"})},
                      {"03-2011", Memo({"0015000.00"}), true},
                      {"03-2011", Memo({"0011800.00", "002200.20", "0032000.20", "004136.40", "005300"})}});
}

const std::string Recap_Mars_2011 = Entete +
                                    "1\tSalaire de base\t\t3320\t\n"
                                    "2\tHeures supplémentaires 25 %\t\t300.3\t\n"
                                    "3\tBase sécurité sociale\t3620.3\t\t\n"
                                    "4\tCotisation vieillesse\t\t\t246.9\n"
                                    "5\tAcompte\t\t\t300\n";

class KorvexRecap : public ::testing::Test {
protected:
  KorvexRecap() { Ecrire_Dossier(dossier_.Chemin()); }
  std::string Dossier() const { return dossier_.Texte(); }
  fs::path Fichier(const char* nom) const { return dossier_.Chemin() / nom; }

  test::TDossierTemporaire dossier_;
};

TEST_F(KorvexRecap, EcritLaGrilleDuMoisEnTabulationsEtLaisseLesFichiersIntacts) {
  const std::string paies = test::Contenu(Fichier("PAIES.DTA"));
  const auto r = Recap({Dossier(), "03-2011"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.sortie, Recap_Mars_2011);
  EXPECT_EQ(r.erreur, "");
  EXPECT_EQ(test::Contenu(Fichier("PAIES.DTA")), paies);
  EXPECT_FALSE(fs::exists(Fichier("PAIES.DBF")));
}

TEST_F(KorvexRecap, MoisSansPaieDonneLaSeuleLigneEntete) {
  const auto r = Recap({Dossier(), "05-2011"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.sortie, Entete);
}

// The month goes through the window's own check: trimmed for its length and for the scan.
TEST_F(KorvexRecap, MoisTelQueSaisi) {
  const std::string message = "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)\n";
  struct Cas {
    const char* mois;
    int code;
    std::string sortie, erreur;
  };
  const Cas cas[] = {
      {" 03-2011", 0, Recap_Mars_2011, ""},
      {"03-2011\t", 0, Recap_Mars_2011, ""},
      {"04-2011", 0, Entete + "1\tSalaire de base\t\t9999\t\n", ""},
      {"3-2011", 1, "", message},
      {"03-20111", 1, "", message},
      {"", 1, "", message},
  };
  for (const auto& c : cas) {
    const auto r = Recap({Dossier(), c.mois});
    EXPECT_EQ(r.code, c.code) << '"' << c.mois << '"';
    EXPECT_EQ(r.sortie, c.sortie) << '"' << c.mois << '"';
    EXPECT_EQ(r.erreur, c.erreur) << '"' << c.mois << '"';
  }
}

// A month field always holds a month: a typed text of seven characters that is none is taken
// as the month asked, and finds no payslip.
TEST_F(KorvexRecap, UnMoisQuiCommenceParUnTiretSuitLaFinDesOptions) {
  const auto r = Recap({"--", Dossier(), "-3-2011"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.sortie, Entete);
  EXPECT_EQ(r.erreur, "");
  EXPECT_EQ(Recap({Dossier(), "-3-2011"}).code, 64);
}

// The folder is the field's text: nothing trimmed, the file name appended with a backslash.
TEST_F(KorvexRecap, DossierSansPaiesEstUnMessage) {
  for (const std::string& dossier : {Dossier() + " ", Dossier() + "/inexistant", std::string()}) {
    const auto r = Recap({dossier, "03-2011"});
    EXPECT_EQ(r.code, 1) << dossier;
    EXPECT_EQ(r.sortie, "") << dossier;
    EXPECT_EQ(r.erreur, "Fichier " + dossier + "\\PAIES.DTA Non trouvé\n") << dossier;
  }
}

TEST_F(KorvexRecap, SeparateurDecimalDesParametresRegionaux) {
#ifdef _WIN32
  GTEST_SKIP() << "sous Windows le séparateur vient des paramètres régionaux du système";
#endif
  if (!Locale_Francaise_Compilee()) GTEST_SKIP() << "locale fr_FR.UTF-8 absente de " KORVEX_LOCPATH;
  struct Cas {
    TEnvironnement environnement;
    const char* heures;
  };
  const Cas cas[] = {
      {{}, "300.3"},
      {{{"LANG", "fr_FR.UTF-8"}}, "300,3"},
      {{{"LC_ALL", "fr_FR.UTF-8"}}, "300,3"},
      {{{"LC_ALL", "C"}, {"LANG", "fr_FR.UTF-8"}}, "300.3"},
  };
  for (const auto& c : cas) {
    const auto r = Recap({Dossier(), "03-2011"}, c.environnement);
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.sortie.find(std::string("\n2\tHeures supplémentaires 25 %\t\t") + c.heures + "\t\n"),
              std::string::npos)
        << c.heures << "\n"
        << r.sortie;
  }
  EXPECT_NE(Recap({"--csv", Dossier(), "03-2011"}, {{"LC_ALL", "fr_FR.UTF-8"}})
                .sortie.find("\n3;Base sécurité sociale;3620,3;;\n"),
            std::string::npos);
}

// Errors are shown as the error box shows them, and nothing goes to standard output.
TEST_F(KorvexRecap, ErreursSurLaSortieErreurAvecLeurPoint) {
  test::Ecrire_Paies(dossier_.Chemin(), {{"03-2011", Memo({"0011520.00"})}, {"03-2011", Memo({"00112,50"})}});
  const std::string paies = test::Contenu(Fichier("PAIES.DTA"));
  auto r = Recap({Dossier(), "03-2011"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.sortie, "");
  EXPECT_EQ(r.erreur, "'12,50' n'est pas une valeur en virgule flottante correcte\nBulletin de l'enregistrement 2 de la table " +
                         dossier_.Texte() + "\\PAIES.DTA.\n");
  EXPECT_EQ(test::Contenu(Fichier("PAIES.DTA")), paies);
  EXPECT_FALSE(fs::exists(Fichier("PAIES.DBF")));

  test::Ecrire_Table(Fichier("RUBRIQUE.DTA"), {{"LIBELLE", 'C', 40}}, {{{"Salaire de base"}}});
  test::Ecrire_Paies(dossier_.Chemin(), {{"03-2011", Memo({"0011520.00"})}});
  r = Recap({Dossier(), "03-2011"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.sortie, "");
  EXPECT_EQ(r.erreur, "Champ 'CLASSE' non trouvé.\n");
}

TEST_F(KorvexRecap, UnPaiesDbfDejaLaNEstNiLuNiRemplace) {
  std::ofstream(Fichier("PAIES.DBF")) << "ancien";
  const std::string paies = test::Contenu(Fichier("PAIES.DTA"));
  const auto r = Recap({Dossier(), "03-2011"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.sortie, "");
  EXPECT_EQ(r.erreur,
            "Le fichier " + Dossier() +
                "\\PAIES.DBF existe déjà : déplacez-le ou supprimez-le, puis relancez le calcul.\n");
  EXPECT_EQ(test::Contenu(Fichier("PAIES.DTA")), paies);
  EXPECT_EQ(test::Contenu(Fichier("PAIES.DBF")), "ancien");
}

// Labels may hold what breaks a line of cells: a tab, a line break, the CSV separator, a quote.
TEST_F(KorvexRecap, CellulesEnTabulationsEtEnCsv) {
  test::Ecrire_Rubriques(dossier_.Chemin(), {{"Prime \"nuit\"; dimanche", "1"},
                                             {"Indemnité\r\nde trajet", "1"},
                                             {"Avance\tsur frais", "2"},
                                             {"Net à payer", "0"}});
  test::Ecrire_Paies(dossier_.Chemin(), {{"03-2011", Memo({"00112.50", "0027", "00340", "004-1234.5"})}});
  auto r = Recap({Dossier(), "03-2011"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.sortie, Entete +
                          "1\tPrime \"nuit\"; dimanche\t\t12.5\t\n"
                          "2\tIndemnité de trajet\t\t7\t\n"
                          "3\tAvance sur frais\t\t\t40\n"
                          "4\tNet à payer\t-1234.5\t\t\n");
  r = Recap({"--csv", Dossier(), "03-2011"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.sortie,
            "N° RUB;LIBELLES;BASES;GAINS;RETENUES\n"
            "1;\"Prime \"\"nuit\"\"; dimanche\";;12.5;\n"
            "2;\"Indemnité\r\nde trajet\";;7;\n"
            "3;Avance\tsur frais;;;40\n"
            "4;Net à payer;-1234.5;;\n");
}

// UTF-8 arguments reach the files, and the texts come back in UTF-8.
TEST(KorvexRecapUtf8, DossierAccentue) {
  test::TDossierTemporaire racine;
  const fs::path dossier = racine.Chemin() / fs::path(u8"Données été");
  fs::create_directory(dossier);
  Ecrire_Dossier(dossier);
  const std::string texte = racine.Texte() + "/Données été";
  auto r = Recap({texte, "03-2011"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie, Recap_Mars_2011);
  r = Recap({racine.Texte() + "/Paie Noël", "03-2011"});
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.erreur, "Fichier " + racine.Texte() + "/Paie Noël\\PAIES.DTA Non trouvé\n");
}

TEST(KorvexRecapArguments, MauvaisArgumentsDonnentUsageEtCode64) {
  const std::vector<std::vector<std::string>> cas = {{},
                                                     {"C:\\KORVEX"},
                                                     {"C:\\KORVEX", "03-2011", "de trop"},
                                                     {"--tsv", "C:\\KORVEX", "03-2011"},
                                                     {"--csv"}};
  for (const auto& arguments : cas) {
    const auto r = Recap(arguments);
    EXPECT_EQ(r.code, 64) << testing::PrintToString(arguments);
    EXPECT_EQ(r.sortie, "");
    EXPECT_NE(r.erreur.find("\nUsage : korvex-recap [--csv | --json | --resume | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"), std::string::npos) << r.erreur;
  }
  EXPECT_EQ(
      Recap({"--tsv", "C:\\KORVEX", "03-2011"}).erreur.rfind("korvex-recap : option inconnue : --tsv\n", 0),
      0u);
}

TEST(KorvexRecapArguments, AideSurLaSortieStandard) {
  for (const char* option : {"--help", "-h"}) {
    const auto r = Recap({option});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.sortie.rfind("Usage : korvex-recap [--csv | --json | --resume | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n", 0), 0u) << r.sortie;
    EXPECT_NE(r.sortie.find("64  arguments incorrects"), std::string::npos);
    EXPECT_EQ(r.erreur, "");
  }
}

TEST_F(KorvexRecap, JsonDuMois) {
  test::Ecrire_Rubriques(dossier_.Chemin(), {{"Prime \"nuit\" \\ dimanche\x01", "1"},
                                             {"Heures", "1"},
                                             {"Base", "0"},
                                             {"Cotisation", "2"},
                                             {"Acompte", "2"}});
  const auto r = Recap({"--json", Dossier(), " 03-2011"});
  ASSERT_EQ(r.code, 0) << r.erreur;
  const auto json = nlohmann::json::parse(r.sortie);
  EXPECT_EQ(json["dossier"], Dossier());
  EXPECT_EQ(json["mois"], "03-2011");
  EXPECT_FALSE(json.contains("mois_fin"));
  EXPECT_EQ(json["bulletins"], 2);
  const auto lignes = nlohmann::json::parse(R"([
    {"rubrique": 1, "libelle": "Prime \"nuit\" \\ dimanche\u0001", "colonne": "GAINS", "total": 3320},
    {"rubrique": 2, "libelle": "Heures", "colonne": "GAINS", "total": 300.3},
    {"rubrique": 3, "libelle": "Base", "colonne": "BASES", "total": 3620.3},
    {"rubrique": 4, "libelle": "Cotisation", "colonne": "RETENUES", "total": 246.9},
    {"rubrique": 5, "libelle": "Acompte", "colonne": "RETENUES", "total": 300}])");
  EXPECT_EQ(json["lignes"], lignes);
  EXPECT_EQ(json["gains"], 3620.3);
  EXPECT_EQ(json["retenues"], 546.9);
  EXPECT_EQ(json["net"], 3073.4);
  EXPECT_NE(r.sortie.find("\"total\": 3320\n"), std::string::npos) << r.sortie;
  if (Locale_Francaise_Compilee()) {
    EXPECT_EQ(Recap({"--json", Dossier(), "03-2011"}, {{"LC_ALL", "fr_FR.UTF-8"}}).sortie, r.sortie);
  }
}

TEST_F(KorvexRecap, PeriodeEtOptionsRefusees) {
  const std::string periode = "une période s'écrit MOIS MOIS_FIN : deux mois mm-aaaa (01 à 12, année sur "
                              "quatre chiffres), MOIS_FIN pas avant MOIS\n";
  struct Cas {
    std::vector<std::string> arguments;
    std::string faute;
  };
  const Cas cas[] = {
      {{Dossier(), "04-2011", "03-2011"}, periode},
      {{Dossier(), "03-2011", "04/2011"}, periode},
      {{"--resume", "--csv", Dossier(), "03-2011"}, "--csv, --json, --resume et --xlsx s'excluent\n"},
  };
  for (const auto& c : cas) {
    const auto r = Recap(c.arguments);
    EXPECT_EQ(r.code, 64) << testing::PrintToString(c.arguments);
    EXPECT_EQ(r.sortie, "");
    EXPECT_EQ(r.erreur.rfind("korvex-recap : " + c.faute, 0), 0u) << r.erreur;
  }
  const auto r = Recap({Dossier(), "03-2011", "04-2011"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie, Entete +
                          "1\tSalaire de base\t\t13319\t\n"
                          "2\tHeures supplémentaires 25 %\t\t300.3\t\n"
                          "3\tBase sécurité sociale\t3620.3\t\t\n"
                          "4\tCotisation vieillesse\t\t\t246.9\n"
                          "5\tAcompte\t\t\t300\n");
}

#ifndef _WIN32
TEST_F(KorvexRecap, SortieStandardPleineEstUneErreur) {
  const auto r = test::Lancer({KORVEX_RECAP_EXE, {Dossier(), "03-2011"}, Locale_C, "/dev/full"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.erreur, "Impossible d'écrire la récap sur la sortie standard.\n");
  EXPECT_FALSE(fs::exists(Fichier("PAIES.DBF")));
}
#endif

}  // namespace
