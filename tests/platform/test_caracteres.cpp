// The one rule for characters of a UTF-8 text, malformed bytes included, and the compare of names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Caracteres.h"

namespace {

TEST(CaracteresTest, AMalformedByteIsOneCharacterOfItsOwn) {
  struct Cas {
    std::string texte;
    size_t caracteres;
    size_t octets_des_deux_premiers;
  };
  const std::vector<Cas> cas = {
      {"", 0, 0},
      {"03-2011", 7, 2},
      {"é€𝄞", 3, 5},
      {"\xc3", 1, 1},               // cut before its continuation
      {"\xe2\x82", 2, 2},           // a three-byte start with one continuation
      {"\x80\x80x", 3, 2},          // continuations with no start
      {"\xc0\xaf", 2, 2},           // overlong
      {"\xed\xa0\x80", 3, 2},       // a surrogate
      {"a\xf4\x90\x80\x80", 5, 2},  // beyond U+10FFFF
  };
  for (const auto& k : cas) {
    EXPECT_EQ(plateforme::Nombre_Caracteres(k.texte), k.caracteres) << k.texte;
    EXPECT_EQ(plateforme::Octets_Des_Caracteres(k.texte, 2), k.octets_des_deux_premiers) << k.texte;
  }
  EXPECT_EQ(plateforme::Octets_Des_Caracteres("abc", 10), 3u);
}

TEST(CaracteresTest, NamesCompareWithoutRegardToAsciiCaseOnly) {
  EXPECT_TRUE(plateforme::Egal_Sans_Casse("Libelle", "LIBELLE"));
  EXPECT_TRUE(plateforme::Egal_Sans_Casse("", ""));
  EXPECT_FALSE(plateforme::Egal_Sans_Casse("LIBELLE", "LIBELL"));
  EXPECT_FALSE(plateforme::Egal_Sans_Casse("é", "É"));  // the system folds ASCII letters only
  EXPECT_FALSE(plateforme::Egal_Sans_Casse("[", "{"));  // 0x5B and 0x7B differ by the case bit
}

// One character at a time: its bytes, and the code point read back, a bad byte standing for itself.
TEST(CaracteresTest, DecodesOneCharacterAndTreatsABadByteAsOne) {
  const struct {
    std::string texte;
    size_t taille;
    char32_t code;
  } cas[] = {
      {"a", 1, U'a'},
      {"\xC3\xA9", 2, U'\u00E9'},
      {"\xE2\x82\xAC", 3, U'\u20AC'},
      {"\xF0\x9F\x98\x80", 4, U'\U0001F600'},
      {"\xC3", 1, 0xC3},                // cut before its continuation
      {"\xC3" "a", 1, 0xC3},
      {"\xE2\x82", 1, 0xE2},
      {"\xC0\x80", 1, 0xC0},           // overlong
      {"\xED\xA0\x80", 1, 0xED},       // a surrogate
      {"\xF4\x90\x80\x80", 1, 0xF4},   // beyond U+10FFFF
      {"\x80", 1, 0x80},
      {"\xFF", 1, 0xFF},
  };
  for (const auto& c : cas) {
    EXPECT_EQ(plateforme::Taille_Caractere_Utf8(c.texte, 0), c.taille) << c.texte;
    const auto lu = plateforme::Decoder_Utf8(c.texte, 0);
    EXPECT_EQ(lu.taille, c.taille) << c.texte;
    EXPECT_EQ(lu.code, c.code) << c.texte;
  }
}

TEST(CaracteresTest, EncodesCodePoints) {
  std::string texte;
  for (char32_t c : {U'.', U'\u00A0', U'\u202F', U'\U0001F600', char32_t{0xD800}})
    plateforme::Ajouter_Utf8(texte, c);
  EXPECT_EQ(texte, ".\xC2\xA0\xE2\x80\xAF\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

}  // namespace
