// korvex-recap --detail N: the payslips behind a rubric's total, as a script reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "Recap_Cli.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

namespace fs = std::filesystem;

using test::Recap;

class KorvexDetail : public ::testing::Test {
protected:
  KorvexDetail() {
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie_.Chemin() / nom);
  }
  std::string Dossier() const { return copie_.Texte(); }
  test::TDossierTemporaire copie_;
};

const char* const Salaire_Fevrier =
    "13\t00001\tDURAND Élodie\t3450\n"
    "14\t00002\tMARTIN Jérôme\t2280\n"
    "15\t00003\tLEFÈVRE Chloé\t1766.92\n"
    "16\t00004\tBERNARD François\t4820\n"
    "17\t00005\tPETIT Anaïs\t2050\n"
    "18\t00006\tROUSSEAU Théo\t1766.92\n"
    "19\t00007\tMOREAU Hélène\t2935.5\n"
    "20\t00008\tGARNIER Loïc\t2410\n"
    "21\t00009\tFAURE Maëlle\t3120\n"
    "22\t00010\tGIRARD Noël\t1985\n"
    "23\t00011\tANDRÉ Céline\t2675\n"
    "24\t00012\tLAMBERT Benoît\t3890\n";

TEST_F(KorvexDetail, LesTroisFormesSurLExemple) {
  auto r = Recap({"--detail", "1", Dossier(), "02-2024"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie, std::string("ENREG.\tMATRICULE\tNOM\tMONTANT\n") + Salaire_Fevrier + "Total\t\t\t33149.34\n");
  EXPECT_EQ(r.erreur, "");

  r = Recap({Dossier(), "--csv", "02-2024", "--detail", "1"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie.rfind("ENREG.;MATRICULE;NOM;MONTANT\n13;00001;DURAND Élodie;3450\n", 0), 0u) << r.sortie;
  EXPECT_TRUE(r.sortie.ends_with("\n24;00012;LAMBERT Benoît;3890\nTotal;;;33149.34\n")) << r.sortie;

  r = Recap({"--json", "--detail", "1", Dossier(), "02-2024"});
  ASSERT_EQ(r.code, 0) << r.erreur;
  const auto json = nlohmann::ordered_json::parse(r.sortie);
  std::vector<std::string> cles;
  for (const auto& [cle, valeur] : json.items()) cles.push_back(cle);
  EXPECT_EQ(cles, (std::vector<std::string>{"dossier", "mois", "rubrique", "libelle", "colonne", "total", "bulletins",
                                             "avertissements"}));
  EXPECT_EQ(json["dossier"], Dossier());
  EXPECT_EQ(json["mois"], "02-2024");
  EXPECT_EQ(json["rubrique"], 1);
  EXPECT_EQ(json["libelle"], "Salaire de base");
  EXPECT_EQ(json["colonne"], "GAINS");
  EXPECT_EQ(json["total"], 33149.34);
  ASSERT_EQ(json["bulletins"].size(), 12u);
  EXPECT_EQ(json["bulletins"][0], nlohmann::ordered_json::parse(
                                      R"({"enregistrement": 13, "champs": {"MATRICULE": "00001", "NOM": "DURAND Élodie"},
                                          "montant": 3450})"));
  EXPECT_EQ(json["bulletins"][2]["montant"], 1766.92);
  EXPECT_NE(r.sortie.find("\"montant\": 3450\n"), std::string::npos);  // a whole amount stays whole
}

TEST_F(KorvexDetail, UneRubriqueSansMontantDonneUneListeVideEtZero) {
  auto r = Recap({"--detail", "899", "--json", Dossier(), "02-2024"});
  ASSERT_EQ(r.code, 0) << r.erreur;
  const auto json = nlohmann::json::parse(r.sortie);
  EXPECT_EQ(json["bulletins"], nlohmann::json::array());
  EXPECT_EQ(json["total"], 0);
  EXPECT_EQ(json["libelle"], "");
  r = Recap({"--detail", "3", Dossier(), "01-2024", "03-2024"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_TRUE(r.sortie.ends_with("\nTotal\t\t\t339.66\n")) << r.sortie;  // the period recap's total
}

TEST_F(KorvexDetail, ArgumentsRefusesEtCode64) {
  struct Cas {
    std::vector<std::string> arguments;
    std::string faute;
  };
  const std::string rubrique = "--detail attend un numéro de rubrique de 1 à 899\n";
  const Cas cas[] = {
      {{"--detail", "0", Dossier(), "02-2024"}, rubrique},
      {{"--detail", "900", Dossier(), "02-2024"}, rubrique},
      {{"--detail", "1a", Dossier(), "02-2024"}, rubrique},
      {{"--detail", "-1", Dossier(), "02-2024"}, rubrique},
      {{"--detail", "", Dossier(), "02-2024"}, rubrique},
      {{Dossier(), "02-2024", "--detail"}, rubrique},
      {{"--detail", "1", "--resume", Dossier(), "02-2024"}, "--detail et --resume s'excluent\n"},
      {{"--detail", "1", Dossier()}, "il faut un DOSSIER et un MOIS\n"},
  };
  for (const auto& c : cas) {
    const auto r = Recap(c.arguments);
    EXPECT_EQ(r.code, 64) << testing::PrintToString(c.arguments);
    EXPECT_EQ(r.sortie, "");
    EXPECT_EQ(r.erreur.rfind("korvex-recap : " + c.faute, 0), 0u) << r.erreur;
    EXPECT_NE(r.erreur.find("\n        korvex-recap --detail N [--csv | --json | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"),
              std::string::npos);
  }
}

// Messages, errors and warnings end as a recap's do.
TEST(KorvexDetailStatuts, MessageErreurEtAvertissement) {
  test::TDossierTemporaire dossier;
  EXPECT_EQ(Recap({"--detail", "1", dossier.Texte(), "02-2024"}).code, 1);
  test::Ecrire_Rubriques(dossier.Chemin(), {});
  test::Ecrire_Paies(dossier.Chemin(), {{"02-2024", test::Memo_Montants({"0011.5"})},
                                        {"02-2024", "\x02" + test::Memo_Montants({"0012"})}});
  auto r = Recap({"--detail", "1", dossier.Texte(), "02-2024"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.sortie, "ENREG.\tMONTANT\n1\t1.5\nTotal\t1.5\n");
  EXPECT_EQ(r.erreur.rfind("Attention : le bulletin de l'enregistrement 2 ", 0), 0u) << r.erreur;
  test::Ecrire_Paies(dossier.Chemin(), {{"02-2024", test::Memo_Montants({"001z"})}});
  r = Recap({"--detail", "1", dossier.Texte(), "02-2024"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.sortie, "");
  EXPECT_EQ(r.erreur.rfind("'z' n'est pas une valeur en virgule flottante correcte\n", 0), 0u) << r.erreur;
}

}  // namespace
