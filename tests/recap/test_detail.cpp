// The payslips behind a rubric's total, read again from the folder.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/Separateurs.h"
#include "recap/Detail.h"
#include "recap/Recap.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "support/Message_Erreur.h"

namespace {

namespace fs = std::filesystem;
using recap::TGenre_Cellule;

// The 80 bits of an extended value: a total is right only to the last of them.
bool Memes_Bits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

struct DetailTest : ::testing::Test {
  test::TDossierTemporaire dossier;
  std::vector<std::string> messages;

  void SetUp() override { plateforme::Fixer_Separateurs(U'.', U' '); }

  std::optional<recap::TDetail> Detail(int rubrique, const std::string& mois,
                                       const std::optional<recap::TPeriode>& periode = std::nullopt) {
    return recap::Detailler(dossier.Texte(), mois, rubrique, [this](const std::string& m) { messages.push_back(m); },
                            periode);
  }
  TTAB_VALEURS Totaux(const std::string& mois, recap::TEmpreintes* empreintes = nullptr) {
    TTAB_VALEURS TOT_RUB;
    const auto total = recap::Calc_Total_Paies(dossier.Texte(), mois, TOT_RUB,
                                               [this](const std::string& m) { messages.push_back(m); }, std::nullopt, true);
    if (empreintes) *empreintes = *total->Empreintes;
    return TOT_RUB;
  }
  // Payslips with two character fields before MOIS and a numeric one, which is not shown; a
  // sixth value marks the payslip deleted.
  void Ecrire_Paies_Nommees(const std::vector<std::vector<std::string>>& paies) {
    std::vector<test::TEnregistrementEcrit> lignes;
    for (const auto& p : paies) lignes.push_back({{p.begin(), p.begin() + 5}, p.size() > 5});
    test::Ecrire_Table(dossier.Chemin() / "PAIES.DTA",
                       {{"MATRICULE", 'C', 5}, {"NOM", 'C', 20}, {"MOIS", 'C', 11}, {"HEURES", 'N', 6, 2}, {"MONTANTS", 'M', 10}},
                       lignes);
  }
};

using Champs = recap::TChamps_Bulletin;

TEST_F(DetailTest, OneRowPerPayslipThatStoresTheRubricInTheTablesOrder) {
  const auto memo = [](std::vector<std::string> l) { return test::Memo_Montants(l); };
  Ecrire_Paies_Nommees({{"00002", "MARTIN Jérôme", "03-2011", "151.67", memo({"0011500.00", "002-20.5"})},
                        {"00001", "DURAND Élodie", "03-2011", "0", memo({"0021.00"})},               // not rubric 1
                        {"00003", "PETIT Anaïs", "04-2011", "0", memo({"0019999.00"})},             // another month
                        {"00004", "GIRARD Noël", "03-2011", "0", memo({"0018000.00"}), "*"},        // deleted
                        {"00005", "ANDRÉ", "03-2011", "0", memo({"0010.005", "002100"})},         // negligible
                        {"00001", "DURAND Élodie", "03-2011 bis", "0", memo({"00112.5", "00113.25"})}}); // last stored
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire de base", "1"}, {"Retenue", "2"}});
  const auto d = Detail(1, " 03-2011\t");
  ASSERT_TRUE(d);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(d->Mois, "03-2011");
  EXPECT_EQ(d->Noms_Champs, (std::vector<std::string>{"MATRICULE", "NOM"}));
  ASSERT_EQ(d->Bulletins.size(), 2u);
  EXPECT_EQ(d->Bulletins[0].Enregistrement, 1);
  EXPECT_EQ(d->Bulletins[0].Champs, (Champs{{"MATRICULE", "00002"}, {"NOM", "MARTIN Jérôme"}}));
  EXPECT_EQ(d->Bulletins[0].Montant, 1500.0L);
  EXPECT_EQ(d->Bulletins[1].Enregistrement, 6);
  EXPECT_EQ(d->Bulletins[1].Montant, 13.25L);
  EXPECT_EQ(d->Total, 1513.25L);
  EXPECT_EQ(d->Libelle, "Salaire de base");
  EXPECT_EQ(d->Colonne, recap::Colonne_Gains);
  EXPECT_TRUE(d->Avertissements.empty());
  EXPECT_TRUE(fs::exists(dossier.Chemin() / "PAIES.DTA"));
  EXPECT_FALSE(fs::exists(dossier.Chemin() / "PAIES.DBF"));

  const auto retenue = Detail(2, "03-2011");
  ASSERT_TRUE(retenue);
  ASSERT_EQ(retenue->Bulletins.size(), 3u);
  EXPECT_EQ(retenue->Bulletins[2].Enregistrement, 5);
  EXPECT_EQ(retenue->Colonne, recap::Colonne_Retenues);

  const auto periode = Detail(1, "03-2011", recap::Lire_Periode("03-2011", "04-2011"));
  ASSERT_TRUE(periode);
  EXPECT_EQ(periode->Bulletins.size(), 3u);
  EXPECT_EQ(periode->Total, 11512.25L);
}

TEST_F(DetailTest, ARubricWithoutAmountGivesNoRowAndAZeroTotal) {
  Ecrire_Paies_Nommees({{"00001", "DURAND", "03-2011", "0", test::Memo_Montants({"0011.00"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire de base", "1"}});
  struct Cas {
    int rubrique;
    const char* mois;
    size_t champs;
  };
  // Rubric 40 has no record in RUBRIQUE.DTA: no label, a base. A month without payslips has no
  // field names to show.
  for (const Cas& c : {Cas{40, "03-2011", 2}, Cas{1, "05-2011", 0}}) {
    const auto d = Detail(c.rubrique, c.mois);
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->Bulletins.empty());
    EXPECT_TRUE(Memes_Bits(d->Total, 0.0L));
    EXPECT_EQ(d->Noms_Champs.size(), c.champs);
  }
  EXPECT_EQ(Detail(40, "03-2011")->Libelle, "");
  EXPECT_EQ(Detail(40, "03-2011")->Colonne, recap::Colonne_Bases);
}

// Added in the table's order, in extended precision, as the recap adds them: the same bits.
TEST_F(DetailTest, TheTotalIsTheRecapsToTheLastBitOnARandomFolder) {
  std::mt19937 aleatoire(20240229);
  const char* mois[] = {"01-2024", "02-2024", "03-2024"};
  std::vector<test::TPaie> paies;
  for (int p = 0; p < 300; ++p) {
    std::vector<std::string> lignes;
    for (int l = std::uniform_int_distribution(0, 25)(aleatoire); l > 0; --l) {
      const int rubrique = std::uniform_int_distribution(1, 30)(aleatoire);
      const long long dix_milliemes = std::uniform_int_distribution<long long>(-5'000'000, 90'000'000)(aleatoire);
      char ligne[40];
      std::snprintf(ligne, sizeof ligne, "%03d%lld.%04lld", rubrique, dix_milliemes / 10000,
                    std::llabs(dix_milliemes % 10000));
      lignes.push_back(dix_milliemes < 0 && dix_milliemes > -10000 ? std::string(ligne).insert(3, "-") : ligne);
    }
    paies.push_back({mois[std::uniform_int_distribution(0, 2)(aleatoire)], test::Memo_Montants(lignes), p % 17 == 0});
  }
  test::Ecrire_Paies(dossier.Chemin(), paies);
  test::Ecrire_Rubriques(dossier.Chemin(), {});
  for (const char* m : mois) {
    recap::TEmpreintes empreintes;
    const TTAB_VALEURS TOT_RUB = Totaux(m, &empreintes);
    for (int r = 1; r <= 31; ++r) {
      auto d = Detail(r, m);
      ASSERT_TRUE(d);
      EXPECT_TRUE(Memes_Bits(d->Total, TOT_RUB[r])) << m << " rubrique " << r;
      EXPECT_TRUE(recap::Verifier_Calcul(*d, TOT_RUB[r], empreintes[static_cast<size_t>(r)])) << m << " rubrique " << r;
    }
  }
}

TEST_F(DetailTest, TheSamplesTotalsAreTheRecaps) {
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / nom, dossier.Chemin() / nom);
  int rubriques = 0;
  for (const char* m : {"01-2024", "02-2024", "03-2024"}) {
    const TTAB_VALEURS TOT_RUB = Totaux(m);
    for (int r = 1; r <= 899; ++r) {
      if (TOT_RUB[r] == 0) continue;
      ++rubriques;
      const auto d = Detail(r, m);
      ASSERT_TRUE(d);
      EXPECT_TRUE(Memes_Bits(d->Total, TOT_RUB[r])) << m << " rubrique " << r;
    }
  }
  EXPECT_GT(rubriques, 60);
  // February's cancelled payslip (record 25) is not one of them.
  const auto fevrier = Detail(1, "02-2024");
  ASSERT_EQ(fevrier->Bulletins.size(), 12u);
  EXPECT_EQ(fevrier->Bulletins.front().Enregistrement, 13);
  EXPECT_EQ(fevrier->Bulletins.front().Champs, (Champs{{"MATRICULE", "00001"}, {"NOM", "DURAND Élodie"}}));
  EXPECT_EQ(fevrier->Bulletins.back().Enregistrement, 24);
}

// The payroll application wrote between the recap and the detail.
TEST_F(DetailTest, ATotalThatIsNotTheGridsSaysThePayslipsChanged) {
  const std::string change = "Attention : les bulletins ont changé depuis le calcul : recalculez la récap.";
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", test::Memo_Montants({"0010.1", "0020.2"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), {});
  recap::TEmpreintes empreintes;
  const TTAB_VALEURS avant = Totaux("03-2011", &empreintes);
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", test::Memo_Montants({"0010.1", "0020.2"})},
                                        {"03-2011", test::Memo_Montants({"0020.01"})}});
  auto inchange = Detail(1, "03-2011");
  EXPECT_TRUE(recap::Verifier_Calcul(*inchange, avant[1], empreintes[1]));
  EXPECT_TRUE(inchange->Avertissements.empty());
  auto d = Detail(2, "03-2011");
  EXPECT_FALSE(recap::Verifier_Calcul(*d, avant[2], empreintes[2]));
  EXPECT_FALSE(recap::Verifier_Calcul(*d, avant[2], empreintes[2]));
  EXPECT_EQ(d->Avertissements, std::vector<std::string>{change});
  EXPECT_EQ(recap::Tableau_Detail(*d).Avertissements, std::vector<std::string>{change});
  // Equal as numbers, not as bits: a grid of -0 against a detail of +0 is not the same total.
  d = Detail(3, "03-2011");
  EXPECT_FALSE(recap::Verifier_Calcul(*d, -0.0L, empreintes[3]));
}

TEST_F(DetailTest, ADamagedMemosPayslipIsLeftOutWithItsWarning) {
  Ecrire_Paies_Nommees({{"00001", "DURAND", "03-2011", "0", test::Memo_Montants({"0011.00"})},
                        {"00002", "MARTIN", "03-2011", "0", "\x02" + test::Memo_Montants({"0012.00"})},
                        {"00003", "PETIT", "03-2011", "0", test::Memo_Montants({"0014.00"})}});
  test::Ecrire_Rubriques(dossier.Chemin(), {});
  const auto d = Detail(1, "03-2011");
  ASSERT_TRUE(d);
  ASSERT_EQ(d->Bulletins.size(), 2u);
  EXPECT_EQ(d->Bulletins[1].Enregistrement, 3);
  EXPECT_EQ(d->Total, 5.0L);
  ASSERT_EQ(d->Avertissements.size(), 1u);
  EXPECT_EQ(d->Avertissements[0], "Attention : le bulletin de l'enregistrement 2 de la table " + dossier.Texte() +
                                      "\\PAIES.DTA (MATRICULE 00002, NOM MARTIN) n'est pas compté dans le calcul : le "
                                      "mémo de son champ MONTANTS n'est pas du texte : il contient des octets binaires ou nuls (" + dossier.Texte() + "\\PAIES.DBT).");
}

TEST_F(DetailTest, TheMonthAndTheFileAreCheckedAsForARecap) {
  test::Ecrire_Rubriques(dossier.Chemin(), {});
  EXPECT_FALSE(Detail(1, "3-2011"));
  EXPECT_FALSE(Detail(1, "03-2011"));
  EXPECT_EQ(messages, (std::vector<std::string>{"Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)",
                                                "Fichier " + dossier.Texte() + "\\PAIES.DTA Non trouvé"}));
  EXPECT_EQ(test::Message_Erreur([&] { Detail(900, "03-2011"); }), "'900' n'est pas un numéro de rubrique correct (1 à 899)");
}

struct TableauDetailTest : ::testing::Test {
  void SetUp() override { plateforme::Fixer_Separateurs(U',', U' '); }
  void TearDown() override { plateforme::Fixer_Separateurs(U'.', U' '); }
};

TEST_F(TableauDetailTest, RowsThenTotalWithTheirTypesAndNames) {
  recap::TDetail d;
  d.Dossier = "C:\\KORVEX";
  d.Mois = "02-2024";
  d.Rubrique = 1;
  d.Libelle = "Salaire de base";
  d.Noms_Champs = {"MATRICULE", "MONTANT"};  // a field may bear the amount's name
  d.Bulletins = {{13, {{"MATRICULE", "=1+1"}, {"MONTANT", "x"}}, 3450.5L}, {14, {{"MATRICULE", "00002"}}, -12}};
  d.Total = 3438.5L;
  d.Avertissements = {"Attention : a"};
  const recap::TTableau t = recap::Tableau_Detail(d);
  ASSERT_EQ(t.Nombre_Colonnes(), 4);
  ASSERT_EQ(t.Nombre_Rangees(), 4);
  const std::vector<std::vector<std::string>> textes = {{"ENREG.", "MATRICULE", "MONTANT", "MONTANT"},
                                                        {"13", "=1+1", "x", "3450,5"},
                                                        {"14", "00002", "", "-12"},
                                                        {"Total", "", "", "3438,5"}};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(t.Texte(c, r), textes[r][c]) << c << ", " << r;
  const TGenre_Cellule genres[] = {TGenre_Cellule::Entier, TGenre_Cellule::Texte, TGenre_Cellule::Texte, TGenre_Cellule::Montant};
  for (int c = 0; c < 4; ++c) EXPECT_EQ(t.Cellule(c, 1)->Genre, genres[c]) << c;
  EXPECT_EQ(t.Cellule(0, 3)->Genre, TGenre_Cellule::Texte);
  EXPECT_EQ(t.Cellule(3, 3)->Valeur, 3438.5L);
  EXPECT_EQ(t.Titre, "Détail — rubrique 1 Salaire de base — mois 02-2024");
  EXPECT_EQ(t.Nom_Feuille, "Détail 1 02-2024");
  EXPECT_EQ(t.Nom_Fichier, "detail-KORVEX-1-02-2024");
  EXPECT_EQ(t.Resume, std::vector<std::string>{"2 bulletins"});
  EXPECT_EQ(t.Avertissements, d.Avertissements);
  EXPECT_EQ(t.Dossier, "C:\\KORVEX");

  d.Libelle = "";
  d.Periode = recap::Lire_Periode("01-2024", "03-2024");
  const recap::TTableau p = recap::Tableau_Detail(d);
  EXPECT_EQ(p.Titre, "Détail — rubrique 1 — mois 01-2024 à 03-2024");
  EXPECT_EQ(p.Nom_Fichier, "detail-KORVEX-1-01-2024_03-2024");
}

}  // namespace
