// Series of raw records, as a reader of the whole table takes them: the same records, checked
// the same way, as First and Next give, and a field's bytes and memo pointer read from them.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Tables_Brutes.h"
#include "dbase/Table.h"
#include "support/Dossier_Temporaire.h"

namespace {

using dbase::TTable;

constexpr int64_t Tous = std::numeric_limits<int64_t>::max();

struct SeriesTest : ::testing::Test {
  test::TDossierTemporaire dossier;

  void Ouvrir(TTable& t, const std::string& octets) {
    test::Ecrire_Fichier(dossier.Texte() + "/S.DBF", octets);
    t.DatabaseName = dossier.Texte();
    t.TableName = "S.DBF";
    t.Open();
  }
};

// Records numbered in their NOM field, over several windows; some deleted, some with a wrong
// flag, the table perhaps cut by an end mark: a series reader sees the records that First and
// Next show, with the same bytes, and the table notes the same damage.
TEST_F(SeriesTest, SeriesGiveTheRecordsAScanShowsAndNoteTheSameDamage) {
  struct TCas {
    const char* nom;
    int64_t marque_fin;  // record that starts with 0x1A, 0 for none
  };
  for (const TCas& k : {TCas{"sans dommage", 0}, TCas{"une marque de fin", 7001}}) {
    SCOPED_TRACE(k.nom);
    std::vector<std::string> enregistrements;
    std::vector<bool> supprimes;
    for (int n = 1; n <= 9000; ++n) {
      enregistrements.push_back(std::to_string(100000 + n) + std::string(14, ' '));
      supprimes.push_back(n % 11 == 0);
    }
    std::string octets = test::Table_Brute(0x03, {{"NOM", 'C', 20}}, enregistrements, 0x03, supprimes);
    const size_t entete = 32 + 32 + 1, longueur = 21;
    for (int n : {5, 4095, 4096, 8999}) octets[entete + (n - 1) * longueur] = '#';
    if (k.marque_fin) octets[entete + (k.marque_fin - 1) * longueur] = '\x1A';

    TTable scan;
    Ouvrir(scan, octets);
    std::vector<std::pair<int64_t, std::string>> montres;
    for (scan.First(); !scan.Eof(); scan.Next()) montres.emplace_back(scan.RecNo(), scan.FieldByName("NOM").AsString());

    TTable lecteur;
    Ouvrir(lecteur, octets);
    const dbase::TChamp_Serie nom = lecteur.FieldByName("NOM").Serie();
    std::vector<std::pair<int64_t, std::string>> lus;
    dbase::TSerie s;
    int series = 0;
    for (int64_t premier = 1; lecteur.Lire_Serie(premier, Tous, s); premier = s.Premier + s.Nombre, ++series) {
      ASSERT_EQ(s.Premier, premier);
      for (int64_t i = 0; i < s.Nombre; ++i)
        if (dbase::TSerie::Montre(s.Enregistrement(i)))
          lus.emplace_back(s.Premier + i, std::string(nom.Octets(s.Enregistrement(i)).substr(0, 6)));
    }
    EXPECT_GT(series, 2);
    EXPECT_EQ(lus.size(), montres.size());
    for (auto& [numero, texte] : montres) texte = texte.substr(0, 6);
    EXPECT_EQ(lus, montres);
    ASSERT_EQ(lecteur.Omissions().size(), scan.Omissions().size());
    for (size_t i = 0; i < scan.Omissions().size(); ++i)
      EXPECT_EQ(dbase::Texte_Dommage(lecteur.Omissions()[i]), dbase::Texte_Dommage(scan.Omissions()[i]));
  }
}

// A series stops at Dernier, and the current record stays current while series are read.
TEST_F(SeriesTest, ASeriesEndsAtItsLastRecordAndLeavesTheCurrentOne) {
  TTable t;
  Ouvrir(t, test::Table_Brute(0x03, {{"NOM", 'C', 2}}, {"R1", "R2", "R3", "R4"}));
  t.First();
  t.Next();
  dbase::TSerie s;
  ASSERT_TRUE(t.Lire_Serie(2, 3, s));
  EXPECT_EQ(s.Premier, 2);
  EXPECT_EQ(s.Nombre, 2);
  EXPECT_FALSE(t.Lire_Serie(5, Tous, s));
  EXPECT_EQ(t.RecNo(), 2);
  EXPECT_EQ(t.FieldByName("NOM").AsString(), "R2");
}

// Memo pointers as writers spell them, and as damage leaves them.
TEST_F(SeriesTest, AMemoPointerReadFromTheRecordsBytes) {
  const struct {
    std::string pointeur;
    std::optional<uint64_t> bloc;
  } cas[] = {
      {"         5", 5},  {"0000000005", 5}, {"        12", 12},        {"  12345678", 12345678},
      {"1234567890", 1234567890},          {"5         ", 5},          {"   42     ", 42},
      {"          ", 0},  {std::string(10, '\0'), 0},                  {std::string("\0\0\0\0\0\0\0\0\x31\x32", 10), 12},
      {"   12x45  ", std::nullopt},        {"  1 2     ", std::nullopt}, {"        -1", std::nullopt},
      {"\xB5\xB5\xB5\xB5\xB5\xB5\xB5\xB5\xB5\xB5", std::nullopt},    {"   :      ", std::nullopt},
      {"        /9", std::nullopt},
  };
  std::vector<std::string> enregistrements;
  for (const auto& c : cas) enregistrements.push_back(c.pointeur);
  test::Ecrire_Fichier(dossier.Texte() + "/S.DBT", std::string(512, '\0'));
  TTable t;
  Ouvrir(t, test::Table_Brute(0x83, {{"MONTANTS", 'M', 10}}, enregistrements));
  const dbase::TChamp_Serie montants = t.FieldByName("MONTANTS").Serie();
  dbase::TSerie s;
  ASSERT_TRUE(t.Lire_Serie(1, Tous, s));
  ASSERT_EQ(s.Nombre, static_cast<int64_t>(std::size(cas)));
  for (size_t i = 0; i < std::size(cas); ++i)
    EXPECT_EQ(montants.Bloc_Memo(s.Enregistrement(static_cast<int64_t>(i))), cas[i].bloc) << i << " « " << cas[i].pointeur << " »";
}

}  // namespace
