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

// Aller_A and Suivant_Retenu, as a scan for the records of a month moves: where Next and a test
// of each record would stop, never past the bound.
TEST_F(NavigationTest, RetainedMovesStopWhereNextAndATestWould) {
  struct Cas {
    bool supprimes;
    std::string actions;  // "A<n>" Aller_A(n), "S<n>" Suivant_Retenu up to record n
    std::string courant;
    bool retenu, eof;
  };
  // R3 and R5 are retained.
  const std::vector<Cas> cas = {
      {false, "S5", "R3", true, false},        {false, "S5 S5", "R5", true, false},
      {false, "S5 S5 S5", "R5", false, false}, {false, "S9 S9 S9", "R5", false, true},
      {false, "S2", "R1", false, false},       {true, "S2", "R2", false, false},
      {true, "S3", "R3", true, false},         {false, "A2", "R3", false, false},
      {true, "A2", "R2", false, false},        {false, "A3 S5", "R5", true, false},
      {false, "A6", "R1", false, true},        {false, "S5 S4", "R3", false, false},
  };
  for (const auto& k : cas) {
    SCOPED_TRACE(std::to_string(k.supprimes) + " " + k.actions);
    TTable t;
    Ouvrir(t, "NAV.DTA", k.supprimes);
    const dbase::TField nom = t.FieldByName("NOM");
    const auto retenir = [](std::string_view n) { return n == "R3" || n == "R5"; };
    bool retenu = false;
    std::istringstream flux(k.actions);
    for (std::string a; flux >> a;) {
      if (a[0] == 'A') t.Aller_A(std::stoi(a.substr(1)));
      else retenu = t.Suivant_Retenu(nom, retenir, std::stoi(a.substr(1)));
    }
    EXPECT_EQ(nom.AsString(), k.courant);
    EXPECT_EQ(retenu, k.retenu);
    EXPECT_EQ(t.Eof(), k.eof);
  }
}

// A scan that moves with Suivant_Pareil while the month stays the same, as the payslip scan does,
// visits the records Suivant_Retenu alone visits and notes the same damage; a refusal leaves the
// current record where it was.
TEST_F(NavigationTest, SameMonthMovesVisitWhatRetainedMovesVisit) {
  std::string octets = test::Table_Brute(
      0x03, {{"MOIS", 'C', 2}, {"CLASSE", 'N', 3}},
      {"M1  1", "M1  2", "M1  3", "M1  4", "M2  5", "M2  6", "M1  7", "M1  8", "M2  9", "M2 10", "M1 11", "M1 12"}, 0x03,
      {false, false, true, false, false, false, false, false, false, false, false, false});
  const auto indicateur = [&](int numero) -> char& { return octets[97 + static_cast<size_t>(numero - 1) * 6]; };
  indicateur(8) = '#';
  indicateur(12) = '\x1A';
  test::Ecrire_Fichier(dossier.Texte() + "/MOIS.DTA", octets);
  const auto retenir = [](std::string_view m) { return m == "M1"; };
  for (bool supprimes : {false, true}) {
    for (int dernier : {3, 7, 12}) {
      SCOPED_TRACE(std::to_string(supprimes) + " " + std::to_string(dernier));
      std::vector<std::string> lus[2];
      std::vector<dbase::TOmission> omissions[2];
      int pareils = 0;
      for (int pareil = 0; pareil < 2; ++pareil) {
        TTable t;
        Ouvrir(t, "MOIS.DTA", supprimes);
        const dbase::TField mois = t.FieldByName("MOIS"), classe = t.FieldByName("CLASSE");
        for (bool retenu = retenir(mois.AsString());;) {
          if (retenu) lus[pareil].push_back(classe.AsString());
          if (pareil && retenu) {
            const std::string avant = classe.AsString();
            if (t.Suivant_Pareil(mois, dernier)) {
              ++pareils;
              continue;
            }
            EXPECT_EQ(classe.AsString(), avant);
          }
          retenu = t.Suivant_Retenu(mois, retenir, dernier);
          if (!retenu) break;
        }
        omissions[pareil] = t.Omissions();
      }
      EXPECT_EQ(lus[1], lus[0]);
      ASSERT_EQ(omissions[1].size(), omissions[0].size());
      for (size_t k = 0; k < omissions[0].size(); ++k) {
        EXPECT_EQ(omissions[1][k].Premier, omissions[0][k].Premier);
        EXPECT_EQ(omissions[1][k].Dernier, omissions[0][k].Dernier);
      }
      if (dernier == 12) {
        EXPECT_EQ(pareils, supprimes ? 2 : 1);  // 1 to 2, and 3 to 4 when 3 is shown
        EXPECT_EQ(lus[0], supprimes ? (std::vector<std::string>{"1", "2", "3", "4", "7", "8", "11"})
                                    : (std::vector<std::string>{"1", "2", "4", "7", "11"}));
      }
    }
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

// Two readers of one file, each checking its own records, note together what one scan notes: a
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
  const auto tout = [](std::string_view) { return true; };
  std::vector<dbase::TOmission> ensemble;
  std::vector<std::string> lus;
  for (const auto& [premier, dernier] : {std::pair{1, 4}, std::pair{5, 8}}) {
    TTable t;
    Ouvrir(t, "PART.DTA", false);
    t.Prendre_Omissions();  // the tail at Open: none here
    const dbase::TField nom = t.FieldByName("NOM");
    t.Aller_A_Partage(premier);
    for (bool retenu = !t.Eof(); retenu; retenu = t.Suivant_Retenu(nom, tout, dernier)) lus.push_back(nom.AsString());
    for (const auto& o : t.Prendre_Omissions()) dbase::Ajouter_Omission(ensemble, o);
    EXPECT_TRUE(t.Omissions().empty());
  }
  EXPECT_EQ(texte(ensemble), texte(seule.Omissions()));
  EXPECT_EQ(texte(ensemble), "3:4-5 2:7-8 ");
  EXPECT_EQ(lus, (std::vector<std::string>{"R1", "R2", "R3", "R6"}));
}
