// What the views about people state: a move reaches the threshold by one rule in the comparison and
// the controls, sums never wrap, a payslip without identity is nobody, and what damage left out is
// never taken for an absence.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Dommages.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Comparaison.h"
#include "recap/Controles.h"
#include "recap/Cumuls.h"
#include "recap/Vues_Salaries.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

using recap::TControle;
using recap::TNiveau;

struct TPaie_Salarie {
  std::string matricule, mois;
  std::vector<std::string> lignes;
};

// PAIES.DTA with a MATRICULE, and RUBRIQUE.DTA of as many GAINS rubrics.
void Ecrire(const test::TDossierTemporaire& dossier, const std::vector<TPaie_Salarie>& paies, int rubriques = 9) {
  std::vector<test::TRubrique> r;
  for (int i = 1; i <= rubriques; ++i) r.push_back({"Rubrique " + std::to_string(i), "1"});
  test::Ecrire_Rubriques(dossier.Chemin(), r);
  std::vector<test::TEnregistrementEcrit> enregistrements;
  for (const auto& p : paies) enregistrements.push_back({{p.matricule, p.mois, test::Memo_Montants(p.lignes)}});
  test::Ecrire_Table(dossier.Chemin() / "PAIES.DTA", {{"MATRICULE", 'C', 5}, {"MOIS", 'C', 7}, {"MONTANTS", 'M', 10}},
                     enregistrements);
}

recap::TControles Controler(const test::TDossierTemporaire& dossier, const char* seuil = "10") {
  const auto c = recap::Controler({dossier.Texte(), "02-2024", "01-2024", *recap::Lire_Seuil(seuil)},
                                  [](const std::string& m) { FAIL() << m; });
  return c.value_or(recap::TControles{});
}

std::vector<recap::TConstat> De(const recap::TControles& c, TControle controle) {
  std::vector<recap::TConstat> k;
  std::copy_if(c.Constats.begin(), c.Constats.end(), std::back_inserter(k),
               [&](const recap::TConstat& x) { return x.Controle == controle; });
  return k;
}

std::string Matricule(const recap::TConstat& k) { return k.Identite.empty() ? "" : k.Identite.front().second; }

struct ConstatsTest : ::testing::Test {
  void SetUp() override { plateforme::Fixer_Separateurs(U',', U' '); }
  void TearDown() override { plateforme::Fixer_Separateurs(U'.', U','); }
  test::TDossierTemporaire dossier;
};

// Right at the threshold, just under it and just over it, as typed: the comparison flags a rubric
// exactly when the controls name the employee whose net moved as much, and both show the same %.
TEST_F(ConstatsTest, TheThresholdIsOneRuleForTheComparisonAndTheControls) {
  struct Cas {
    const char* reference;
    const char* mois;
    bool atteint;
    const char* pourcent;
  };
  struct Seuil {
    const char* seuil;
    std::vector<Cas> cas;
  };
  const Seuil seuils[] = {
      {"10",
       {{"1000", "1100", true, "10,0"},
        {"1000", "1099.9999", false, "9,9"},
        {"1000", "1099.60", false, "9,9"},  // would round to 10,0
        {"1000", "1100.0001", true, "10,0"},
        {"1000", "900", true, "-10,0"},
        {"1000", "900.0001", false, "-9,9"},
        {"-1000", "-1100", true, "-10,0"}}},
      {"12.3", {{"1000", "1123", true, "12,3"}, {"1000", "1122.9999", false, "12,2"}, {"1000", "1123.0001", true, "12,3"}}},
      {"12,35", {{"1000", "1123.50", true, "12,35"}, {"1000", "1123.4999", false, "12,34"}}},
  };
  for (const Seuil& s : seuils) {
    SCOPED_TRACE(s.seuil);
    // Employee i holds rubric i alone: its row in the comparison is their net in the controls.
    std::vector<TPaie_Salarie> paies;
    for (size_t i = 0; i < s.cas.size(); ++i) {
      const std::string matricule = "0000" + std::to_string(i + 1), rubrique = "00" + std::to_string(i + 1);
      paies.push_back({matricule, "01-2024", {rubrique + s.cas[i].reference}});
      paies.push_back({matricule, "02-2024", {rubrique + s.cas[i].mois}});
    }
    Ecrire(dossier, paies);
    const auto comparaison = recap::Comparer({dossier.Texte(), "02-2024", "01-2024", std::nullopt, *recap::Lire_Seuil(s.seuil)},
                                             [](const std::string& m) { FAIL() << m; });
    ASSERT_TRUE(comparaison);
    ASSERT_EQ(comparaison->Lignes.size(), s.cas.size());
    const auto ecarts = De(Controler(dossier, s.seuil), TControle::Ecart_Net);
    for (size_t i = 0; i < s.cas.size(); ++i) {
      const Cas& c = s.cas[i];
      SCOPED_TRACE(std::string(c.reference) + " -> " + c.mois);
      const recap::TLigne_Comparaison& l = comparaison->Lignes[i];
      EXPECT_EQ(l.Verification == recap::TVerification::Ecart, c.atteint);
      EXPECT_EQ(l.Variation(comparaison->Seuil).Texte, c.pourcent);
      const auto trouve = std::find_if(ecarts.begin(), ecarts.end(),
                                       [&](const recap::TConstat& k) { return Matricule(k) == "0000" + std::to_string(i + 1); });
      ASSERT_EQ(trouve != ecarts.end(), c.atteint);
      if (c.atteint) {
        EXPECT_NE(trouve->Texte.find(std::string(c.pourcent) + " %"), std::string::npos) << trouve->Texte;
      }
    }
  }
}

TEST(SeuilTest, ExactAtAnyMagnitude) {
  using plateforme::TSomme_Exacte;
  const TSomme_Exacte enorme = TSomme_Exacte{9000000000000000000} * 899 * 4000000000LL;  // far past 64 bits
  EXPECT_TRUE(recap::Atteint_Seuil(enorme, enorme + enorme / 10, recap::Seuil_Defaut));
  EXPECT_FALSE(recap::Atteint_Seuil(enorme, enorme + enorme / 10 - 1, recap::Seuil_Defaut));
  EXPECT_TRUE(recap::Atteint_Seuil(0, 1, recap::Seuil_Defaut));  // from nothing, any move
  EXPECT_FALSE(recap::Atteint_Seuil(5, 5, *recap::Lire_Seuil("0")));  // no move, whatever the threshold
  // A threshold whose product with the reference would not fit: compared without forming it.
  EXPECT_FALSE(recap::Atteint_Seuil(enorme, enorme + enorme / 2, *recap::Lire_Seuil("922337203685477")));
  EXPECT_TRUE(recap::Cellule_Variation(0, 10, recap::Seuil_Defaut).Vide());
  // The totals as the grid writes them, in ten-thousandths.
  EXPECT_EQ(recap::Dix_Milliemes_Affiches(1099.6L), 10996000);
  EXPECT_EQ(recap::Dix_Milliemes_Affiches(-0.1L + 0.2L), 1000);
  EXPECT_EQ(recap::Dix_Milliemes_Affiches(1.5e20L), TSomme_Exacte{15} * 100000000000000000LL * 1000000LL);
}

// Two gains at the decoder's limit on one payslip: its net, its text and the controls' findings
// are exact where 64 bits would wrap into a negative net.
TEST_F(ConstatsTest, AmountsAtTheDecodersLimitDoNotWrap) {
  Ecrire(dossier, {{"00001", "01-2024", {"001900000000000000.00", "002900000000000000.00"}},
                   {"00001", "02-2024", {"001900000000000000.00", "002900000000000000.00", "0030.01"}}});
  const auto c = Controler(dossier);
  EXPECT_TRUE(De(c, TControle::Net_Negatif).empty());
  EXPECT_TRUE(De(c, TControle::Ecart_Net).empty());  // +0.01 on 1.8e15
  ASSERT_EQ(c.Nets.size(), 1u);
  const plateforme::TSomme_Exacte attendu = plateforme::TSomme_Exacte{18000000000000000000ULL} + 100;
  EXPECT_TRUE(c.Nets.front().second == attendu);
  const auto vue = recap::Lire_Bulletin(dossier.Texte(), 2, [](const std::string& m) { FAIL() << m; });
  ASSERT_TRUE(vue);
  EXPECT_TRUE(vue->Montants.Gains == attendu);
  EXPECT_EQ(recap::Montant_Texte(vue->Montants.Net()), "1 800 000 000 000 000,01");
  const auto ecarts = recap::Ecarts_Par_Salarie(dossier.Texte(), "02-2024", "01-2024", 1, [](const std::string& m) { FAIL() << m; });
  ASSERT_TRUE(ecarts);
  EXPECT_TRUE(ecarts->Lignes.front().Compte_Mois == plateforme::TSomme_Exacte{9000000000000000000});
}

// Blank matricules tell no one apart: no duplicate, entry, exit or variance is made of them, and
// each of the month's is named for what it is.
TEST_F(ConstatsTest, ABlankMatriculeIsNobody) {
  Ecrire(dossier, {{"00001", "01-2024", {"0011000"}},
                   {"", "01-2024", {"001500"}},
                   {"00001", "02-2024", {"0011000"}},
                   {"", "02-2024", {"001500"}},
                   {"", "02-2024", {"001750"}},
                   {"00002", "02-2024", {"001700"}}});
  const auto c = Controler(dossier);
  EXPECT_TRUE(De(c, TControle::Doublon).empty());
  EXPECT_TRUE(De(c, TControle::Sortie).empty());
  EXPECT_TRUE(De(c, TControle::Ecart_Net).empty());
  const auto entrees = De(c, TControle::Entree);
  ASSERT_EQ(entrees.size(), 1u);
  EXPECT_EQ(Matricule(entrees[0]), "00002");
  const auto sans = De(c, TControle::Sans_Matricule);
  ASSERT_EQ(sans.size(), 2u);
  EXPECT_EQ(sans[0].Enregistrement, 4);
  EXPECT_EQ(sans[1].Enregistrement, 5);
  EXPECT_EQ(sans[0].Niveau, TNiveau::A_Verifier);
  EXPECT_EQ(sans[0].Texte, textes::Constat_Sans_Matricule(true));
  // The gaps by employee give each its own row.
  const auto ecarts = recap::Ecarts_Par_Salarie(dossier.Texte(), "02-2024", "01-2024", 1, [](const std::string& m) { FAIL() << m; });
  ASSERT_TRUE(ecarts);
  EXPECT_EQ(ecarts->Lignes.size(), 5u);
}

TEST_F(ConstatsTest, AReferenceThatIsTheMonthIsRefusedByEveryView) {
  Ecrire(dossier, {{"00001", "02-2024", {"0011000"}}});
  std::vector<std::string> messages;
  const auto noter = [&](const std::string& m) { messages.push_back(m); };
  EXPECT_FALSE(recap::Controler({dossier.Texte(), "02-2024", " 02-2024", recap::Seuil_Defaut}, noter));
  EXPECT_FALSE(recap::Ecarts_Par_Salarie(dossier.Texte(), "02-2024", "02-2024 ", 1, noter));
  EXPECT_FALSE(recap::Comparer({dossier.Texte(), "02-2024", "02-2024", std::nullopt, recap::Seuil_Defaut}, noter));
  EXPECT_FALSE(recap::Comparer({dossier.Texte(), "01-2024", "01-2024", recap::Lire_Periode("01-2024", "03-2024"), recap::Seuil_Defaut},
                               noter));
  EXPECT_FALSE(recap::Comparer({dossier.Texte(), "01-2024", "12-9999", recap::Lire_Periode("01-2024", "03-2024"), recap::Seuil_Defaut},
                               noter));
  const std::string egal = textes::Reference_Egale("02-2024");
  EXPECT_EQ(messages, (std::vector<std::string>{egal, egal, egal, textes::Reference_Egale_Periode("01-2024 à 03-2024"),
                                                textes::Reference_Hors_Calendrier}));
}

TEST(PeriodeTest, ReferencesAndTheCalendarsEnd) {
  const recap::TPeriode trimestre = *recap::Lire_Periode(" 01-2024", "03-2024 ");
  struct Cas {
    const char* reference;
    std::optional<std::pair<const char*, const char*>> periode;
  };
  for (const Cas& c : {Cas{"04-2023", std::pair{"04-2023", "06-2023"}}, {" 10-9999 ", std::pair{"10-9999", "12-9999"}},
                       {"11-9999", std::nullopt}, {"01-2024", std::nullopt}, {"13-2024", std::nullopt}}) {
    const auto lue = recap::Lire_Reference(trimestre, c.reference);
    EXPECT_EQ(lue.Reference.has_value(), c.periode.has_value()) << c.reference;
    EXPECT_EQ(lue.Message.empty(), c.periode.has_value()) << c.reference;
    if (lue.Reference && c.periode) {
      EXPECT_EQ(recap::Texte_Mois(lue.Reference->Debut) + recap::Texte_Mois(lue.Reference->Fin),
                std::string(c.periode->first) + c.periode->second);
    }
  }
}

// What damage left out is never an absence: the records of a cut table may be anyone's, so the
// employees they may hold are not reported as having left; a payslip whose memo is shared keeps
// its employee present. Either way the checks it changes are "Non vérifiable", with the warning.
TEST_F(ConstatsTest, DamageMakesChecksNonVerifiableNeverFalse) {
  std::vector<TPaie_Salarie> paies;
  for (const char* mois : {"01-2024", "02-2024"})
    for (int i = 1; i <= 5; ++i) paies.push_back({"0000" + std::to_string(i), mois, {"001" + std::to_string(1000 * i)}});
  Ecrire(dossier, paies);
  test::TFichiers origine = test::Lire_Fichiers(dossier.Chemin());

  // The table cut inside record 8: records 8 to 10, February's 00003 to 00005, are not read.
  test::TFichiers coupe = origine;
  coupe["PAIES.DTA"].resize(test::Debut_Enregistrement(coupe["PAIES.DTA"], 8) + 5);
  test::Ecrire_Fichiers(dossier.Chemin(), coupe);
  auto c = Controler(dossier);
  const auto sorties = De(c, TControle::Sortie);
  ASSERT_EQ(sorties.size(), 3u);
  for (const auto& k : sorties) {
    EXPECT_EQ(k.Niveau, TNiveau::Non_Verifiable) << Matricule(k);
    EXPECT_NE(k.Texte.find(c.Avertissements.front()), std::string::npos) << k.Texte;  // the warning that says why
  }
  for (TControle controle : {TControle::Doublon, TControle::Ecart_Net}) {
    const auto k = De(c, controle);
    ASSERT_FALSE(k.empty());
    EXPECT_EQ(k.back().Niveau, TNiveau::Non_Verifiable);
    EXPECT_EQ(k.back().Enregistrement, 0);  // for all: no one named
  }
  EXPECT_EQ(c.Anomalies + c.A_Verifier, 0);
  EXPECT_NE(recap::Lignes_Resume_Controles(c).front().find("constats non vérifiables"), std::string::npos);

  // February's 00002 names 00001's memo: both left out, both still there; their nets unknown.
  test::TFichiers partage = origine;
  std::string& table = partage["PAIES.DTA"];
  table.replace(test::Debut_Montants(table, 7), 10, test::Pointeur_Memo(table, 6));
  test::Ecrire_Fichiers(dossier.Chemin(), partage);
  c = Controler(dossier);
  EXPECT_TRUE(De(c, TControle::Sortie).empty());
  const auto ecarts = De(c, TControle::Ecart_Net);
  ASSERT_EQ(ecarts.size(), 2u);
  for (const auto& k : ecarts) EXPECT_EQ(k.Niveau, TNiveau::Non_Verifiable);
  EXPECT_EQ(Matricule(ecarts[0]) + Matricule(ecarts[1]), "0000100002");
  EXPECT_EQ(ecarts[0].Enregistrement, 6);  // the record left out names the employee
}

// A month none of whose records could be read says so, in the recap's summary and the cumuls'.
TEST_F(ConstatsTest, AMonthWhoseRecordsWereNotReadIsNotAMonthWithoutPayslips) {
  Ecrire(dossier, {{"00001", "01-2024", {"0011000"}}, {"00001", "02-2024", {"0011000"}}, {"00001", "03-2024", {"0011000"}}});
  test::TFichiers f = test::Lire_Fichiers(dossier.Chemin());
  f["PAIES.DTA"].resize(test::Debut_Enregistrement(f["PAIES.DTA"], 3) + 5);
  test::Ecrire_Fichiers(dossier.Chemin(), f);
  const auto cumuls = recap::Cumuler(dossier.Texte(), *recap::Lire_Periode("01-2024", "04-2024"), {});
  ASSERT_TRUE(cumuls);
  const auto lignes = recap::Lignes_Resume_Cumuls(*cumuls);
  EXPECT_NE(std::find(lignes.begin(), lignes.end(), textes::Mois_Non_Lus("03-2024 et 04-2024")), lignes.end())
      << testing::PrintToString(lignes);
  EXPECT_EQ(std::count_if(lignes.begin(), lignes.end(), [](const std::string& l) { return l.rfind("Aucun bulletin", 0) == 0; }), 0);
}

// --bulletin on a payslip damage left out: what is known of it and the warning, no amount.
TEST_F(ConstatsTest, APayslipLeftOutIsShownWithItsWarning) {
  Ecrire(dossier, {{"00001", "01-2024", {"0011000"}}, {"00002", "01-2024", {"001500"}}});
  test::TFichiers f = test::Lire_Fichiers(dossier.Chemin());
  f["PAIES.DTA"].replace(test::Debut_Montants(f["PAIES.DTA"], 2), 10, test::Pointeur_Memo(f["PAIES.DTA"], 1));
  test::Ecrire_Fichiers(dossier.Chemin(), f);
  const auto vue = recap::Lire_Bulletin(dossier.Texte(), 2, [](const std::string& m) { FAIL() << m; });
  ASSERT_TRUE(vue);
  EXPECT_TRUE(vue->Non_Compte);
  EXPECT_EQ(vue->Mois, "01-2024");
  EXPECT_EQ(recap::Texte_Identite(vue->Paie.Champs), "00002");
  ASSERT_EQ(vue->Avertissements.size(), 1u);
  EXPECT_NE(vue->Avertissements[0].find("même mémo"), std::string::npos);
  const recap::TTableau t = recap::Tableau_Bulletin(*vue);
  ASSERT_EQ(t.Lignes.size(), 3u);  // Gains, Retenues, Net: no figure
  for (const auto& l : t.Lignes) EXPECT_TRUE(l.Cellules.back().Vide());
}

}  // namespace
