// Field values: numeric texts rounded half to even from their digits, code pages to UTF-8.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "dbase/Pages_Code.h"
#include "dbase/Table.h"
#include "Tables_Brutes.h"
#include "dbase/Valeurs.h"

namespace {

using dbase::interne::TLecture;

TEST(Numerique, RoundedToNearestTiesToEvenFromTheDigits) {
  struct Cas {
    const char* texte;
    TLecture lecture;
    int32_t valeur;
  };
  const std::vector<Cas> cas = {
      {"", TLecture::Correcte, 0},          {"7", TLecture::Correcte, 7},
      {"-12", TLecture::Correcte, -12},     {"+3", TLecture::Correcte, 3},
      {"1.5", TLecture::Correcte, 2},       {"2.5", TLecture::Correcte, 2},
      {"0.5", TLecture::Correcte, 0},       {"-0.5", TLecture::Correcte, 0},
      {"-1.5", TLecture::Correcte, -2},     {"-2.5", TLecture::Correcte, -2},
      {"2.50000000000000000000000000001", TLecture::Correcte, 3},
      {"0.49999999999999999999", TLecture::Correcte, 0},
      {"1.4999", TLecture::Correcte, 1},    {".5", TLecture::Correcte, 0},
      {"5.", TLecture::Correcte, 5},        {"007.50", TLecture::Correcte, 8},
      {"0.000", TLecture::Correcte, 0},     {"1.5E1", TLecture::Correcte, 15},
      {"25e-1", TLecture::Correcte, 2},     {"35E-1", TLecture::Correcte, 4},
      {"1e-99999", TLecture::Correcte, 0},  {"2147483647", TLecture::Correcte, 2147483647},
      {"2147483647.49", TLecture::Correcte, 2147483647},
      {"-2147483648.5", TLecture::Correcte, INT32_MIN},
      {"2147483647.5", TLecture::Debordement, 0},  {"-2147483649", TLecture::Debordement, 0},
      {"12345678901", TLecture::Debordement, 0},   {"1e10", TLecture::Debordement, 0},
      {"abc", TLecture::Incorrecte, 0},     {".", TLecture::Incorrecte, 0},
      {"-", TLecture::Incorrecte, 0},       {"1.2.3", TLecture::Incorrecte, 0},
      {"1 2", TLecture::Incorrecte, 0},     {"1e", TLecture::Incorrecte, 0},
      {"1,5", TLecture::Incorrecte, 0},     {"--1", TLecture::Incorrecte, 0},
  };
  for (const auto& k : cas) {
    int32_t valeur = -1;
    const TLecture lecture = dbase::interne::Entier_De_Numerique(k.texte, valeur);
    EXPECT_EQ(lecture, k.lecture) << k.texte;
    if (k.lecture == TLecture::Correcte) {
      EXPECT_EQ(valeur, k.valeur) << k.texte;
    }
  }
}

TEST(PagesCode, LanguageDriversNameTheirPage) {
  struct Cas {
    uint8_t pilote;
    int page;
  };
  const std::vector<Cas> cas = {{0x01, 437}, {0x0D, 437}, {0x02, 850}, {0x0E, 850}, {0x1D, 850},
                                {0x03, 1252}, {0x57, 1252}, {0x58, 1252}, {0x59, 1252}, {0x00, 1252},
                                {0x64, 852}, {0x65, 866}, {0xC8, 1250}, {0xC9, 1251}, {0x7D, 1255},
                                {0x1F, 852}, {0x26, 866}, {0x08, 865}, {0x6B, 857}, {0xCA, 1254},
                                {0x04, 10000}, {0x97, 10029}, {0xCC, 1257},
                                {0x13, 932}, {0x7A, 936}, {0x79, 949}, {0x4F, 950},
                                {0xF0, 1252}, {0x68, 1252}};  // listed nowhere, or no codec
  for (const auto& k : cas) EXPECT_EQ(dbase::interne::Page_De_Pilote(k.pilote), k.page) << int(k.pilote);

  struct Nom {
    const char* nom;
    int page;
  };
  const std::vector<Nom> noms = {{"DBWINUS0", 1252}, {"DBWINWE0", 1252}, {"DB437US0", 437}, {"DB850WE0", 850},
                                 {"DB852CZ0", 852},  {"DB866RU0", 866},  {"FOXWEWIN", 1252}, {"FOXWE850", 850},
                                 {"", 1252},         {"ANSI", 1252}};
  for (const auto& k : noms) EXPECT_EQ(dbase::interne::Page_De_Nom_Pilote(k.nom), k.page) << k.nom;
}

// Tables that python3-dbf wrote and marked, each in its own page (tests/dbase/ecrire_pages_code.py).
TEST(PagesCode, TablesWrittenInEachPageReadTheirLabels) {
  struct Cas {
    const char* table;
    std::vector<std::string> libelles;
  };
  const std::vector<Cas> cas = {
      {"page_852", {"Příplatek za přesčas", "Składka zdrowotna żółć"}},
      {"page_866", {"Заработная плата", "Премия ёЁ"}},
      {"page_865", {"Lønn og feriepenger", "Øre Åse æ"}},
      {"page_857", {"Fazla mesai ücreti", "ğĞ şŞ ıİ"}},
      {"page_1254", {"Kıdem tazminatı", "Ğ Ş İ ç ö"}},
      {"page_1250", {"Mzda – příplatek", "őű Ł ś"}},
      {"page_737", {"Μισθός υπαλλήλου", "Επίδομα άδειας"}},
      {"page_1253", {"Επίδομα γάμου", "Ώρες ΆΈΉ"}},
      {"page_874", {"เงินเดือน", "ค่าล่วงเวลา"}},
      {"page_10000", {"Prime d'ancienneté", "Œuvre € ß"}},
      {"page_10007", {"Оклад", "Надбавка №"}},
      {"page_932", {"給与明細", "ｶﾀｶﾅ 残業手当"}},
      {"page_936", {"工资", "加班费"}},
      {"page_949", {"급여", "상여금"}},
      {"page_950", {"薪資", "加班費"}},
  };
  for (const auto& k : cas) {
    dbase::TTable t;
    t.DatabaseName = std::string(KORVEX_DONNEES_TEST) + "/fixtures";
    t.TableName = std::string(k.table) + ".dbf";
    t.Open();
    std::vector<std::string> lus;
    for (t.First(); !t.Eof(); t.Next()) lus.push_back(t.FieldByName("LIBELLE").AsString());
    EXPECT_EQ(lus, k.libelles) << k.table;
  }
}

// Each page the payroll application's tables may use, through a table that declares it.
TEST(PagesCode, TextsAreReturnedInUtf8) {
  struct Cas {
    uint8_t pilote;
    std::string octets, utf8;
  };
  const std::vector<Cas> cas = {
      {0x01, "\x82\x9c", "é£"},     {0x02, "\x82\x90\xb7", "éÉÀ"}, {0x64, "\xa5\x9f", "ąč"},
      {0x65, "\x80\xa0", "Аа"},     {0xC8, "\x8a\xe8", "Šč"},      {0xC9, "\xc0\xff", "Ая"},
      {0x03, "\x80\xe9\x81", "€é\xc2\x81"},  // a hole of 1252 keeps its C1 control, as Windows does
      {0x00, "Pay\xe9", "Payé"},
      {0x13, "\x82\xa0\xb1\x82", "あｱ\xef\xbf\xbd"},  // a lead byte with nothing after it
      {0x7A, "\x81\x21x\xb9\xa4", "\xef\xbf\xbd!x工"},    // a lead byte before no trail byte
  };
  test::TDossierTemporaire dossier;
  for (const auto& k : cas) {
    const uint8_t n = static_cast<uint8_t>(k.octets.size());
    test::Ecrire_Fichier(dossier.Texte() + "/PAGE.DBF",
                         test::Table_Brute(0x03, {{"LIBELLE", 'C', static_cast<uint8_t>(n + 2)}},
                                           {k.octets + "  "}, k.pilote));
    dbase::TTable t;
    t.DatabaseName = dossier.Texte();
    t.TableName = "PAGE.DBF";
    t.Open();
    EXPECT_EQ(t.FieldByName("LIBELLE").AsString(), k.utf8) << int(k.pilote);
  }
}

TEST(PagesCode, ACharacterFieldEndsAtItsFirstNul) {
  test::TDossierTemporaire dossier;
  // Not NUL.DBF: on Windows NUL is the null device, whatever the extension.
  test::Ecrire_Fichier(dossier.Texte() + "/ZERO.DBF",
                       test::Table_Brute(0x03, {{"LIBELLE", 'C', 8}}, {std::string("ab c\0xyz", 8)}));
  dbase::TTable t;
  t.DatabaseName = dossier.Texte();
  t.TableName = "ZERO.DBF";
  t.Open();
  EXPECT_EQ(t.FieldByName("LIBELLE").AsString(), "ab c");
}

// The copy-free text of a character field is AsString's when it is ASCII, at short lengths, with
// blanks and NULs.
TEST(PagesCode, TheAsciiViewOfAFieldIsItsText) {
  using namespace std::string_literals;
  test::TDossierTemporaire dossier;
  const std::vector<std::string> valeurs = {"06-2020"s, "06-20  "s, "06\0-2020"s, "  06-20"s, "       "s,
                                            "\0      "s, "06-2\xe9" "0"s, "0\x80-2020"s};
  for (int longueur : {3, 4, 7, 8, 9}) {
    std::vector<std::string> enregistrements;
    for (const std::string& v : valeurs) enregistrements.push_back((v + "         ").substr(0, static_cast<size_t>(longueur)));
    test::Ecrire_Fichier(dossier.Texte() + "/MOIS.DBF", test::Table_Brute(0x03, {{"MOIS", 'C', static_cast<uint8_t>(longueur)}}, enregistrements));
    dbase::TTable t;
    t.DatabaseName = dossier.Texte();
    t.TableName = "MOIS.DBF";
    t.Open();
    const dbase::TField mois = t.FieldByName("MOIS");
    for (size_t k = 0; k < valeurs.size(); ++k, t.Next()) {
      const std::string avant_nul = enregistrements[k].substr(0, enregistrements[k].find('\0'));
      const bool ascii = avant_nul.find_first_of("\xe9\x80") == std::string::npos;
      const auto vue = mois.Texte_Ascii();
      EXPECT_EQ(vue.has_value(), ascii) << longueur << " " << k;
      if (vue && ascii) {
        EXPECT_EQ(std::string(*vue), mois.AsString()) << longueur << " " << k;
      }
    }
  }
}

// A memo read as text, whatever kind of memo the field declares, arrives in valid UTF-8: a
// MONTANTS field declared binary must not put raw code-page bytes into the user's messages.
TEST(PagesCode, EveryKindOfMemoIsTranslated) {
  test::TDossierTemporaire dossier;
  for (char type : {'M', 'B', 'G', 'P'}) {
    test::Ecrire_Fichier(dossier.Texte() + "/MEMO.DBF",
                         test::Table_Brute(0x83, {{"MONTANTS", type, 10}}, {test::Pointeur(1)}));
    test::Ecrire_Fichier(dossier.Texte() + "/MEMO.DBT", test::Dbt_III({"H\r\n001\xe9"}));
    dbase::TTable t;
    t.DatabaseName = dossier.Texte();
    t.TableName = "MEMO.DBF";
    t.Open();
    EXPECT_EQ(t.FieldByName("MONTANTS").AsString(), "H\r\n001é") << type;
  }
}

// A memo's text lent without a copy is AsString's, whatever the memo file, the code page and
// the window: the same buffer serves every record, and a memo longer than the window is copied.
TEST(PagesCode, TheLentTextOfAMemoIsItsText) {
  test::TDossierTemporaire dossier;
  const std::vector<std::string> memos = {"H\r\n001100.00\r\n", "H\r\n001\xe9", std::string(70000, '7') + "\r\n",
                                          "H\r\n002-3.50\r\n"};
  const std::vector<std::string> attendus = {memos[0], "H\r\n001é", memos[2], memos[3]};
  struct Cas {
    uint8_t version;
    const char* nom_memo;
    std::string (*ecrire)(const std::vector<std::string>&, std::vector<uint64_t>*);
  };
  const Cas cas[] = {
      {0x83, "MEMO.DBT", [](const auto& m, auto* b) { return test::Dbt_III(m, b); }},
      {0x8B, "MEMO.DBT", [](const auto& m, auto* b) { return test::Dbt_IV(m, 512, b); }},
      {0xF5, "MEMO.FPT", [](const auto& m, auto* b) { return test::Fpt(m, 64, b); }},
  };
  for (const Cas& k : cas) {
    std::vector<uint64_t> blocs;
    test::Ecrire_Fichier(dossier.Texte() + "/" + k.nom_memo, k.ecrire(memos, &blocs));
    std::vector<std::string> pointeurs;
    for (uint64_t bloc : blocs) pointeurs.push_back(test::Pointeur(bloc));
    test::Ecrire_Fichier(dossier.Texte() + "/MEMO.DBF", test::Table_Brute(k.version, {{"MONTANTS", 'M', 10}}, pointeurs));
    dbase::TTable t;
    t.DatabaseName = dossier.Texte();
    t.TableName = "MEMO.DBF";
    t.Open();
    const dbase::TField montants = t.FieldByName("MONTANTS");
    std::string tampon;
    for (size_t r = 0; r < memos.size(); ++r, t.Next()) {
      EXPECT_EQ(montants.Texte(tampon), attendus[r]) << k.nom_memo << " " << r;
      EXPECT_EQ(montants.AsString(), attendus[r]) << k.nom_memo << " " << r;
    }
    std::filesystem::remove(dossier.Chemin() / k.nom_memo);
  }
}

}  // namespace

TEST(PagesCode, AnyByteAboveAsciiAnywhereIsSeen) {
  for (size_t n = 0; n <= 40; ++n) {
    const std::string ascii(n, 'a');
    EXPECT_TRUE(dbase::interne::Tout_Ascii(ascii.data(), n)) << n;
    for (size_t k = 0; k < n; ++k) {
      std::string t = ascii;
      t[k] = '\x80';
      EXPECT_FALSE(dbase::interne::Tout_Ascii(t.data(), n)) << n << " " << k;
    }
  }
}
