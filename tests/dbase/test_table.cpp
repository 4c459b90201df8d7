// The table layer on files written by independent writers: python3-dbf and Free Pascal's TDbf.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "platform/Fichiers.h"
#include "dbase/Table.h"

namespace {

namespace fs = std::filesystem;
using dbase::TTable;

const std::string Fixtures = std::string(KORVEX_DONNEES_TEST) + "/fixtures";

// The long memo of ecrire_fixtures.py and of ecrire_fixtures.pas: 674 bytes, over two blocks.
std::string Memo_Long(bool tdbf) {
  std::string s = "Bulletin de mars 2011\r\n";
  char ligne[32];
  for (int r = 1; r <= 60; ++r) {
    if (tdbf) std::snprintf(ligne, sizeof ligne, "%03d%d.%02d\r\n", r, r * 10, r % 100);
    else std::snprintf(ligne, sizeof ligne, "%03d%.2f\r\n", r, r * 10.25);
    s += ligne;
  }
  return s;
}

struct TAttendu {
  std::string nom, mois;
  int32_t classe, taux_entier;
  std::string actif, naissance, memo;
  bool supprime;
};

std::vector<TAttendu> Attendus(bool tdbf) {
  return {
      {"Élève Noël", "03-2011", 1, 2, "Vrai", "15/03/2011", Memo_Long(tdbf), false},
      {"Sans mémo", "03-2011/2", 2, 2, "Faux", "", "", false},
      {"Supprimé", "03-2011", 3, 0, "Vrai", "31/12/1999", "Entête\r\n002100.00\r\n", true},
      {"Façade", "04-2011", tdbf ? -2 : 0, -4, tdbf ? "Faux" : "", "01/01/2000",
       "Prime d'été\r\n0011520.00\r\n", false},
  };
}

struct TFixture {
  const char* table;
  bool tdbf;
};

void PrintTo(const TFixture& f, std::ostream* o) { *o << f.table; }

class FixturesTest : public ::testing::TestWithParam<TFixture> {};

void Verifier(TTable& t, const TAttendu& a) {
  SCOPED_TRACE(a.nom);
  EXPECT_EQ(t.FieldByName("NOM").AsString(), a.nom);
  EXPECT_EQ(t.FieldByName("mois").AsString(), a.mois);
  EXPECT_EQ(t.FieldByName("CLASSE").AsInteger(), a.classe);
  EXPECT_EQ(t.FieldByName("CLASSE").AsString(), std::to_string(a.classe));
  EXPECT_EQ(t.FieldByName("Taux").AsInteger(), a.taux_entier);  // half to even: 1.5, 2.5, 0.5, -3.5
  EXPECT_EQ(t.FieldByName("ACTIF").AsString(), a.actif);
  EXPECT_EQ(t.FieldByName("NAISSANCE").AsString(), a.naissance);
  EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), a.memo);
  std::string tampon;
  EXPECT_EQ(t.FieldByName("MONTANTS").Texte(tampon), a.memo);
  EXPECT_EQ(t.FieldByName("NOM").Texte(tampon), a.nom);
  // The copy-free text: the ASCII month as AsString reads it, nothing for an accented name
  // (the page would change it) or for another kind of field.
  EXPECT_EQ(t.FieldByName("mois").Texte_Ascii(), std::optional<std::string_view>(a.mois));
  for (const char* autre : {"NOM", "CLASSE", "MONTANTS"})
    EXPECT_EQ(t.FieldByName(autre).Texte_Ascii(), std::nullopt) << autre;
}

TEST_P(FixturesTest, EveryRecordAndFieldReadsAsWritten) {
  for (bool supprimes : {false, true}) {
    SCOPED_TRACE(supprimes ? "deleted shown" : "deleted hidden");
    TTable t;
    t.TableType = dbase::TTableType::ttDBase;
    t.DatabaseName = Fixtures;
    t.TableName = std::string(GetParam().table) + ".dbf";
    t.AfficherSupprimes = supprimes;
    t.Open();
    std::vector<TAttendu> attendus;
    for (const auto& a : Attendus(GetParam().tdbf))
      if (supprimes || !a.supprime) attendus.push_back(a);
    t.First();
    size_t n = 0;
    for (; !t.Eof(); t.Next(), ++n) {
      ASSERT_LT(n, attendus.size());
      Verifier(t, attendus[n]);
    }
    EXPECT_EQ(n, attendus.size());
    // Past the end the last record stays current.
    EXPECT_EQ(t.FieldByName("NOM").AsString(), "Façade");
  }
}

TEST_P(FixturesTest, OtherKindsThanIntegersRefuseAsInteger) {
  TTable t;
  t.DatabaseName = Fixtures;
  t.TableName = std::string(GetParam().table) + ".dbf";
  t.Open();
  for (const char* champ : {"ACTIF", "NAISSANCE", "MONTANTS"})
    EXPECT_EQ(test::Message_Erreur([&] { t.FieldByName(champ).AsInteger(); }),
              "Impossible d'accéder au champ '" + std::string(champ) + "' comme type Integer");
  EXPECT_EQ(test::Message_Erreur([&] { t.FieldByName("NOM").AsInteger(); }),
            "'Élève Noël' n'est pas une valeur entière correcte");
}

INSTANTIATE_TEST_SUITE_P(Ecrivains, FixturesTest,
                         ::testing::Values(TFixture{"db3_850", false}, TFixture{"fp_1252", false},
                                           TFixture{"vfp_1252", false}, TFixture{"tdbf_3", true},
                                           TFixture{"tdbf_4", true}, TFixture{"tdbf_7", true},
                                           TFixture{"tdbf_25", true}, TFixture{"tdbf_30", true}));

TEST(VisualFoxPro, BinaryFieldsAndNullFlags) {
  TTable t;
  t.DatabaseName = Fixtures;
  t.TableName = "vfp_1252.dbf";
  t.Open();
  const std::vector<std::vector<std::string>> attendus = {
      {"ok", "-7", "12.75", "2.5", "15/03/2011 08:30:05"},
      {"", "-14", "25.25", "5", "15/03/2011 08:30:05"},
      {"ok", "-28", "50.25", "10", "15/03/2011 08:30:05"},
  };
  const std::vector<int32_t> monnaie_entiere = {13, 25, 50};
  for (size_t n = 0; n < attendus.size(); ++n, t.Next()) {
    ASSERT_FALSE(t.Eof());
    const char* champs[] = {"NUL", "ENTIER", "MONNAIE", "REEL", "QUAND"};
    for (size_t k = 0; k < 5; ++k) EXPECT_EQ(t.FieldByName(champs[k]).AsString(), attendus[n][k]) << champs[k];
    EXPECT_EQ(t.FieldByName("MONNAIE").AsInteger(), monnaie_entiere[n]);
    EXPECT_EQ(t.FieldByName("ENTIER").AsInteger(), std::stoi(attendus[n][1]));
  }
  // The hidden _NullFlags field is no field of the table.
  EXPECT_THROW(t.FieldByName("_NullFlags"), plateforme::EKorvex);
}

// The program renames PAIES.DTA to PAIES.DBF and gives the folder with Windows separators; the memo
// file keeps the name and the letter case the payroll application gave it.
TEST(Fichiers, MemoFoundWhateverItsCaseAndTheTableExtension) {
  test::TDossierTemporaire dossier;
  const fs::path donnees = dossier.Chemin() / fs::path(u8"Données");
  fs::create_directory(donnees);
  fs::copy_file(Fixtures + "/PAIES.DTA", donnees / "PAIES.DBF");
  fs::copy_file(Fixtures + "/paies.dbt", donnees / "paies.dbt");
  std::string windows = dossier.Texte() + "/Données";
  for (char& c : windows)
    if (c == '/') c = '\\';
  for (const std::string& base : {windows, windows + "\\"}) {
    TTable t;
    t.DatabaseName = base;
    t.TableName = "PAIES.DBF";
    t.Open();
    EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), "Entête\r\n0011520.00\r\n");
    t.Next();
    EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), "Entête\r\n002-35.50\r\n");
  }
}

TEST(Fichiers, ReadingChangesNoByteOfTheFiles) {
  const std::string avant_table = test::Contenu(Fixtures + "/tdbf_4.dbf");
  const std::string avant_memo = test::Contenu(Fixtures + "/tdbf_4.dbt");
  {
    TTable t;
    t.DatabaseName = Fixtures;
    t.TableName = "tdbf_4.dbf";
    t.AfficherSupprimes = true;
    t.Open();
    for (t.First(); !t.Eof(); t.Next()) t.FieldByName("MONTANTS").AsString();
  }
  EXPECT_EQ(test::Contenu(Fixtures + "/tdbf_4.dbf"), avant_table);
  EXPECT_EQ(test::Contenu(Fixtures + "/tdbf_4.dbt"), avant_memo);
}

// Through the file layer's seam: the memo file cannot be opened, or its second read fails.
TEST(Fichiers, AFailingMemoFileIsNamedWithTheRecord) {
  using plateforme::TOperationFichier;
  struct Cas {
    TOperationFichier operation;
    std::vector<std::string> message;
  };
  const std::vector<Cas> cas = {
      {TOperationFichier::Ouvrir, {"Impossible d'ouvrir le fichier ", "db3_850.DBT : panne"}},
      {TOperationFichier::Lire,
       {"Erreur de lecture du fichier ", "db3_850.DBT : panne (champ MONTANTS de l'enregistrement 1 de la table ",
        "db3_850.dbf)"}},
  };
  for (const auto& k : cas) {
    int lectures = 0;
    // The table's own hook, which it hands to its memo file.
    const plateforme::TInjecteurPannes injecteur = [&](TOperationFichier operation,
                                                       const std::string& chemin) -> std::optional<std::string> {
      if (operation != k.operation || chemin.size() < 4 || chemin.substr(chemin.size() - 4) != ".DBT") return std::nullopt;
      if (operation == TOperationFichier::Lire && ++lectures == 1) return std::nullopt;  // its header
      return "panne";
    };
    const std::string erreur = test::Message_Erreur([&] {
      TTable t;
      t.DatabaseName = Fixtures;
      t.TableName = "db3_850.dbf";
      t.Injecteur = injecteur;
      t.Open();
      t.FieldByName("MONTANTS").AsString();
    });
    for (const auto& morceau : k.message)
      EXPECT_NE(erreur.find(morceau), std::string::npos) << erreur << " / " << morceau;
  }
}

TEST(NomDeBase, AnAliasIsRefusedAndAnEmptyNameIsTheCurrentFolder) {
  TTable alias;
  alias.DatabaseName = "KORVEX";
  alias.TableName = "PAIES.DBF";
  const std::string erreur = test::Message_Erreur([&] { alias.Open(); });
  EXPECT_NE(erreur.find("'KORVEX'"), std::string::npos) << erreur;
  EXPECT_THROW(alias.Eof(), plateforme::EKorvex);  // not open

  const fs::path ici = fs::current_path();
  fs::current_path(Fixtures);
  TTable courant;
  courant.TableName = "tdbf_7.dbf";
  EXPECT_NO_THROW(courant.Open());
  fs::current_path(ici);
  EXPECT_EQ(courant.FieldByName("NOM").AsString(), "Élève Noël");
}

TEST(Cycle, CreatedUnopenedClosingTwiceDoesNothingAndAClosedTableRefusesWork) {
  TTable t;
  EXPECT_THROW(t.Eof(), plateforme::EKorvex);
  EXPECT_NO_THROW(t.Close());
  t.DatabaseName = Fixtures;
  t.TableName = "db3_850.dbf";
  t.Open();
  dbase::TField nom = t.FieldByName("NOM");
  t.Close();
  EXPECT_NO_THROW(t.Close());
  EXPECT_THROW(t.First(), plateforme::EKorvex);
  EXPECT_THROW(nom.AsString(), plateforme::EKorvex);
  EXPECT_THROW(t.FieldByName("NOM"), plateforme::EKorvex);
  EXPECT_EQ(test::Message_Erreur([&] {
              t.Open();
              t.FieldByName("ABSENT");
            }),
            "Champ 'ABSENT' non trouvé");
}

TEST(Cycle, AMissingTableNamesItsFile) {
  TTable t;
  t.DatabaseName = Fixtures;
  t.TableName = "ABSENTE.DBF";
  const std::string erreur = test::Message_Erreur([&] { t.Open(); });
  EXPECT_NE(erreur.find("ABSENTE.DBF"), std::string::npos) << erreur;
}

}  // namespace
