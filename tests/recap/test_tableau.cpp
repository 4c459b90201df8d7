// The table model: its cells' texts and values, and the recap as a table.
#include <gtest/gtest.h>

#include "platform/Separateurs.h"
#include "recap/Resume.h"
#include "recap/Tableau.h"

namespace {

using recap::TGenre_Cellule;

struct Separateur_Virgule : ::testing::Test {
  void SetUp() override { plateforme::Fixer_Separateurs(U',', U' '); }
  void TearDown() override { plateforme::Fixer_Separateurs(U'.', U' '); }
};

TEST_F(Separateur_Virgule, CellsShowTheGridFormatAndGiveTheShownValue) {
  struct Cas {
    recap::TCellule cellule;
    std::string texte;
    double valeur;
  };
  const Cas cas[] = {
      {recap::Cellule_Montant(1234.5L), "1234,5", 1234.5},
      {recap::Cellule_Montant(-87.25L), "-87,25", -87.25},
      {recap::Cellule_Montant(0.1L + 0.2L), "0,3", 0.3},  // the 15-digit figure, not the binary one
      {recap::Cellule_Pourcentage(0.449999L), "0,4", 0.4},
      {recap::Cellule_Pourcentage(-12.25L), "-12,3", -12.3},  // half away from zero
      {recap::Cellule_Pourcentage(-0.04L), "0,0", 0},         // never "-0,0"
      {recap::Cellule_Entier(899), "899", 899},
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(c.cellule.Texte, c.texte);
    EXPECT_EQ(recap::Valeur_Affichee(c.cellule), c.valeur) << c.texte;
  }
  EXPECT_EQ(recap::Alignement_De(TGenre_Cellule::Texte), recap::TAlignement::Gauche);
  EXPECT_EQ(recap::Alignement_De(TGenre_Cellule::Montant), recap::TAlignement::Droite);
  EXPECT_EQ(recap::Nom_Fichier_Sur("a/b:c*d\te"), "a_b_c_d_e");
}

// The grid as it stands, typed: a row being written keeps what it holds.
TEST_F(Separateur_Virgule, TheRecapGridAsATable) {
  recap::TGrille grille;
  TTAB_VALEURS totaux;
  totaux[12] = 300.3L;
  const char* entetes[] = {"N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"};
  for (int c = 0; c < 5; ++c) grille.SetCells(c, 0, entetes[c]);
  grille.SetRowCount(3);
  grille.SetCells(0, 1, "12");
  grille.SetCells(1, 1, "Prime");
  grille.SetCells(3, 1, "300,3");
  grille.SetCells(0, 2, "13");  // cut short after its number
  const recap::TCalcul calcul{"C:\\KORVEX", "02-2024", 0, recap::TResume{1, 300.3L, 0, false, std::nullopt}, {"Attention : x"}, {}, {}, {}};
  const recap::TTableau t = recap::Tableau_Recap(grille, totaux, &calcul);
  ASSERT_EQ(t.Nombre_Colonnes(), 5);
  ASSERT_EQ(t.Nombre_Rangees(), 3);
  EXPECT_EQ(t.Texte(1, 0), "LIBELLES");
  EXPECT_EQ(t.Cellule(0, 1)->Genre, TGenre_Cellule::Entier);
  EXPECT_EQ(t.Cellule(3, 1)->Valeur, 300.3L);
  EXPECT_TRUE(t.Cellule(2, 1)->Vide());
  EXPECT_EQ(t.Texte(0, 2), "13");
  EXPECT_EQ(t.Texte(1, 2), "");
  EXPECT_EQ(t.Titre, "Récap KORVEX — mois 02-2024");
  EXPECT_EQ(t.Nom_Feuille, "Récap 02-2024");
  EXPECT_EQ(t.Nom_Fichier, "recap-KORVEX-02-2024");
  EXPECT_EQ(t.Resume.size(), 3u);
  EXPECT_EQ(t.Avertissements, std::vector<std::string>{"Attention : x"});
  EXPECT_TRUE(recap::Tableau_Recap(grille, totaux, nullptr).Titre.empty());
}

}  // namespace
