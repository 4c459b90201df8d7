#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Erreurs.h"
#include "platform/Invariant.h"

namespace {

TEST(ErreursTest, TheErrorBoxAppendsAPointAfterALetterOrDigitOnly) {
  const std::vector<std::pair<std::string, std::string>> cas = {
      {"Champ 'LIBELLE' non trouvé", "Champ 'LIBELLE' non trouvé."},
      {"Erreur 12", "Erreur 12."},
      {"abc", "abc."},
      {"fin.", "fin."},
      {"fin ", "fin "},
      {"(mm-aaaa)", "(mm-aaaa)"},
      {"a,", "a,"},
      {"a-", "a-"},
      {"'x'", "'x'"},
      {"", ""},
      {"a/", "a/."},  // "/" sorts above "."
  };
  for (const auto& [message, texte] : cas) EXPECT_EQ(plateforme::Texte_Boite_Erreur(message), texte) << message;
}

TEST(ErreursTest, TheGuardShowsEveryKindOfExceptionAndReportsIt) {
  std::vector<std::string> montres;
  auto afficher = [&](const std::string& m) { montres.push_back(m); };
  EXPECT_TRUE(plateforme::Executer_Sous_Garde(afficher, [] {}));
  EXPECT_FALSE(plateforme::Executer_Sous_Garde(afficher, [] { throw plateforme::EKorvex("Débordement d'entier"); }));
  EXPECT_FALSE(plateforme::Executer_Sous_Garde(afficher, [] { throw std::bad_alloc(); }));
  EXPECT_FALSE(plateforme::Executer_Sous_Garde(afficher, [] { throw 42; }));
  EXPECT_EQ(montres, (std::vector<std::string>{"Débordement d'entier.", "Mémoire insuffisante.",
                                               "Erreur inattendue."}));
}

TEST(ErreursTest, AFailingDisplayDoesNotEscapeTheGuard) {
  EXPECT_FALSE(plateforme::Executer_Sous_Garde([](const std::string&) { throw std::runtime_error("x"); },
                                               [] { throw plateforme::EKorvex("y"); }));
}

// The box that could not be made for want of memory gives way to one made in advance.
TEST(ErreursTest, WithoutMemoryTheGuardStillShowsAMessage) {
  std::vector<std::string> montres;
  auto afficher = [&](const std::string& m) {
    if (montres.empty() && m != "Mémoire insuffisante.") {
      montres.push_back("échec");
      throw std::bad_alloc();
    }
    montres.push_back(m);
  };
  EXPECT_FALSE(plateforme::Executer_Sous_Garde(afficher, [] { throw plateforme::EKorvex("y"); }));
  EXPECT_EQ(montres, (std::vector<std::string>{"échec", "Mémoire insuffisante."}));
}

// In the program, a broken invariant stops the calculation with an error the guard shows; no
// figure computed past it is shown.
TEST(ErreursTest, ABrokenInvariantIsAnErrorTheGuardShows) {
  plateforme::Arreter_Sur_Invariant(false);
  std::vector<std::string> montres;
  const int un = 1;
  EXPECT_FALSE(plateforme::Executer_Sous_Garde([&](const std::string& m) { montres.push_back(m); },
                                               [&] { KORVEX_INVARIANT(un == 2); }));
  ASSERT_EQ(montres.size(), 1u);
  EXPECT_EQ(montres[0].rfind("Erreur interne du programme : la condition un == 2 n'est pas remplie (", 0), 0u) << montres[0];
  EXPECT_TRUE(montres[0].ends_with("aucun chiffre douteux.")) << montres[0];
  EXPECT_NO_THROW(KORVEX_INVARIANT(un == 1));
}

}  // namespace
