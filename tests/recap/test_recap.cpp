// The recap of a month, from the data folder to the grid, without the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "platform/Fichiers.h"
#include "recap/Recap.h"
#include "platform/Separateurs.h"

namespace {

using test::TPaie;
using test::TRubrique;

std::string Memo(const std::vector<std::string>& lignes) {
  std::string texte = "EN-TETE\r\n";
  for (const auto& l : lignes) texte += l + "\r\n";
  return texte;
}

std::vector<TRubrique> Rubriques(int n) {
  std::vector<TRubrique> r;
  for (int i = 1; i <= n; ++i) r.push_back({"Rubrique " + std::to_string(i), std::to_string(i % 3)});
  return r;
}

struct RecapTest : ::testing::Test {
  test::TDossierTemporaire dossier;
  TTAB_VALEURS TOT_RUB;
  recap::TGrille grille;
  std::vector<std::string> messages;

  void SetUp() override { plateforme::Fixer_Separateurs(U'.', U' '); }
  void TearDown() override { plateforme::Installer_Injecteur_Pannes({}); }

  std::string Chemin() const { return dossier.Texte(); }
  void Calculer(const std::string& mois) {
    recap::Calculer_Recap(Chemin(), mois, TOT_RUB, grille,
                          [this](const std::string& m) { messages.push_back(m); });
  }
  // The message of the error a calculation raises ("" when none).
  std::string Erreur(const std::string& mois) { return Erreur_Dans(Chemin(), mois); }
  std::string Erreur_Dans(const std::string& chemin, const std::string& mois) {
    return test::Message_Erreur([&] {
      recap::Calculer_Recap(chemin, mois, TOT_RUB, grille, [this](const std::string& m) { messages.push_back(m); });
    });
  }
  std::vector<std::string> Rangee(int row) const {
    std::vector<std::string> cellules;
    for (int c = 0; c < recap::TGrille::ColCount; ++c) cellules.push_back(grille.Cells(c, row));
    return cellules;
  }
  bool Paies_A_Sa_Place() const {
    return std::filesystem::exists(dossier.Chemin() / "PAIES.DTA") &&
           !std::filesystem::exists(dossier.Chemin() / "PAIES.DBF");
  }
};

using Cellules = std::vector<std::string>;

TEST_F(RecapTest, SelectsPayslipsByTheFirstSevenCharactersOfMois) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00"})},
                                        {"03-2011 x", Memo({"0012.00"})},
                                        {"03-2011/2", Memo({"0014.00"})},
                                        {"3-2011", Memo({"0018.00"})},
                                        {"03/2011", Memo({"00116.00"})},
                                        {"04-2011", Memo({"00132.00"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(3));
  Calculer("03-2011");
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(TOT_RUB[1], 7.0L);
  EXPECT_EQ(grille.RowCount(), 2);
  EXPECT_EQ(Rangee(0), (Cellules{"N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"}));
  EXPECT_EQ(Rangee(1), (Cellules{"1", "Rubrique 1", "", "7", ""}));
  EXPECT_TRUE(Paies_A_Sa_Place());
}

TEST_F(RecapTest, TotalsShowWithTheUsersSeparatorAtDisplayTime) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"012100.10"})}, {"03-2011", Memo({"012200.20"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(12));
  Calculer("03-2011");
  EXPECT_EQ(grille.Cells(2, 1), "300.3");  // rubric 12 is of class 0
  plateforme::Fixer_Separateurs(U',', U' ');
  Calculer("03-2011");
  EXPECT_EQ(grille.Cells(2, 1), "300,3");
  EXPECT_EQ(plateforme::DecimalSeparator(), U',');
}

TEST_F(RecapTest, EmptyTableOrMonthWithoutPayslipsShowsOnlyTheHeader) {
  for (const auto& paies : {std::vector<TPaie>{}, std::vector<TPaie>{{"04-2011", Memo({"0015.00"})}}}) {
    test::Ecrire_Paies(dossier.Chemin(), paies);
    test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(5));
    grille.SetCells(2, 1, "ancien");
    Calculer("03-2011");
    for (int i = 1; i <= 899; ++i) ASSERT_EQ(TOT_RUB[i], 0.0L) << i;
    EXPECT_EQ(grille.RowCount(), 2);
    EXPECT_EQ(Rangee(1), (Cellules{"", "", "", "", ""}));
  }
}

TEST_F(RecapTest, ErrorInTheThirdPayslipKeepsTheFirstTwoAndRestoresTheFile) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00"})},
                                        {"03-2011", Memo({"0012.00"})},
                                        {"03-2011", Memo({"001abc"})},
                                        {"03-2011", Memo({"0018.00"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(3));
  const auto avant = test::Contenu(dossier.Chemin() / "PAIES.DTA");
  EXPECT_EQ(Erreur("03-2011"), "'abc' n'est pas une valeur en virgule flottante correcte\n"
                               "Bulletin de l'enregistrement 3 de la table " + Chemin() + "\\PAIES.DTA");
  EXPECT_EQ(TOT_RUB[1], 3.0L);
  EXPECT_TRUE(Paies_A_Sa_Place());
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DTA"), avant);
  EXPECT_EQ(plateforme::DecimalSeparator(), U'.');
}

TEST_F(RecapTest, OwnChecksShowAMessageAndLeaveEverythingAsItWas) {
  struct Cas {
    std::string mois;
    bool avec_paies;
    std::string message;
  };
  const std::string c = Chemin();
  const std::vector<Cas> cas = {
      {"03-201", true, "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)"},
      {"", true, "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)"},
      {" \t03-2011 x", true, "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)"},
      {"03-2011", false, "Fichier " + c + "\\PAIES.DTA Non trouvé"},
  };
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(3));
  for (const auto& k : cas) {
    std::filesystem::remove(dossier.Chemin() / "PAIES.DTA");
    if (k.avec_paies) test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0015.00"})}});
    messages.clear();
    grille.SetCells(3, 2, "ancien");
    TOT_RUB[4] = 9.0L;
    Calculer(k.mois);
    EXPECT_EQ(messages, std::vector<std::string>{k.message}) << k.mois;
    EXPECT_EQ(grille.Cells(3, 2), "ancien");
    EXPECT_EQ(grille.RowCount(), 5);
    EXPECT_EQ(TOT_RUB[4], 9.0L);
  }
}

TEST_F(RecapTest, AMonthTypedWithBlanksSelectsTheMonthThatWasChecked) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0025.00"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(3));
  Calculer(" 03-2011\t");
  EXPECT_EQ(Rangee(1), (Cellules{"2", "Rubrique 2", "", "", "5"}));
}

TEST_F(RecapTest, ThresholdSignAndColumnsOfTheGrid) {
  test::Ecrire_Paies(dossier.Chemin(),
                     {{"03-2011", Memo({"0010.009", "0020.0091", "003-87.25", "0041520", "0051234.5"})},
                      {"03-2011", Memo({"006-0.0045", "0060.0045"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Base", "0"}, {"Gain", "1"}, {"Retenue", "2"},
                                            {"Salaire de base", "1"}, {"Cotisation", "3"}});
  Calculer("03-2011");
  EXPECT_EQ(grille.RowCount(), 5);
  EXPECT_EQ(Rangee(1), (Cellules{"2", "Gain", "", "0.0091", ""}));
  EXPECT_EQ(Rangee(2), (Cellules{"3", "Retenue", "", "", "-87.25"}));
  EXPECT_EQ(Rangee(3), (Cellules{"4", "Salaire de base", "", "1520", ""}));
  EXPECT_EQ(Rangee(4), (Cellules{"5", "Cotisation", "1234.5", "", ""}));
}

TEST_F(RecapTest, RubricsBeyondTheTableHaveNoLabelAndCountAsBases) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"00210.00", "00920.00"})}});
  for (const auto& rubriques : {Rubriques(2), std::vector<TRubrique>{}}) {
    test::Ecrire_Rubriques(dossier.Chemin(), rubriques);
    Calculer("03-2011");
    EXPECT_EQ(Rangee(2), (Cellules{"9", "", "20", "", ""}));
  }
  EXPECT_EQ(Rangee(1), (Cellules{"2", "", "10", "", ""}));
}

TEST_F(RecapTest, ARecalculationNeverShowsCellsOfAnEarlierOne) {
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(5));
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00", "0022.00", "0033.00"})},
                                        {"04-2011", Memo({"0035.00"})}});
  Calculer("03-2011");
  ASSERT_EQ(grille.RowCount(), 4);
  Calculer("04-2011");
  EXPECT_EQ(Rangee(1), (Cellules{"3", "Rubrique 3", "5", "", ""}));
  grille.SetRowCount(4);
  EXPECT_EQ(Rangee(2), (Cellules{"", "", "", "", ""}));
  Calculer("05-2011");
  EXPECT_EQ(Rangee(1), (Cellules{"", "", "", "", ""}));
}

TEST_F(RecapTest, DeletedPayslipsAreNotTotalledAndDeletedRubricsKeepTheirPlace) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0031.00"})},
                                        {"03-2011", Memo({"003100.00"}), true}});
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Un", "0"}, {"Deux", "0", true}, {"Trois", "1"}});
  Calculer("03-2011");
  EXPECT_EQ(Rangee(1), (Cellules{"3", "Trois", "", "1", ""}));
}

// CLASSE read as an integer, whatever the column's kind.
TEST_F(RecapTest, ClassColumnKinds) {
  struct Cas {
    test::TChampEcrit champ;
    std::string valeur;
    int colonne;        // -1: an error
    std::string erreur;
  };
  const std::vector<Cas> cas = {
      {{"CLASSE", 'N', 4, 1}, "1.5", 4, ""},
      {{"CLASSE", 'N', 4, 1}, "2.5", 4, ""},
      {{"CLASSE", 'N', 4, 1}, "0.5", 2, ""},
      {{"CLASSE", 'N', 4, 1}, "0.6", 3, ""},
      {{"CLASSE", 'N', 2, 0}, "", 2, ""},
      {{"CLASSE", 'C', 3, 0}, "2", 4, ""},
      {{"CLASSE", 'C', 3, 0}, "$1", 3, ""},
      {{"CLASSE", 'C', 3, 0}, "x", -1, "'x' n'est pas une valeur entière correcte"},
      {{"CLASSE", 'L', 1, 0}, "T", -1, "Impossible d'accéder au champ 'CLASSE' comme type Integer"},
  };
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"00142.00"})}});
  for (const auto& k : cas) {
    test::Ecrire_Table(dossier.Chemin() / "RUBRIQUE.DTA", {{"LIBELLE", 'C', 20}, k.champ},
                       {{{"Prime", k.valeur}}});
    grille = recap::TGrille();
    const std::string erreur = Erreur("03-2011");
    SCOPED_TRACE(std::string(1, k.champ.type) + " " + k.valeur);
    if (k.colonne < 0) {
      EXPECT_EQ(erreur, k.erreur);
      EXPECT_EQ(Rangee(1), (Cellules{"1", "Prime", "", "", ""}));  // the row being written stays
    } else {
      EXPECT_EQ(erreur, "");
      EXPECT_EQ(grille.Cells(k.colonne, 1), "42");
    }
  }
}

TEST_F(RecapTest, MissingFieldsAndTablesAreErrorsAndTheFileComesBack) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00"})}});
  EXPECT_NE(Erreur("03-2011"), "");  // no RUBRIQUE.DTA
  EXPECT_TRUE(Paies_A_Sa_Place());
  test::Ecrire_Table(dossier.Chemin() / "RUBRIQUE.DTA", {{"NOM", 'C', 20}, {"CLASSE", 'N', 1}}, {{{"a", "1"}}});
  EXPECT_EQ(Erreur("03-2011"), "Champ 'LIBELLE' non trouvé");
  EXPECT_EQ(Rangee(1), (Cellules{"1", "", "", "", ""}));
  test::Ecrire_Table(dossier.Chemin() / "PAIES.DTA", {{"MOIS", 'C', 7}}, {{{"03-2011"}}});
  EXPECT_EQ(Erreur("03-2011"), "Champ 'MONTANTS' non trouvé");
  EXPECT_TRUE(Paies_A_Sa_Place());
}

// A folder copied from Windows may hold paies.dta: it comes back under that very name, after a
// calculation and after an error in the scan.
TEST_F(RecapTest, TheFileComesBackUnderItsOwnLetterCase) {
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(3));
  for (const std::string memo : {"0011.00", "001x"}) {
    test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({memo})}});
    // Through another name: Wine keeps the stored case on a rename that changes only the case.
    std::filesystem::rename(dossier.Chemin() / "PAIES.DTA", dossier.Chemin() / "copie");
    std::filesystem::rename(dossier.Chemin() / "copie", dossier.Chemin() / "paies.dta");
    const std::string erreur = Erreur("03-2011");
    EXPECT_EQ(erreur.empty(), memo == "0011.00") << erreur;
    std::vector<std::string> noms;
    for (const auto& e : std::filesystem::directory_iterator(dossier.Chemin()))
      noms.push_back(e.path().filename().string());
    std::sort(noms.begin(), noms.end());
    EXPECT_EQ(noms, (std::vector<std::string>{"PAIES.DBT", "RUBRIQUE.DTA", "paies.dta"})) << memo;
    std::filesystem::remove(dossier.Chemin() / "paies.dta");
  }
}

TEST_F(RecapTest, AStalePaiesDbfIsNeverReadNorReplaced) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(3));
  std::filesystem::copy_file(dossier.Chemin() / "PAIES.DTA", dossier.Chemin() / "PAIES.DBF");
  const auto dta = test::Contenu(dossier.Chemin() / "PAIES.DTA");
  TOT_RUB[7] = 3.0L;
  EXPECT_EQ(Erreur("03-2011"), "Le fichier " + Chemin() +
                                   "\\PAIES.DBF existe déjà : déplacez-le ou supprimez-le, puis "
                                   "relancez le calcul");
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DTA"), dta);
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DBF"), dta);
  EXPECT_EQ(TOT_RUB[7], 3.0L);
}

TEST_F(RecapTest, AnInterruptedCalculationIsNamedNotJustNotFound) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00"})}});
  std::filesystem::rename(dossier.Chemin() / "PAIES.DTA", dossier.Chemin() / "PAIES.DBF");
  Calculer("03-2011");
  const std::string c = Chemin();
  EXPECT_EQ(messages, std::vector<std::string>{
                          "Le fichier " + c + "\\PAIES.DTA est absent mais " + c +
                          "\\PAIES.DBF existe : un calcul a sans doute été interrompu. Renommez "
                          "PAIES.DBF en PAIES.DTA avant de relancer le calcul."});
  EXPECT_TRUE(std::filesystem::exists(dossier.Chemin() / "PAIES.DBF"));
}

// Rename failures cannot be provoked by permissions as root: they go through the file seam.
TEST_F(RecapTest, RenameFailuresAreReported) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00"})}, {"03-2011", Memo({"002x"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), Rubriques(3));
  const std::string dta = Chemin() + "\\PAIES.DTA", dbf = Chemin() + "\\PAIES.DBF";
  struct Cas {
    std::string panne_sur;  // the source of the rename that fails
    std::string mois;
    std::string erreur;
  };
  const std::vector<Cas> cas = {
      {dta, "03-2011", "Impossible de renommer " + dta + " en " + dbf + " : accès refusé"},
      {dbf, "04-2011", "Impossible de renommer " + dbf + " en " + dta + " : accès refusé"},
      {dbf, "03-2011", "Impossible de renommer " + dbf + " en " + dta +
                           " : accès refusé\n'x' n'est pas une valeur en virgule flottante correcte\n"
                           "Bulletin de l'enregistrement 2 de la table " + dta},
  };
  for (const auto& k : cas) {
    plateforme::Installer_Injecteur_Pannes(
        [&](plateforme::TOperationFichier op, const std::string& chemin) -> std::optional<std::string> {
          if (op == plateforme::TOperationFichier::Renommer && chemin == k.panne_sur) return "accès refusé";
          return std::nullopt;
        });
    grille.SetCells(1, 1, "ancien");
    EXPECT_EQ(Erreur(k.mois), k.erreur);
    EXPECT_EQ(grille.Cells(1, 1), "ancien");  // no grid fill after a failed rename
    plateforme::Installer_Injecteur_Pannes({});
    if (k.panne_sur == dbf) std::filesystem::rename(dossier.Chemin() / "PAIES.DBF", dossier.Chemin() / "PAIES.DTA");
    EXPECT_TRUE(Paies_A_Sa_Place());
  }
}

TEST_F(RecapTest, ABareRelativeFolderIsAnAliasAndTheFileComesBack) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", Memo({"0011.00"})}});
  const auto ici = std::filesystem::current_path();
  std::filesystem::current_path(dossier.Chemin().parent_path());
  const std::string nom = dossier.Chemin().filename().string();
  const std::string erreur = Erreur_Dans(nom, "03-2011");
  EXPECT_NE(erreur, "") << "an alias must not open";
  EXPECT_NE(erreur.find(nom), std::string::npos) << erreur;
  std::filesystem::current_path(ici);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(Paies_A_Sa_Place());
}

TEST(GrilleTest, CellsBeyondTheRowCountAreKeptUntilCleared) {
  recap::TGrille g;
  EXPECT_EQ(g.RowCount(), 5);
  g.SetCells(4, 6, "x");
  g.SetRowCount(2);
  EXPECT_EQ(g.Cells(4, 6), "x");
  EXPECT_EQ(g.Cells(5, 0), "");
  EXPECT_EQ(g.Cells(0, -1), "");
  g.SetCells(0, 0, "entête");
  g.Effacer_Lignes_Donnees();
  EXPECT_EQ(g.Cells(4, 6), "");
  EXPECT_EQ(g.Cells(0, 0), "entête");
}

}  // namespace
