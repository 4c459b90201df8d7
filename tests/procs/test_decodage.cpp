#include <gtest/gtest.h>

#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "KORVEX_procs.h"
#include "platform/Separateurs.h"

#include <map>
#include <random>
#include <string>

namespace {

using Montants = std::map<int, long double>;

// The tests' own decoder state, as a scan owns one: a table, reused from memo to memo.
TTAB_VALEURS valeurs;
TDecodage decodage(&valeurs);
void Decoder(const std::string& memo) { Memo_Montants_Decoder(memo, decodage); }

// The amount the decoder stores for a count of ten-thousandths.
long double M(int64_t dix_milliemes) { return static_cast<long double>(dix_milliemes) / 10000.0L; }

Montants Entrees_Non_Nulles() {
  Montants m;
  for (int r = TTAB_VALEURS::Premier; r <= TTAB_VALEURS::Dernier; ++r)
    if (valeurs[r] != 0.0L) m[r] = valeurs[r];
  return m;
}

std::string Erreur_Decodage(const std::string& memo) {
  return test::Message_Erreur([&] { Decoder(memo); });
}

// The user's own separators, unlike the decoder's "." and " ", so a missed restore shows.
class Decodage : public ::testing::Test {
protected:
  void SetUp() override {
    decimal_ = plateforme::DecimalSeparator();
    milliers_ = plateforme::ThousandSeparator();
    plateforme::Fixer_Separateurs(U',', U'\u202F');
  }
  void TearDown() override { plateforme::Fixer_Separateurs(decimal_, milliers_); }
  static void Separateurs_Utilisateur_Remis() {
    EXPECT_EQ(plateforme::DecimalSeparator(), U',');
    EXPECT_EQ(plateforme::ThousandSeparator(), U'\u202F');
  }

private:
  char32_t decimal_ = U'.';
  char32_t milliers_ = U',';
};

struct Cas_Memo {
  const char* nom;
  std::string memo;
  Montants attendu;
};

}  // namespace

TEST_F(Decodage, FillsTheTableFromTheBody) {
  using namespace std::string_literals;
  const Cas_Memo cas[] = {
      {"sans CR", "H\n001100.00\n", {}},
      {"rien apres l'en-tete", "H\r\n\r\n\x1A", {}},
      {"vide", "", {}},
      {"deux lignes CR LF", "H\r\n001100.00\r\n002-20.5\r\n", {{1, M(1000000)}, {2, M(-205000)}}},
      {"dernier caractere imprimable garde", "H\r\n001100.25", {{1, M(1002500)}}},
      {"fin de fichier ote", "H\r\n001100.25\x1A", {{1, M(1002500)}}},
      {"CR final ote", "H\r\n001100.25\r", {{1, M(1002500)}}},
      {"rubrique 0 ignoree", "H\r\n0000.50\r\n", {}},
      {"sous le seuil", "H\r\n0050.0089\r\n0060.009\r\n007-0.009\r\n",
       {{6, M(90)}, {7, M(-90)}}},
      {"quatre decimales", "H\r\n0011.23456\r\n0021.23445\r\n", {{1, M(12346)}, {2, M(12344)}}},
      {"lignes courtes ignorees", "H\r\n\r\n\r\n00\r\n005\r\n005-3\r\n", {{5, M(-30000)}}},
      {"derniere ligne stockee", "H\r\n001100\r\n0015\r\n0010.001\r\n", {{1, M(50000)}}},
      {"CR, LF, LF CR", "H\r001100\n002200\r003300\n\r004400\r\n",
       {{1, M(1000000)}, {2, M(2000000)}, {3, M(3000000)}, {4, M(4000000)}}},
      {"NUL termine le corps", "H\r\n001100\r\n\0"s "002200\r\n", {{1, M(1000000)}}},
      {"NUL apres des lignes usuelles", "H\r\n0011.00\r\n0021.00\r\n\0"s "0031.00\r\n0041.00\r\n0051.00\r\n",
       {{1, M(10000)}, {2, M(10000)}}},
      {"NUL dans une ligne", "H\r\n0011\0"s "00\r\n", {{1, M(10000)}}},
      {"en-tete sur plusieurs LF", "H\nX\r\n\x1A\r\n001100\r\n", {{1, M(1000000)}}},
      {"rubrique hexadecimale et blanc", "H\r\n$1F100\r\n 12-7\r\n0x2.5\r\n",
       {{31, M(1000000)}, {12, M(-70000)}, {2, M(5000)}}},
      {"bornes de la table", "H\r\n0011\r\n899-1\r\n", {{1, M(10000)}, {899, M(-10000)}}},
      {"hors table mais negligeable", "H\r\n9000.005\r\n-010\r\n", {}},
      {"exposant et blancs", "H\r\n003 1.5E2 \r\n", {{3, M(1500000)}}},
      {"sans chiffre apres le point", "H\r\n0045.\r\n", {{4, M(50000)}}},
      {"point et decimales au bout des 16 octets",
       "H\r\n001-12345678.1234\r\n002-1234567.1234\r\n00312345678.1234\r\n004-12345678\r\n005.5\r\n",
       {{1, M(-123456781234)}, {2, M(-12345671234)}, {3, M(123456781234)}, {4, M(-123456780000)}, {5, M(5000)}}},
      {"centimes et CR LF, et leurs voisines",
       "H\r\n0011.25\r\n002+12.50\r\n003-1234567.89\r\n00412345678.90\r\n005.50\r\n0061.25\r007123456.70\n"
       "008-0.01\r\n009123456789.00\r\n0101.2\r\n0112.345\r\n0120.00\r\n0120.00\r\n0120.00\r\n",
       {{1, M(12500)},
        {2, M(125000)},
        {3, M(-12345678900)},
        {4, M(123456789000)},
        {5, M(5000)},
        {6, M(12500)},
        {7, M(1234567000)},
        {8, M(-100)},
        {9, M(1234567890000)},
        {10, M(12000)},
        {11, M(23450)}}},
      // Usual lines only, as a whole body: the longest and shortest amounts, a minus, a rubric
      // stored twice, rubric 0, a negligible amount, and nine integer digits.
      {"corps de lignes usuelles",
       "H\r\n0011.25\r\n002-12345678.90\r\n003.50\r\n004-.01\r\n0011.50\r\n00012.00\r\n0050.00\r\n"
       "006123456789.12\r\n89987654321.00\r\n",
       {{1, M(15000)},
        {2, M(-123456789000)},
        {3, M(5000)},
        {4, M(-100)},
        {6, M(1234567891200)},
        {899, M(876543210000)}}},
  };
  for (const auto& c : cas) {
    Decoder("H\r\n4449\r\n");  // an earlier payslip: every call starts from a cleared table
    Decoder(c.memo);
    EXPECT_EQ(Entrees_Non_Nulles(), c.attendu) << c.nom;
    Separateurs_Utilisateur_Remis();
  }
}

TEST_F(Decodage, StopsAtTheFirstBadLineWithItsMessage) {
  const struct {
    const char* memo;
    const char* message;
  } cas[] = {
      {"H\r\n    \r\n", "'   ' n'est pas une valeur entière correcte"},
      {"H\r\n001 \r\n", "' ' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n000abc\r\n", "'abc' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n0011 500.00\r\n", "'1 500.00' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n0011,5\r\n", "'1,5' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n001\t100\r\n", "'\t100' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n\t01100\r\n", "'\t01' n'est pas une valeur entière correcte"},
      {"H\r\n1 2100\r\n", "'1 2' n'est pas une valeur entière correcte"},
      {"H\r\n001100\x1A\x1A", "'100\x1A' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n900100\r\n", "'900' n'est pas un numéro de rubrique correct (1 à 899)"},
      {"H\r\n-01100\r\n", "'-01' n'est pas un numéro de rubrique correct (1 à 899)"},
      {"H\r\n9990.009\r\n", "'999' n'est pas un numéro de rubrique correct (1 à 899)"},
      {"H\r\n0011.25\r\n9001.25\r\n", "'900' n'est pas un numéro de rubrique correct (1 à 899)"},
      // A character is never cut: multi-byte and malformed ones count as one.
      {"H\r\né01100\r\n", "'é01' n'est pas une valeur entière correcte"},
      {"H\r\n001100€\r\n", "'100€' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n001100é", "'100é' n'est pas une valeur en virgule flottante correcte"},
      {"H\r\n\xFF" "01100\r\n", "'\xFF" "01' n'est pas une valeur entière correcte"},
      {"H\r\n\xC3" "01100\r\n", "'\xC3" "01' n'est pas une valeur entière correcte"},
  };
  for (const auto& c : cas) {
    EXPECT_EQ(Erreur_Decodage(c.memo), c.message) << c.memo;
    Separateurs_Utilisateur_Remis();
  }
}

TEST_F(Decodage, KeepsTheLinesBeforeAnErrorAndRestoresTheSeparators) {
  for (const char* ligne_fautive : {"002abc", "0x!100", "950100"}) {
    const std::string memo = std::string("H\r\n001100\r\n") + ligne_fautive + "\r\n003300\r\n";
    EXPECT_THROW(Decoder(memo), plateforme::EKorvex) << ligne_fautive;
    EXPECT_EQ(Entrees_Non_Nulles(), (Montants{{1, M(1000000)}})) << ligne_fautive;
    Separateurs_Utilisateur_Remis();
  }
}

// A line too short for an amount is a payroll application's leftover when it is text, and a
// scrambled block when it is not: the whole memo is then no payslip.
TEST_F(Decodage, ALineTooShortForAnAmountIsIgnoredOnlyWhenItIsText) {
  const std::string pas_texte = "n'est pas du texte : il contient des octets binaires ou nuls";
  const struct {
    std::string ligne;
    bool texte;
  } cas[] = {
      {"ab", true}, {"0 ", true}, {"\t", true}, {"a\x1A", true}, {"~~~", true},
      {"\xE9\xE9\xE9", false}, {"\xC3\xA9", false}, {"\x01", false}, {"a\x1B", false}, {"\x7F", false}, {"\x0B", false},
  };
  for (const auto& c : cas) {
    const std::string memo = "H\r\n0011.00\r\n" + c.ligne + "\r\n0022.00\r\n";
    EXPECT_EQ(Erreur_Decodage(memo), c.texte ? "" : pas_texte) << c.ligne;
    if (!c.texte) {
      EXPECT_THROW(Decoder(memo), EPas_Texte) << c.ligne;
    }
    // The lines before it stay, as for a conversion error; after a line of text, all of them.
    EXPECT_EQ(Entrees_Non_Nulles(), c.texte ? (Montants{{1, M(10000)}, {2, M(20000)}}) : (Montants{{1, M(10000)}}))
        << c.ligne;
    Separateurs_Utilisateur_Remis();
  }
}

TEST_F(Decodage, ReadsAmountsWithAPointWhateverTheUsersSeparator) {
  plateforme::Fixer_Separateurs(U'.', U',');
  EXPECT_EQ(Erreur_Decodage("H\r\n0011,500.00\r\n"),
            "'1,500.00' n'est pas une valeur en virgule flottante correcte");
  Decoder("H\r\n0011500.00\r\n");
  EXPECT_EQ(valeurs[1], M(15000000));
  EXPECT_EQ(plateforme::ThousandSeparator(), U',');
}

TEST(Seuil, IsNinetyTenThousandths) {
  EXPECT_EQ(Seuil_Negligeable, M(90));
  EXPECT_LT(M(89), Seuil_Negligeable);
}

// Arbitrary bytes: the table is filled or one of the three errors comes, and the separators
// are always restored.
TEST_F(Decodage, SurvivesArbitraryText) {
  const std::string alphabet = "0123456789000111 .-+eE$xX\r\n\r\n\x1A\t\0\xC3\xA9\xFF\x80,";
  std::mt19937 alea(899);
  for (int k = 0; k < 20000; ++k) {
    std::string memo = "H\r\n";
    const size_t taille = alea() % 40;
    for (size_t j = 0; j < taille; ++j) memo += alphabet[alea() % alphabet.size()];
    try {
      Decoder(memo);
    } catch (const plateforme::EKorvex& e) {
      const std::string message = e.what();
      EXPECT_TRUE(message.ends_with("' n'est pas une valeur entière correcte") ||
                  message.ends_with("' n'est pas une valeur en virgule flottante correcte") ||
                  message.ends_with("' n'est pas un numéro de rubrique correct (1 à 899)") ||
                  message == "n'est pas du texte : il contient des octets binaires ou nuls")
          << message;
    }
    ASSERT_EQ(plateforme::DecimalSeparator(), U',');
    ASSERT_EQ(plateforme::ThousandSeparator(), U'\u202F');
  }
}

namespace {

// A total adds only the listed rubrics: the list must hold every non-zero entry, each once.
TEST_F(Decodage, ListedRubricsAreExactlyTheStoredOnes) {
  const std::vector<std::string> memos = {
      "H\r\n0011.00\r\n0022.00\r\n0013.00\r\n",   // a rubric stored twice is listed once
      "H\r\n0050.0089\r\n0060.009\r\n",            // a negligible line stores nothing
      "H\r\n0077.00\r\n008abc\r\n0099.00\r\n",      // lines before an error stay listed
      "sans retour chariot",
      "H\r\n8991.00\r\n",
  };
  for (const auto& memo : memos) {
    try {
      Decoder(memo);
    } catch (const plateforme::EKorvex&) {
    }
    Montants listes;
    for (int r : decodage.Rubriques) {
      EXPECT_EQ(listes.count(r), 0u) << r;
      listes[r] = valeurs[r];
    }
    EXPECT_EQ(listes, Entrees_Non_Nulles()) << memo;
  }
}

}  // namespace
