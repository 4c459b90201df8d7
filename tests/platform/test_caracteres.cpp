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

}  // namespace
