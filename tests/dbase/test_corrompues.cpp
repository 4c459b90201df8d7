// Corrupt and unusual files, made by hand: each gets a clear French error naming the file, or is
// read as far as it holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "dbase/Table.h"
#include "Tables_Brutes.h"

namespace {

using dbase::TTable;
using test::TChampBrut;

const std::vector<TChampBrut> Paies = {{"MOIS", 'C', 7}, {"MONTANTS", 'M', 10}};

std::string Paie(const std::string& mois, uint64_t bloc) { return mois + test::Pointeur(bloc); }

std::string Remplacer(std::string s, size_t position, const std::string& octets) {
  s.replace(position, octets.size(), octets);
  return s;
}

struct TCas {
  std::string nom;
  std::string table;
  std::string memo;  // written as PAIES.DBT unless empty
  std::vector<std::string> erreur;  // pieces of the message; empty: no error
};

struct CorrompuesTest : ::testing::Test {
  test::TDossierTemporaire dossier;

  std::string Chemin() const { return dossier.Texte() + "\\PAIES.DBF"; }

  void Ecrire(const TCas& k) {
    test::Ecrire_Fichier(dossier.Texte() + "/PAIES.DBF", k.table);
    std::filesystem::remove(dossier.Chemin() / "PAIES.DBT");
    if (!k.memo.empty()) test::Ecrire_Fichier(dossier.Texte() + "/PAIES.DBT", k.memo);
  }

  void Ouvrir(TTable& t) {
    t.DatabaseName = dossier.Texte();
    t.TableName = "PAIES.DBF";
    t.Open();
  }

  static void Verifier_Message(const std::string& message, const TCas& k) {
    for (const auto& morceau : k.erreur)
      EXPECT_NE(message.find(morceau), std::string::npos) << k.nom << ": " << message << " / " << morceau;
  }
};

TEST_F(CorrompuesTest, TheTableCannotBeOpened) {
  const std::string bonne = test::Table_Brute(0x03, {{"MOIS", 'C', 7}}, {"03-2011"});
  const std::vector<TCas> cas = {
      {"plus court que l'en-tête de base", "\x03\x7e\x0c", "", {"PAIES.DBF", "trop court"}},
      {"plus court que son en-tête", bonne.substr(0, 50), "", {"PAIES.DBF", "plus court que son en-tête"}},
      {"longueur d'enregistrement", Remplacer(bonne, 10, std::string("\x09\x00", 2)), "",
       {"PAIES.DBF", "longueur d'enregistrement (9 octets)", "(8 octets)"}},
      {"pas de 0x0D", Remplacer(bonne, 64, " "), "", {"PAIES.DBF", "(0x0D)"}},
      {"longueur d'en-tête trop petite", Remplacer(bonne, 8, std::string("\x10\x00", 2)), "",
       {"PAIES.DBF", "longueur d'en-tête"}},
      {"version inconnue", Remplacer(bonne, 0, std::string(1, '\0')), "", {"PAIES.DBF", "version 0x00"}},
      {"entier de 3 octets", test::Table_Brute(0x03, {{"CLASSE", 'I', 3}}, {"abc"}), "",
       {"PAIES.DBF", "CLASSE", "longueur de 3 octets au lieu de 4"}},
      {"mémo absent", test::Table_Brute(0x83, Paies, {Paie("03-2011", 1)}), "",
       {"PAIES.DBT", "PAIES.DBF", "introuvable"}},
  };
  for (const auto& k : cas) {
    Ecrire(k);
    TTable t;
    Verifier_Message(test::Message_Erreur([&] { Ouvrir(t); }), k);
    EXPECT_THROW(t.Eof(), plateforme::EKorvex) << k.nom;  // left unopened
  }
}

// Errors of one record's value: the message names the table, the record and the memo file.
TEST_F(CorrompuesTest, ABadValueIsAnErrorNotABlank) {
  const std::string bon = "Entete\r\n0011520.00\r\n";
  const std::string memo3 = test::Dbt_III({bon});
  const std::string sans_fin = test::Dbt_III({bon}) + "Entete\r\n001";
  // The second memo of a dBase IV file starts at byte 1024; its length at 1028.
  const std::string absurde = Remplacer(test::Dbt_IV({bon, "x"}), 1028, std::string("\xF0\xFF\xFF\xFF", 4));
  const std::string trop_courte = Remplacer(test::Dbt_IV({bon, "x"}), 1028, std::string("\x07\0\0\0", 4));
  const std::vector<TCas> cas = {
      {"pointeur au-delà de la fin", test::Table_Brute(0x83, Paies, {Paie("03-2011", 1), Paie("03-2011", 99)}),
       memo3, {"PAIES.DBF", "MONTANTS", "enregistrement 2", "bloc 99", "PAIES.DBT"}},
      {"longueur absurde", test::Table_Brute(0x8B, Paies, {Paie("03-2011", 1), Paie("03-2011", 2)}), absurde,
       {"PAIES.DBF", "enregistrement 2", "4294967272", "dépasse la fin", "PAIES.DBT"}},
      {"longueur sous 8", test::Table_Brute(0x8B, Paies, {Paie("03-2011", 1), Paie("03-2011", 2)}), trop_courte,
       {"enregistrement 2", "longueur incorrecte (7 octets)"}},
      {"mémo III sans 0x1A", test::Table_Brute(0x83, Paies, {Paie("03-2011", 1), Paie("03-2011", 2)}), sans_fin,
       {"enregistrement 2", "0x1A"}},
      {"pointeur illisible", test::Table_Brute(0x83, Paies, {Paie("03-2011", 1), "03-2011" + std::string("12ab      ")}),
       memo3, {"enregistrement 2", "pointeur"}},
  };
  for (const auto& k : cas) {
    Ecrire(k);
    TTable t;
    Ouvrir(t);
    EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), bon) << k.nom;
    t.Next();
    Verifier_Message(test::Message_Erreur([&] { t.FieldByName("MONTANTS").AsString(); }), k);
  }
}

TEST_F(CorrompuesTest, ABadNumberNamesItsRecord) {
  struct Cas {
    std::string valeur, erreur;
  };
  const std::vector<Cas> cas = {
      {"        abc", "La table " + Chemin() + " est endommagée : le champ CLASSE de l'enregistrement 2 contient 'abc'"},
      {"  1.5.2    ", "enregistrement 2 contient '1.5.2'"},
      {"***********", "contient '***********'"},
      {"99999999999", "Débordement d'entier"},
      {"2147483647.5", "Débordement d'entier"},
  };
  for (const auto& k : cas) {
    const uint8_t n = static_cast<uint8_t>(k.valeur.size());
    Ecrire({k.valeur, test::Table_Brute(0x03, {{"CLASSE", 'N', n, 1}}, {std::string(n - 1, ' ') + "1", k.valeur}), "", {}});
    TTable t;
    Ouvrir(t);
    EXPECT_EQ(t.FieldByName("CLASSE").AsInteger(), 1);
    t.Next();
    const std::string erreur = test::Message_Erreur([&] { t.FieldByName("CLASSE").AsInteger(); });
    EXPECT_NE(erreur, "") << k.valeur;
    EXPECT_NE(erreur.find(k.erreur), std::string::npos) << erreur;
  }
}

TEST_F(CorrompuesTest, MoreRecordsAnnouncedThanHeldReadsTheCompleteOnes) {
  std::string table = test::Table_Brute(0x03, {{"MOIS", 'C', 7}}, {"01-2011", "02-2011", "03-2011"});
  table = Remplacer(table, 4, std::string("\x09\0\0\0", 4));  // nine announced
  table.resize(table.size() - 5);                             // the third one cut
  for (bool supprimes : {false, true}) {
    Ecrire({"", table, "", {}});
    TTable t;
    t.AfficherSupprimes = supprimes;
    Ouvrir(t);
    t.MoveBy(5);
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("MOIS").AsString(), "02-2011");
  }
}

// A jump sees the same end as a scan, whether or not a scan met the mark first.
TEST_F(CorrompuesTest, A1AWhereARecordStartsEndsTheTable) {
  std::string table = test::Table_Brute(0x03, {{"MOIS", 'C', 7}}, {"01-2011", "02-2011", "03-2011", "04-2011"});
  const size_t debut2 = 32 + 32 + 1 + 8;
  table[debut2] = 0x1A;
  Ecrire({"", table, "", {}});
  for (bool supprimes : {false, true}) {
    for (int saut : {1, 2, 3, 100}) {
      TTable t;
      t.AfficherSupprimes = supprimes;
      Ouvrir(t);
      t.MoveBy(saut);
      EXPECT_TRUE(t.Eof()) << supprimes << " " << saut;
      EXPECT_EQ(t.FieldByName("MOIS").AsString(), "01-2011") << supprimes << " " << saut;
      std::vector<std::string> lus;
      for (t.First(); !t.Eof(); t.Next()) lus.push_back(t.FieldByName("MOIS").AsString());
      EXPECT_EQ(lus, std::vector<std::string>{"01-2011"});
    }
  }
}

// The end mark met by a jump where it lands (the rubric lookup shows every record).
TEST_F(CorrompuesTest, AJumpOntoAnEndMarkStopsBeforeTheFirstOne) {
  std::string table = test::Table_Brute(0x03, {{"MOIS", 'C', 7}}, {"01-2011", "02-2011", "03-2011", "04-2011"});
  table[32 + 32 + 1 + 2 * 8] = 0x1A;
  table[32 + 32 + 1 + 3 * 8] = 0x1A;
  Ecrire({"", table, "", {}});
  TTable t;
  t.AfficherSupprimes = true;
  Ouvrir(t);
  t.MoveBy(3);
  EXPECT_TRUE(t.Eof());
  EXPECT_EQ(t.FieldByName("MOIS").AsString(), "02-2011");
}

TEST_F(CorrompuesTest, AnEmptyPointerIsAnEmptyMemo) {
  const std::string memo = test::Dbt_III({"Ent\xEAte\r\n0011520.00\r\n"});  // in the table's 1252
  Ecrire({"", test::Table_Brute(0x83, Paies,
                                {Paie("03-2011", 0), "03-2011" + std::string(10, ' '), "03-2011" + std::string(10, '\0'),
                                 Paie("03-2011", 1)}),
          memo, {}});
  TTable t;
  Ouvrir(t);
  for (int i = 0; i < 3; ++i, t.Next()) EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), "") << i;
  EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), "Entête\r\n0011520.00\r\n");
}

// The memo's own bytes decide its form: FF FF 08 00 marks a dBase IV memo whatever the table's
// version, the block size comes from the memo header, and a FoxPro memo is found when no .DBT is.
TEST_F(CorrompuesTest, MemoFormsAreRecognisedByTheirBytes) {
  const std::vector<std::string> memos = {"Entete\r\n0011520.00\r\n", std::string(700, 'x') + "\r\n002-3\r\n"};
  struct Cas {
    std::string nom;
    uint8_t version;
    std::string memo, nom_memo;
    std::vector<uint64_t> blocs;
  };
  std::vector<Cas> cas(7);
  cas[0] = {"IV dans une table III", 0x83, "", "PAIES.DBT", {}};
  cas[0].memo = test::Dbt_IV(memos, 512, &cas[0].blocs);
  cas[1] = {"III dans une table IV", 0x8B, "", "PAIES.DBT", {}};
  cas[1].memo = test::Dbt_III(memos, &cas[1].blocs);
  cas[2] = {"IV en blocs de 64", 0x8B, "", "PAIES.DBT", {}};
  cas[2].memo = test::Dbt_IV(memos, 64, &cas[2].blocs);
  cas[3] = {"IV, taille de bloc à l'octet 4", 0x8B, "", "PAIES.DBT", {}};
  cas[3].memo = Remplacer(test::Dbt_IV(memos, 1024, &cas[3].blocs), 4, std::string("\0\x04\0\0", 4));
  cas[3].memo = Remplacer(cas[3].memo, 20, std::string("\0\0", 2));
  cas[4] = {"FoxPro", 0xF5, "", "PAIES.FPT", {}};
  cas[4].memo = test::Fpt(memos, 64, &cas[4].blocs);
  cas[5] = {"FPT d'une table dBase", 0x83, "", "PAIES.FPT", {}};
  cas[5].memo = test::Fpt(memos, 512, &cas[5].blocs);
  cas[6] = {"IV en blocs de 5 octets", 0x8B, "", "PAIES.DBT", {}};
  cas[6].memo = test::Dbt_IV(memos, 5, &cas[6].blocs);
  for (const auto& k : cas) {
    std::filesystem::remove(dossier.Chemin() / "PAIES.DBT");
    std::filesystem::remove(dossier.Chemin() / "PAIES.FPT");
    test::Ecrire_Fichier(dossier.Texte() + "/" + k.nom_memo, k.memo);
    test::Ecrire_Fichier(dossier.Texte() + "/PAIES.DBF",
                         test::Table_Brute(k.version, Paies, {Paie("03-2011", k.blocs[0]), Paie("03-2011", k.blocs[1])}));
    TTable t;
    Ouvrir(t);
    EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), memos[0]) << k.nom;
    t.Next();
    EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), memos[1]) << k.nom;
  }
}

}  // namespace
