// First, Next, MoveBy and Eof as the payslip scan and the rubric lookup rely on them.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "dbase/Table.h"
#include "Tables_Brutes.h"

namespace {

using dbase::TTable;

struct NavigationTest : ::testing::Test {
  test::TDossierTemporaire dossier;

  // Records R1 to R5, R2 and R4 marked deleted.
  void SetUp() override {
    test::Ecrire_Fichier(dossier.Texte() + "/NAV.DTA",
                         test::Table_Brute(0x03, {{"NOM", 'C', 2}, {"CLASSE", 'N', 3}},
                                           {"R1  1", "R2  2", "R3  3", "R4  4", "R5  5"}, 0x03,
                                           {false, true, false, true, false}));
  }

  void Ouvrir(TTable& t, const std::string& nom, bool supprimes) {
    t.DatabaseName = dossier.Texte();
    t.TableName = nom;
    t.AfficherSupprimes = supprimes;
    t.Open();
  }

  // "F" First, "N" Next, "M<n>" MoveBy(n).
  static void Jouer(TTable& t, const std::string& actions) {
    std::istringstream flux(actions);
    for (std::string a; flux >> a;) {
      if (a == "F") t.First();
      else if (a == "N") t.Next();
      else t.MoveBy(std::stoi(a.substr(1)));
    }
  }
};

TEST_F(NavigationTest, MovesFollowTheStoredOrderAndStopOnTheLastRecord) {
  struct Cas {
    bool supprimes;
    std::string actions, courant;
    bool eof;
  };
  const std::vector<Cas> cas = {
      {false, "", "R1", false},           {false, "N", "R3", false},
      {false, "N N", "R5", false},        {false, "N N N", "R5", true},
      {false, "N N N N", "R5", true},     {false, "M2", "R5", false},
      {false, "M3", "R5", true},          {false, "M0", "R1", false},
      {false, "M3 F", "R1", false},       {false, "M-1", "R1", false},
      {true, "N", "R2", false},           {true, "M4", "R5", false},
      {true, "M5", "R5", true},           {true, "M1000000", "R5", true},
      {true, "M2 M1", "R4", false},       {true, "M5 F", "R1", false},
      {true, "M5 N", "R5", true},         {true, "N N N N", "R5", false},
  };
  for (const auto& k : cas) {
    TTable t;
    Ouvrir(t, "NAV.DTA", k.supprimes);
    Jouer(t, k.actions);
    EXPECT_EQ(t.FieldByName("NOM").AsString(), k.courant) << k.supprimes << " " << k.actions;
    EXPECT_EQ(t.Eof(), k.eof) << k.supprimes << " " << k.actions;
  }
}

// Aller_A, as a reader of series makes a record current: the first shown at or after it.
TEST_F(NavigationTest, AllerAMakesTheFirstShownRecordFromItCurrent) {
  const struct {
    bool supprimes;
    int numero;
    const char* courant;
    bool eof;
  } cas[] = {{false, 2, "R3", false}, {true, 2, "R2", false}, {false, 5, "R5", false}, {false, 6, "R1", true},
             {false, 1, "R1", false}};
  for (const auto& k : cas) {
    TTable t;
    Ouvrir(t, "NAV.DTA", k.supprimes);
    t.Aller_A(k.numero);
    if (!k.eof) {
      EXPECT_EQ(t.FieldByName("NOM").AsString(), k.courant) << k.numero;
    }
    EXPECT_EQ(t.Eof(), k.eof) << k.numero;
  }
}

// Rubric n is the n-th physical record, deleted or not; past the end the lookup sees Eof.
TEST_F(NavigationTest, RubricLookupByPosition) {
  TTable t;
  Ouvrir(t, "NAV.DTA", true);
  for (int i = 1; i <= 7; ++i) {
    t.First();
    t.MoveBy(i - 1);
    EXPECT_EQ(t.Eof(), i > 5) << i;
    EXPECT_EQ(t.FieldByName("CLASSE").AsInteger(), std::min(i, 5)) << i;
  }
}

TEST_F(NavigationTest, AnEmptyTableIsAtItsEndAndReadsBlank) {
  test::Ecrire_Fichier(dossier.Texte() + "/VIDE.DTA", test::Table_Brute(0x03, {{"LIBELLE", 'C', 5}, {"CLASSE", 'N', 3}}, {}));
  test::Ecrire_Fichier(dossier.Texte() + "/SUPPR.DTA",
                       test::Table_Brute(0x03, {{"LIBELLE", 'C', 5}, {"CLASSE", 'N', 3}}, {"abcde  1"}, 0x03, {true}));
  for (const char* nom : {"VIDE.DTA", "SUPPR.DTA"}) {
    TTable t;
    Ouvrir(t, nom, false);
    EXPECT_TRUE(t.Eof()) << nom;
    Jouer(t, "F N M3");
    EXPECT_TRUE(t.Eof()) << nom;
    EXPECT_EQ(t.FieldByName("LIBELLE").AsString(), "") << nom;
    EXPECT_EQ(t.FieldByName("CLASSE").AsInteger(), 0) << nom;
    EXPECT_EQ(test::Message_Erreur([&] { t.FieldByName("LIBELLE").AsInteger(); }),
              "'' n'est pas une valeur entière correcte")
        << nom;
  }
}

}  // namespace

// Two readers of one file, each reading the series of its own records, note together what one scan notes: a
// range of wrong flags across their boundary is joined, and neither sees the other's records.
TEST_F(NavigationTest, SharedReadersNoteTogetherWhatOneScanNotes) {
  std::string octets = test::Table_Brute(0x03, {{"NOM", 'C', 2}, {"CLASSE", 'N', 3}},
                                         {"R1  1", "R2  2", "R3  3", "R4  4", "R5  5", "R6  6", "R7  7", "R8  8"});
  const auto indicateur = [&](int numero) -> char& { return octets[97 + static_cast<size_t>(numero - 1) * 6]; };
  indicateur(4) = '#';
  indicateur(5) = '#';
  indicateur(7) = '\x1A';
  test::Ecrire_Fichier(dossier.Texte() + "/PART.DTA", octets);
  const auto texte = [](const std::vector<dbase::TOmission>& omissions) {
    std::string t;
    for (const auto& o : omissions)
      t += std::to_string(static_cast<int>(o.Dommage)) + ":" + std::to_string(o.Premier) + "-" +
           std::to_string(o.Dernier) + " ";
    return t;
  };
  TTable seule;
  Ouvrir(seule, "PART.DTA", false);
  for (seule.First(); !seule.Eof(); seule.Next()) {
  }
  std::vector<dbase::TOmission> ensemble;
  std::vector<std::string> lus;
  for (const auto& [premier, dernier] : {std::pair{1, 4}, std::pair{5, 8}}) {
    TTable t;
    Ouvrir(t, "PART.DTA", false);
    t.Prendre_Omissions();  // the tail at Open: none here
    const dbase::TChamp_Serie nom = t.FieldByName("NOM").Serie();
    dbase::TSerie s;
    for (int64_t n = premier; t.Lire_Serie(n, dernier, s); n = s.Premier + s.Nombre)
      for (int64_t k = 0; k < s.Nombre; ++k)
        if (dbase::TSerie::Montre(s.Enregistrement(k))) lus.emplace_back(nom.Octets(s.Enregistrement(k)));
    for (const auto& o : t.Prendre_Omissions()) dbase::Ajouter_Omission(ensemble, o);
    EXPECT_TRUE(t.Omissions().empty());
  }
  EXPECT_EQ(texte(ensemble), texte(seule.Omissions()));
  EXPECT_EQ(texte(ensemble), "3:4-5 2:7-8 ");
  EXPECT_EQ(lus, (std::vector<std::string>{"R1", "R2", "R3", "R6"}));
}
