// POSIX locale environment; the Windows build reads the user's regional settings (tests/windows).
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Separateurs.h"

namespace {

// The locale environment of one test, put back afterwards.
struct SeparateursTest : ::testing::Test {
  std::vector<std::pair<std::string, std::string>> sauvegarde;
  void SetUp() override {
    for (const char* v : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
      const char* valeur = std::getenv(v);
      sauvegarde.emplace_back(v, valeur ? valeur : "");
      unsetenv(v);
    }
  }
  void TearDown() override {
    for (const auto& [v, valeur] : sauvegarde) setenv(v.c_str(), valeur.c_str(), 1);
    plateforme::Fixer_Separateurs(U'.', U',');
  }
};

// The build generates fr_FR.UTF-8 and de_CH.UTF-8 under LOCPATH for these tests.
TEST_F(SeparateursTest, ReadsTheUsersLocaleWhenAsked) {
  struct Cas {
    const char* variable;
    const char* locale;
    char32_t decimal, milliers;
  };
  const std::vector<Cas> cas = {
      {"LANG", "fr_FR.UTF-8", U',', U'\u202F'},
      {"LC_NUMERIC", "de_CH.UTF-8", U'.', U'\u2019'},
      {"LC_ALL", "C", U'.', U','},
      {"LANG", "xx_YY.UTF-8", U'.', U','},  // a locale the system does not have
  };
  for (const auto& k : cas) {
    setenv(k.variable, k.locale, 1);
    plateforme::Lire_Separateurs_Utilisateur();
    EXPECT_EQ(plateforme::DecimalSeparator(), k.decimal) << k.locale;
    EXPECT_EQ(plateforme::ThousandSeparator(), k.milliers) << k.locale;
    unsetenv(k.variable);
  }
}

TEST_F(SeparateursTest, LcAllWinsOverLang) {
  setenv("LANG", "C", 1);
  setenv("LC_ALL", "fr_FR.UTF-8", 1);
  plateforme::Lire_Separateurs_Utilisateur();
  EXPECT_EQ(plateforme::DecimalSeparator(), U',');
}

}  // namespace
#endif
