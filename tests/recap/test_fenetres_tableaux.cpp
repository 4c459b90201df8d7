// The comparison and detail windows as their shells drive them: what they open on, what a
// click does, and what they show after a failure.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Separateurs.h"
#include "recap/Fenetre_Comparaison.h"
#include "recap/Fenetre_Detail.h"
#include "recap/Fenetre_Tableau.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

struct FenetresTableauxTest : ::testing::Test {
  test::TDossierTemporaire dossier;
  std::vector<std::string> boites;  // "message ..." or "erreur ..."
  int attente = 0, attente_pendant_boite = 0;

  void SetUp() override {
    plateforme::Fixer_Separateurs(U'.', U' ');
    test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}, {"Cotisation", "2"}});
    test::Ecrire_Paies(dossier.Chemin(), {{"01-2024", test::Memo_Montants({"001100", "00210"})},
                                          {"02-2024", test::Memo_Montants({"001120", "00210"})},
                                          {"02-2024", test::Memo_Montants({"0015"})}});
  }
  recap::TBoitesMessages Boites() {
    const auto boite = [this](const char* genre) {
      return [this, genre](const std::string& t) {
        if (attente > 0) ++attente_pendant_boite;
        boites.push_back(genre + (" " + t));
      };
    };
    return {boite("message"), boite("erreur")};
  }
  recap::TCurseur Curseur() {
    return [this](bool en_attente) -> std::shared_ptr<void> {
      const int pas = en_attente ? 1 : -1;
      attente += pas;
      return std::shared_ptr<void>(nullptr, [this, pas](void*) { attente -= pas; });
    };
  }
  recap::TDernier_Calcul Calcul(const std::string& mois, TTAB_VALEURS& TOT_RUB) {
    recap::TDernier_Calcul dernier;
    recap::TGrille grille;
    recap::Calculer_Pour_Fenetre(dossier.Texte(), mois, TOT_RUB, grille, [](const std::string&) {}, dernier);
    return dernier;
  }
};

TEST_F(FenetresTableauxTest, TheComparisonOpensOnTheMonthBeforeAndFollowsItsFields) {
  TTAB_VALEURS TOT_RUB;
  recap::TFenetre_Comparaison f = recap::Ouvrir_Comparaison(*Calcul("02-2024", TOT_RUB).Calcul);
  EXPECT_EQ(f.Mois_Reference, "01-2024");
  EXPECT_EQ(f.Seuil, "10");
  EXPECT_EQ(recap::Tableau_Affiche(f).Titre, "Comparaison — mois 02-2024 / 01-2024");
  EXPECT_FALSE(recap::Etat_Commandes(f).Tableau_A_Jour);
  EXPECT_EQ(recap::Tableau_Affiche(f).Lignes.size(), 0u);  // the headers alone, before the first click

  recap::Clic_Comparer(f, Boites(), Curseur());
  ASSERT_TRUE(f.Comparaison);
  EXPECT_TRUE(boites.empty());
  EXPECT_EQ(attente, 0);
  EXPECT_TRUE(recap::Etat_Commandes(f).Tableau_A_Jour);
  const recap::TTableau t = recap::Tableau_Affiche(f);
  ASSERT_EQ(t.Lignes.size(), 2u);
  EXPECT_TRUE(t.Lignes[0].A_Signaler);   // 100 -> 125: +25 %
  EXPECT_FALSE(t.Lignes[1].A_Signaler);  // 10 -> 10
  EXPECT_EQ(recap::Texte_Resume(f).find("\n") != std::string::npos, t.Resume.size() > 1);
  EXPECT_EQ(recap::Texte_Resume(f).substr(0, t.Resume.front().size()), t.Resume.front());

  // A threshold above the move: nothing to check any more.
  f.Seuil = "30";
  recap::Clic_Comparer(f, Boites(), Curseur());
  EXPECT_FALSE(recap::Tableau_Affiche(f).Lignes[0].A_Signaler);

  // A click that fails empties the grid and says no comparison was made; the boxes wait with
  // the normal cursor.
  struct Cas {
    std::string reference, seuil, boite;
  };
  const std::string pas_un_mois = "message Le mois de référence doit être un mois mm-aaaa, de 01 à 12.";
  for (const Cas& c : {Cas{"1-2024", "10", pas_un_mois}, Cas{"13-2024", "10", pas_un_mois}, Cas{"00-2024", "10", pas_un_mois},
                       Cas{"2024-01", "10", pas_un_mois}, Cas{"", "10", pas_un_mois},
                       Cas{"01-2024", "dix", "message Seuil non précisé correctement. Il doit être un nombre de pour cent "
                                             "positif (par exemple 10 ou 12,5)"}}) {
    boites.clear();
    f.Mois_Reference = c.reference;
    f.Seuil = c.seuil;
    recap::Clic_Comparer(f, Boites(), Curseur());
    EXPECT_EQ(boites, std::vector<std::string>{c.boite});
    EXPECT_FALSE(f.Comparaison);
    EXPECT_EQ(recap::Texte_Resume(f), "Aucune comparaison n'a été faite : le calcul n'a pas abouti.");
    EXPECT_FALSE(recap::Etat_Commandes(f).Tableau_A_Jour);
    EXPECT_EQ(recap::Tableau_Affiche(f).Titre, "Comparaison — mois 02-2024 : rien n'a été comparé");
    EXPECT_EQ(recap::Tableau_Affiche(f).Texte(recap::Colonne_Total_Reference, 0), "TOTAL (rien n'a été comparé)");
    EXPECT_TRUE(recap::Tableau_Affiche(f).Lignes.empty());
  }
  EXPECT_EQ(attente_pendant_boite, 0);
}

// The payroll application wrote since the calculation: every window that reads the folder again
// says so, even when the changes cancel out in a total.
TEST_F(FenetresTableauxTest, WindowsThatReadTheFolderAgainSayWhenItNoLongerHoldsTheCalculation) {
  const std::string change = "Attention : les bulletins ont changé depuis le calcul : recalculez la récap.";
  TTAB_VALEURS TOT_RUB;
  const recap::TDernier_Calcul dernier = Calcul("02-2024", TOT_RUB);
  recap::TFenetre_Comparaison f = recap::Ouvrir_Comparaison(*dernier.Calcul);
  recap::Clic_Comparer(f, Boites(), Curseur());
  EXPECT_TRUE(f.Comparaison->Avertissements.empty());
  struct Cas {
    std::string nom;
    std::vector<test::TPaie> paies;
    bool change;            // for the comparison, which reads the whole month
    bool change_detail;     // for rubric 1's detail, which reads its payslips
  };
  const std::vector<Cas> cas = {
      {"les mêmes bulletins", {{"01-2024", test::Memo_Montants({"001100", "00210"})},
                               {"02-2024", test::Memo_Montants({"001120", "00210"})},
                               {"02-2024", test::Memo_Montants({"0015"})}}, false, false},
      {"+10 et -10 : même total", {{"01-2024", test::Memo_Montants({"001100", "00210"})},
                                   {"02-2024", test::Memo_Montants({"001130", "00210"})},
                                   {"02-2024", test::Memo_Montants({"001-5"})}}, true, true},
      {"un montant du mois", {{"01-2024", test::Memo_Montants({"001100", "00210"})},
                              {"02-2024", test::Memo_Montants({"001121", "00210"})},
                              {"02-2024", test::Memo_Montants({"0015"})}}, true, true},
      {"deux bulletins échangés", {{"01-2024", test::Memo_Montants({"001100", "00210"})},
                                   {"02-2024", test::Memo_Montants({"0015"})},
                                   {"02-2024", test::Memo_Montants({"001120", "00210"})}}, true, true},
      {"un bulletin sans montant en plus", {{"01-2024", test::Memo_Montants({"001100", "00210"})},
                                            {"02-2024", test::Memo_Montants({"001120", "00210"})},
                                            {"02-2024", test::Memo_Montants({"0015"})},
                                            {"02-2024", test::Memo_Montants({})}}, true, false},
      {"la référence seule", {{"01-2024", test::Memo_Montants({"001999", "00210"})},
                              {"02-2024", test::Memo_Montants({"001120", "00210"})},
                              {"02-2024", test::Memo_Montants({"0015"})}}, false, false},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    test::Ecrire_Paies(dossier.Chemin(), c.paies);
    const std::vector<std::string> attendus = c.change ? std::vector<std::string>{change} : std::vector<std::string>{};
    recap::Clic_Comparer(f, Boites(), Curseur());
    ASSERT_TRUE(f.Comparaison);
    EXPECT_EQ(f.Comparaison->Avertissements, attendus);
    EXPECT_EQ(recap::Tableau_Affiche(f).Avertissements, attendus);
    const auto d = recap::Clic_Detail(dernier, 1, Boites(), Curseur());
    ASSERT_TRUE(d);
    EXPECT_EQ(d->Avertissements.size(), c.change_detail ? 1u : 0u);
  }
  EXPECT_TRUE(boites.empty());
}

TEST_F(FenetresTableauxTest, TheDetailIsReadAgainAndCheckedAgainstTheGrid) {
  TTAB_VALEURS TOT_RUB;
  recap::TDernier_Calcul dernier = Calcul("02-2024", TOT_RUB);
  auto d = recap::Clic_Detail(dernier, 1, Boites(), Curseur());
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Bulletins.size(), 2u);
  EXPECT_TRUE(d->Avertissements.empty());
  EXPECT_EQ(recap::Texte_Resume(*d), "2 bulletins");
  EXPECT_EQ(attente, 0);

  // The payroll application wrote since the calculation: the detail says so.
  test::Ecrire_Paies(dossier.Chemin(), {{"02-2024", test::Memo_Montants({"001120"})}});
  d = recap::Clic_Detail(dernier, 1, Boites(), Curseur());
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Avertissements, std::vector<std::string>{"Attention : les bulletins ont changé depuis le calcul : recalculez la récap."});

  // A stale grid opens nothing; a folder gone is an error in the box.
  dernier.Echec = true;
  EXPECT_FALSE(recap::Clic_Detail(dernier, 1, Boites(), Curseur()));
  EXPECT_TRUE(boites.empty());
  dernier.Echec = false;
  std::filesystem::remove(dossier.Chemin() / "PAIES.DTA");
  EXPECT_FALSE(recap::Clic_Detail(dernier, 1, Boites(), Curseur()));
  ASSERT_EQ(boites.size(), 1u);
  EXPECT_EQ(attente_pendant_boite, 0);
  EXPECT_EQ(attente, 0);
}

// The comparison window's model: its fields, its click, and the view the shells pass on.
TEST_F(FenetresTableauxTest, TheComparisonModelFiltersWhatItShowsAndExports) {
  TTAB_VALEURS TOT_RUB;
  const auto modele = recap::Modele_Comparaison(*Calcul("02-2024", TOT_RUB).Calcul);
  EXPECT_EQ(modele->Genre(), recap::TGenre_Fenetre::Comparaison);
  modele->Valider(Boites(), Curseur());
  EXPECT_EQ(modele->Contenu().Tableau.Lignes.size(), 2u);
  EXPECT_TRUE(modele->Contenu().Etat.Tableau_A_Jour);
  modele->Vue.Seulement_A_Signaler = true;
  const recap::TContenu_Fenetre filtre = modele->Contenu();
  ASSERT_EQ(filtre.Tableau.Lignes.size(), 1u);
  EXPECT_EQ(filtre.Tableau.Texte(0, 1), "1");
  EXPECT_EQ(filtre.Tableau.Titre, "Comparaison — mois 02-2024 / 01-2024 (seulement les lignes à vérifier)");
  modele->Champs[0] = "13-2024";
  modele->Valider(Boites(), Curseur());
  EXPECT_FALSE(modele->Contenu().Etat.Tableau_A_Jour);
  EXPECT_EQ(boites.size(), 1u);
}

// A month without payslips says which months the table holds; a month typed wrong then explains
// itself. After a failed click, the grid's rows are stale and their warnings go.
TEST_F(FenetresTableauxTest, AMonthWithoutPayslipsNamesTheTablesMonths) {
  TTAB_VALEURS TOT_RUB;
  struct Cas {
    std::vector<test::TPaie> paies;
    std::string mois, resume;
  };
  const std::vector<Cas> cas = {
      {{}, "02/2024", "Aucun bulletin pour le mois 02/2024. PAIES.DTA contient les mois de 01-2024 à 02-2024."},
      {{{"03-2024", test::Memo_Montants({"00110"})}}, "2024-03",
       "Aucun bulletin pour le mois 2024-03. PAIES.DTA contient le mois 03-2024."},
      {{{"03" "2024", test::Memo_Montants({"00110"})}}, "03-2024",
       // Its month field, no month, may be 03-2024's: that none was read is all that is known.
       "Aucun bulletin n'a pu être lu pour le mois 03-2024 : les avertissements disent lesquels manquent. PAIES.DTA "
       "ne contient aucun bulletin d'un mois mm-aaaa."},
  };
  for (const Cas& c : cas) {
    if (!c.paies.empty()) test::Ecrire_Paies(dossier.Chemin(), c.paies);
    const recap::TDernier_Calcul dernier = Calcul(c.mois, TOT_RUB);
    ASSERT_TRUE(dernier.Calcul) << c.mois;
    EXPECT_EQ(recap::Texte_Resume(dernier), c.resume);
  }
  recap::TDernier_Calcul dernier = Calcul("03-2024", TOT_RUB);
  ASSERT_FALSE(recap::Avertissements_Affiches(dernier).empty());  // the month field that is none
  EXPECT_FALSE(recap::Tableau_Affiche({}, TOT_RUB, dernier).Perime);
  dernier.Echec = true;
  EXPECT_TRUE(recap::Avertissements_Affiches(dernier).empty());
  EXPECT_TRUE(recap::Tableau_Affiche({}, TOT_RUB, dernier).Perime);
}

}  // namespace
