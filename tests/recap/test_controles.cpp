// The views about people on a random folder: the month's payslip nets add up to the recap's net,
// the gaps by employee to the comparison's totals, and a payslip's view to its net.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Comparaison.h"
#include "recap/Controles.h"
#include "recap/Recap.h"
#include "recap/Resume.h"
#include "recap/Vues_Salaries.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

uint32_t Tirer(std::mt19937& alea, uint32_t n) { return static_cast<uint32_t>(alea() % n); }

// 900 payslips of 80 employees over three months, some twice; amounts of 40 rubrics, some tiny,
// some negative.
void Ecrire_Au_Hasard(const test::TDossierTemporaire& dossier, std::mt19937& alea) {
  std::vector<test::TRubrique> rubriques;
  for (int i = 1; i <= 40; ++i) rubriques.push_back({"Rubrique " + std::to_string(i), std::to_string(i % 3)});
  test::Ecrire_Rubriques(dossier.Chemin(), rubriques);
  std::vector<test::TEnregistrementEcrit> paies;
  for (int k = 0; k < 900; ++k) {
    std::vector<std::string> lignes;
    for (uint32_t l = 0, n = Tirer(alea, 14); l < n; ++l) {
      char ligne[40];
      const uint32_t rubrique = 1 + Tirer(alea, 39);
      if (rubrique > 36)
        std::snprintf(ligne, sizeof ligne, "%03u0.00%02u", rubrique, Tirer(alea, 40));
      else
        std::snprintf(ligne, sizeof ligne, "%03u%s%u.%04u", rubrique, Tirer(alea, 9) ? "" : "-", Tirer(alea, 6000),
                      Tirer(alea, 10000));
      lignes.push_back(ligne);
    }
    // Rubric 40, a gain, in two payslips of each month whose amounts almost cancel: its total is
    // negligible, so the recap has no row for it, and no net counts it.
    const char* mois[] = {"12-2023", "01-2024", "02-2024"};
    const uint32_t m = k < 6 ? static_cast<uint32_t>(k / 2) : Tirer(alea, 3);
    if (k < 6) lignes.push_back(k % 2 ? "040-99.9950" : "040100");
    char matricule[8];
    std::snprintf(matricule, sizeof matricule, "%05u", Tirer(alea, 80));
    paies.push_back({{matricule, mois[m], test::Memo_Montants(lignes)}, k >= 6 && Tirer(alea, 40) == 0});
  }
  test::Ecrire_Table(dossier.Chemin() / "PAIES.DTA", {{"MATRICULE", 'C', 5}, {"MOIS", 'C', 7}, {"MONTANTS", 'M', 10}}, paies);
}

TEST(ControlesTest, NetsAddUpToTheRecapAndGapsToTheComparison) {
  plateforme::Fixer_Separateurs(U',', U' ');
  test::TDossierTemporaire dossier;
  std::mt19937 alea(20261210);
  Ecrire_Au_Hasard(dossier, alea);
  const auto aucun_message = [](const std::string& m) { FAIL() << m; };
  for (const char* mois : {"01-2024", "02-2024"}) {
    SCOPED_TRACE(mois);
    const auto c = recap::Controler({dossier.Texte(), mois, "", recap::Seuil_Defaut}, aucun_message);
    ASSERT_TRUE(c);
    TTAB_VALEURS TOT_RUB;
    recap::TGrille grille;
    recap::TBilan_Recap bilan;
    recap::Calculer_Recap(dossier.Texte(), mois, TOT_RUB, grille, aucun_message, bilan);
    const recap::TResume resume = recap::Resumer(bilan.Bulletins, recap::Lignes_Recap(grille, TOT_RUB));
    ASSERT_EQ(static_cast<int>(c->Nets.size()), resume.Bulletins);
    // The nets are exact in ten-thousandths; their sum is the recap's net as the grid writes it.
    plateforme::TSomme_Exacte somme = 0;
    for (const auto& [enregistrement, net] : c->Nets) somme += net;
    EXPECT_EQ(recap::Cellule_Montant(plateforme::Montant_Exact(somme)).Texte, recap::Cellule_Montant(resume.Net()).Texte);
    EXPECT_NEAR(static_cast<double>(plateforme::Montant_Exact(somme)), static_cast<double>(resume.Net()), 1e-6);
    // A payslip's view counts its net as the controls do.
    const auto [enregistrement, net] = c->Nets[c->Nets.size() / 2];
    const auto vue = recap::Lire_Bulletin(dossier.Texte(), enregistrement, aucun_message);
    ASSERT_TRUE(vue);
    EXPECT_TRUE(vue->Montants.Net() == net);
    EXPECT_EQ(vue->Mois, mois);

    const auto comparaison = recap::Comparer({dossier.Texte(), mois, *recap::Mois_Precedent(mois), std::nullopt}, aucun_message);
    ASSERT_TRUE(comparaison);
    for (const recap::TLigne_Comparaison& ligne : comparaison->Lignes) {
      const auto e = recap::Ecarts_Par_Salarie(dossier.Texte(), mois, *recap::Mois_Precedent(mois), ligne.Rubrique, aucun_message);
      ASSERT_TRUE(e);
      EXPECT_TRUE(recap::Memes_Bits(e->Total, ligne.Total)) << ligne.Rubrique;
      EXPECT_TRUE(recap::Memes_Bits(e->Total_Reference, ligne.Total_Reference)) << ligne.Rubrique;
      for (size_t i = 1; i < e->Lignes.size(); ++i)
        EXPECT_TRUE(plateforme::Valeur_Absolue(e->Lignes[i - 1].Compte_Mois - e->Lignes[i - 1].Compte_Reference) >=
                    plateforme::Valeur_Absolue(e->Lignes[i].Compte_Mois - e->Lignes[i].Compte_Reference));
    }
  }
}

// A table whose only character field is MOIS: nobody can be matched, so only the checks of each
// payslip are made, and the summary says which were not and why.
TEST(ControlesTest, WithoutIdentityOnlyThePayslipsChecks) {
  test::TDossierTemporaire dossier;
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}, {"Cotisations", "2"}});
  test::Ecrire_Paies(dossier.Chemin(), {{"01-2024", test::Memo_Montants({"001100"})},
                                        {"02-2024", test::Memo_Montants({"001100"})},
                                        {"02-2024", test::Memo_Montants({"001100", "002150"})}});
  const auto c = recap::Controler({dossier.Texte(), "02-2024", "", recap::Seuil_Defaut}, [](const std::string& m) { FAIL() << m; });
  ASSERT_TRUE(c);
  EXPECT_FALSE(c->Identite);
  ASSERT_EQ(c->Constats.size(), 1u);
  EXPECT_EQ(c->Constats[0].Controle, recap::TControle::Net_Negatif);
  EXPECT_EQ(c->Constats[0].Enregistrement, 3);
  EXPECT_EQ(recap::Lignes_Resume_Controles(*c), (std::vector<std::string>{"1 anomalie", textes::Sans_Identite}));
}

// The amounts in texts: two decimals, thousands grouped with the user's separators.
TEST(ControlesTest, AmountsInTexts) {
  plateforme::Fixer_Separateurs(U',', U' ');
  struct Cas {
    plateforme::TSomme_Exacte dix_milliemes;
    const char* texte;
  };
  // Two gains at the decoder's limit, beyond 64 bits once added.
  const plateforme::TSomme_Exacte limite = plateforme::TSomme_Exacte{9000000000000000000} * 2;
  for (const Cas& c : {Cas{21500000, "2 150,00"}, {-2000000, "-200,00"}, {40, "0,00"}, {-40, "0,00"}, {-50, "-0,01"},
                       {12345678910, "1 234 567,89"}, {9999950, "1 000,00"}, {limite, "1 800 000 000 000 000,00"},
                       {-limite, "-1 800 000 000 000 000,00"}})
    EXPECT_EQ(recap::Montant_Texte(c.dix_milliemes), c.texte);
  plateforme::Fixer_Separateurs(U'.', U',');
  EXPECT_EQ(recap::Montant_Texte(26000000), "2,600.00");
}

#ifndef _WIN32
// The C library's locale is the user's in the Linux window: the findings' texts do not depend on
// it. (Windows names its locales otherwise, and its window leaves the C library's alone.)
TEST(ControlesTest, TextsUnderTheUsersLocale) {
  plateforme::Fixer_Separateurs(U',', U' ');
  test::TDossierTemporaire dossier;
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    std::filesystem::copy_file(std::filesystem::path(KORVEX_CONTROLES) / "KORVEX" / nom, dossier.Chemin() / nom);
  const std::string avant = std::setlocale(LC_ALL, nullptr);
  if (std::setlocale(LC_ALL, "fr_FR.UTF-8") == nullptr) ADD_FAILURE() << "locale fr_FR.UTF-8 absente (LOCPATH)";
  const auto c = recap::Controler({dossier.Texte(), "02-2024", "", recap::Seuil_Defaut}, [](const std::string& m) { FAIL() << m; });
  std::setlocale(LC_ALL, avant.c_str());
  ASSERT_TRUE(c);
  EXPECT_EQ(c->Constats.back().Texte, "Net : 2 150,00 → 2 600,00 (+20,9 %)");
  EXPECT_EQ(c->Constats[c->Constats.size() - 2].Texte, "Net : 1 000,00 → -200,00 (-120,0 %)");
}
#endif

}  // namespace
