// Every text the user can meet, taken from the headers that hold them: each is valid UTF-8 and
// not empty, and each that takes a part shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Caracteres.h"
#include "platform/Textes.h"

namespace {

bool Utf8_Valide(std::string_view texte) {
  for (size_t i = 0; i < texte.size();) {
    const size_t n = plateforme::Taille_Caractere_Utf8(texte, i);
    if (n == 1 && static_cast<unsigned char>(texte[i]) >= 0x80) return false;
    i += n;
  }
  return true;
}

struct TTexte {
  std::string nom;
  std::string texte;
  std::vector<std::string> parties;  // what the text must show of its arguments
};

// Every text of the headers, written from them at each build (textes_tous.py): a constant, an
// array's entries, a function called with sample words and numbers that it must show.
std::vector<TTexte> Tous() {
  using namespace textes;
  std::vector<TTexte> t;
#include "Tous_Les_Textes.inc"
  return t;
}

TEST(TextesTest, EveryTextIsValidUtf8NotEmptyAndShowsItsParts) {
  const std::vector<TTexte> tous = Tous();
  EXPECT_GT(tous.size(), 300u);  // the headers were read
  for (const auto& t : tous) {
    EXPECT_FALSE(t.texte.empty()) << t.nom;
    EXPECT_TRUE(Utf8_Valide(t.texte)) << t.nom;
    EXPECT_EQ(t.texte.find('\0'), std::string::npos) << t.nom;
    for (const auto& partie : t.parties) EXPECT_NE(t.texte.find(partie), std::string::npos) << t.nom << " / " << partie;
  }
}

// French typography: guillemets hold their text with non-breaking spaces, so that no line breaks
// inside them; counts of one or none are singular.
TEST(TextesTest, GuillemetsKeepTheirTextAndSingularsStaySingular) {
  for (const auto& entree : std::filesystem::directory_iterator(KORVEX_TEXTES)) {
    if (!entree.path().filename().string().starts_with("Textes")) continue;
    std::ifstream source(entree.path());
    std::string ligne;
    for (int n = 1; std::getline(source, ligne); ++n) {
      if (ligne.find_first_not_of(' ') != std::string::npos && ligne.substr(ligne.find_first_not_of(' ')).starts_with("//"))
        continue;
      EXPECT_EQ(ligne.find("« "), std::string::npos) << entree.path().filename() << ":" << n;
      EXPECT_EQ(ligne.find(" »"), std::string::npos) << entree.path().filename() << ":" << n;
    }
  }
  using namespace textes;
  const struct {
    std::string texte, attendu;
  } cas[] = {
      {Octets(0), "0 octet"},
      {Octets(1), "1 octet"},
      {Octets(2), "2 octets"},
      {Nombre_Enregistrements(1), "1 enregistrement"},
      {Bulletins_Non_Comptes(1), "1 bulletin n'est pas compté :"},
      {Bulletins_Non_Comptes(6), "6 bulletins ne sont pas comptés :"},
      {Omission_Surplus(1, 2), "le fichier contient 2 enregistrements de plus que celui annoncé par son en-tête"},
  };
  for (const auto& c : cas) EXPECT_EQ(c.texte, c.attendu);
}

TEST(TextesTest, TheUtf8CheckRefusesMalformedBytes) {
  EXPECT_TRUE(Utf8_Valide("Débordement"));
  for (const char* faux : {"D\xe9" "bordement", "\xc3", "\xed\xa0\x80", "\xc0\xaf"}) EXPECT_FALSE(Utf8_Valide(faux)) << faux;
}

}  // namespace
