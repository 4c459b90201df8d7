// The rules every window of ours applies alike, whatever draws it: where a new one opens, which
// keys close it, how its warnings area grows, how its rows are filtered, sorted and named, and
// what its description holds.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "forms/Description_Tableaux.h"
#include "recap/Avertissements.h"
#include "recap/Fenetre_Regles.h"
#include "recap/Fenetre_Tableau.h"
#include "recap/Tableau.h"

namespace {

using recap::TCadre;

TEST(FenetreReglesTest, ANewWindowOpensBesideItsSourceAndWhollyInTheWorkArea) {
  const TCadre zone{0, 0, 1920, 1040};
  const struct {
    const char* nom;
    TCadre source;
    int largeur, hauteur;
    TCadre attendu;
  } cas[] = {
      {"à droite", {100, 100, 800, 500}, 640, 480, {900, 100, 640, 480}},
      {"à droite, remontée dans la zone", {100, 700, 800, 300}, 640, 480, {900, 560, 640, 480}},
      {"dessous", {1000, 50, 900, 400}, 640, 480, {1000, 450, 640, 480}},
      {"dessous, ramenée à gauche", {1500, 50, 400, 400}, 640, 480, {1280, 450, 640, 480}},
      {"décalée", {600, 300, 900, 700}, 640, 480, {624, 324, 640, 480}},
      {"décalée, ramenée dans la zone", {1400, 700, 500, 330}, 640, 480, {1280, 560, 640, 480}},
      {"plus grande que la zone", {0, 0, 800, 600}, 3000, 2000, {0, 0, 1920, 1040}},
  };
  for (const auto& c : cas) {
    const TCadre cadre = recap::Placer_Fenetre(c.source, c.largeur, c.hauteur, zone, {}, 24);
    EXPECT_EQ(cadre, c.attendu) << c.nom;
    EXPECT_TRUE(recap::Dans_Zone(cadre, zone)) << c.nom;
  }
}

// Windows opened one after the other from the same source cascade, never at one place, never
// out of the work area, however many.
TEST(FenetreReglesTest, WindowsCascadeInsideTheWorkArea) {
  for (const TCadre zone : {TCadre{0, 0, 1024, 768}, TCadre{-1280, 40, 1280, 984}}) {
    const TCadre source{zone.Gauche + 198, zone.Haut + 114, 859, 540};
    std::vector<TCadre> ouvertes;
    for (int i = 0; i < 30; ++i) {
      const TCadre cadre = recap::Placer_Fenetre(source, 640, 480, zone, ouvertes, 24);
      EXPECT_TRUE(recap::Dans_Zone(cadre, zone)) << i;
      for (const TCadre& o : ouvertes)
        EXPECT_FALSE(o.Gauche == cadre.Gauche && o.Haut == cadre.Haut) << i << " sur une autre";
      ouvertes.push_back(cadre);
    }
  }
}

TEST(FenetreReglesTest, EscapeAndCtrlWCloseTheTableWindowsOnly) {
  using recap::TGenre_Fenetre;
  const struct {
    TGenre_Fenetre genre;
    recap::TTouche touche;
    bool ferme;
  } cas[] = {
      {TGenre_Fenetre::Comparaison, {recap::Touche_Echap, false}, true},
      {TGenre_Fenetre::Detail, {'W', true}, true},
      {TGenre_Fenetre::Detail, {'W', false}, false},
      {TGenre_Fenetre::Detail, {recap::Touche_Echap, true}, false},
      {TGenre_Fenetre::Comparaison, {'C', true}, false},
      {TGenre_Fenetre::Recap, {recap::Touche_Echap, false}, false},
      {TGenre_Fenetre::Recap, {'W', true}, false},
  };
  for (const auto& c : cas)
    EXPECT_EQ(recap::Touche_Ferme(c.genre, c.touche), c.ferme) << static_cast<int>(c.genre) << " " << c.touche.Code;
}

TEST(FenetreReglesTest, TheWarningsAreaGrowsToAThirdThenScrolls) {
  const struct {
    int texte, ligne, marges, client, attendu;
  } cas[] = {
      {0, 13, 4, 600, 0},      // nothing to say: no area
      {30, 13, 4, 600, 30},    // two lines: their height
      {400, 13, 4, 600, 200},  // many: a third of the window
      {400, 13, 4, 90, 43},    // a small window: three lines still, so that the bar stays usable
      {20, 13, 4, 90, 20},
  };
  for (const auto& c : cas) EXPECT_EQ(recap::Hauteur_Avertissements(c.texte, c.ligne, c.marges, c.client), c.attendu) << c.texte;
}

TEST(FenetreReglesTest, TheMainPanelGrowsToHoldTheCheckAndTheSummary) {
  const struct {
    int controle, resume, dpi;
    recap::TPanel1 attendu;
  } cas[] = {
      {13, 39, 96, {32, 97}},    // one line, three lines: as designed
      {13, 65, 96, {32, 105}},   // five lines of summary: 32 above, 8 below
      {39, 39, 96, {58, 123}},   // a check of three lines pushes the summary, and its room, down
      {20, 0, 144, {48, 145}},
      {20, 90, 144, {48, 150}},
  };
  for (const auto& c : cas) {
    const recap::TPanel1 p = recap::Disposer_Panel1(c.controle, c.resume, c.dpi);
    EXPECT_EQ(p.Haut_Resume, c.attendu.Haut_Resume) << c.controle << " " << c.resume;
    EXPECT_EQ(p.Hauteur, c.attendu.Hauteur) << c.controle << " " << c.resume;
  }
}

TEST(FenetreReglesTest, TheWarningsAreaCountsThePayslipsLeftOut) {
  recap::TAvertissements a{"Attention : un."};
  a.Non_Comptes = 1;
  EXPECT_EQ(recap::Texte_Avertissements(a), "1 bulletin n'est pas compté :\nAttention : un.");
  recap::TAvertissements b{"Attention : deux.", "Attention : trois."};
  b.Non_Comptes = 5;
  a.Ajouter(b);
  EXPECT_EQ(a.Non_Comptes, 6);
  EXPECT_EQ(recap::Texte_Avertissements(a),
            "6 bulletins ne sont pas comptés :\nAttention : un.\nAttention : deux.\nAttention : trois.");
  // A warning that leaves none out, alone: no count.
  EXPECT_EQ(recap::Texte_Avertissements(recap::TAvertissements{"Attention : changé."}), "Attention : changé.");
  EXPECT_EQ(recap::Texte_Avertissements({}), "");
}

// A comparison-like table: rubric, label, an amount, a check; a total under the rows.
recap::TTableau Tableau_Essai() {
  recap::TTableau t;
  t.Titre = "Essai";
  t.Nom_Rangee = "rubrique";
  t.Colonnes_Nom = 2;
  t.Colonnes = {{"N° RUB"}, {"LIBELLES"}, {"ÉCART"}, {"CONTRÔLE"}};
  const auto ligne = [](int n, const char* libelle, long double ecart, bool signaler) {
    recap::TLigne_Tableau l{{recap::Cellule_Entier(n), recap::Cellule_Texte(libelle), recap::Cellule_Montant(ecart),
                             recap::Cellule_Texte(signaler ? "À vérifier" : "")},
                            signaler};
    return l;
  };
  t.Lignes = {ligne(1, "Salaire", 120, true), ligne(2, "Prime", -30, false), ligne(10, "Avance", 5, true),
              ligne(4, "Cotisation", 5, false)};
  recap::TLigne_Tableau total{{recap::Cellule_Texte("Total"), recap::Cellule_Texte(""), recap::Cellule_Montant(100),
                               recap::Cellule_Texte("")}};
  total.Pied = true;
  t.Lignes.push_back(total);
  return t;
}

std::vector<std::string> Premieres(const recap::TTableau& t) {
  std::vector<std::string> v;
  for (const auto& l : t.Lignes) v.push_back(l.Cellules[0].Texte);
  return v;
}

TEST(FenetreReglesTest, TheViewFiltersAndSortsTheRowsTheTotalStayingLast) {
  const recap::TTableau t = Tableau_Essai();
  recap::TVue vue;
  EXPECT_EQ(Premieres(recap::Appliquer_Vue(t, vue)), (std::vector<std::string>{"1", "2", "10", "4", "Total"}));
  vue = recap::Cliquer_Entete(vue, 2);  // by the gap, growing; equals keep the table's order
  EXPECT_EQ(Premieres(recap::Appliquer_Vue(t, vue)), (std::vector<std::string>{"2", "10", "4", "1", "Total"}));
  vue = recap::Cliquer_Entete(vue, 2);  // again: the other way
  EXPECT_EQ(Premieres(recap::Appliquer_Vue(t, vue)), (std::vector<std::string>{"1", "10", "4", "2", "Total"}));
  vue = recap::Cliquer_Entete(vue, 0);  // numbers by value, not as texts
  EXPECT_EQ(Premieres(recap::Appliquer_Vue(t, vue)), (std::vector<std::string>{"1", "2", "4", "10", "Total"}));
  vue = recap::Cliquer_Entete(vue, 1);  // texts alphabetically
  EXPECT_EQ(Premieres(recap::Appliquer_Vue(t, vue)), (std::vector<std::string>{"10", "4", "2", "1", "Total"}));
  vue.Seulement_A_Signaler = true;
  const recap::TTableau filtre = recap::Appliquer_Vue(t, vue);
  EXPECT_EQ(Premieres(filtre), (std::vector<std::string>{"10", "1", "Total"}));
  EXPECT_EQ(filtre.Titre, "Essai (seulement les lignes à vérifier)");
  // The sorted column's header says which way on screen and to a screen reader; the table's
  // own header, which the exports write, does not change.
  EXPECT_EQ(recap::Texte_Entete_Ecran(filtre, 1), "LIBELLES \u25B2");
  EXPECT_EQ(recap::Texte_Entete_Ecran(filtre, 2), "ÉCART");
  EXPECT_EQ(recap::Nom_Accessible(filtre, 1, 0), "LIBELLES, trié par ordre croissant");
  EXPECT_EQ(filtre.Texte(1, 0), "LIBELLES");
}

TEST(FenetreReglesTest, CellsAreNamedByColumnAndRowAndAmountsSitRight) {
  recap::TTableau t = Tableau_Essai();
  t.Lignes[1].Cellules[3] = recap::Cellule_Texte("");
  const struct {
    int colonne, rangee;
    std::string nom;
  } cas[] = {
      {2, 1, "ÉCART, rubrique 1 Salaire : 120"},
      {3, 2, "CONTRÔLE, rubrique 2 Prime : vide"},
      {0, 3, "N° RUB, rubrique Avance : 10"},
      {1, 3, "LIBELLES, rubrique 10 : Avance"},
      {0, 0, "N° RUB"},
  };
  recap::TTableau vide;  // the grid before any calculation: no header, no text
  vide.Colonnes = {{""}, {""}};
  vide.Lignes = {{{recap::Cellule_Texte(""), recap::Cellule_Texte("")}}};
  EXPECT_EQ(recap::Nom_Accessible(vide, 1, 1), "vide");
  for (const auto& c : cas) EXPECT_EQ(recap::Nom_Accessible(t, c.colonne, c.rangee), c.nom);
  EXPECT_EQ(recap::Alignement_Ecran(t, 2, 1), recap::TAlignement::Droite);
  EXPECT_EQ(recap::Alignement_Ecran(t, 1, 1), recap::TAlignement::Gauche);
  t.Nombres_A_Droite = false;  // the recap grid, as designed
  EXPECT_EQ(recap::Alignement_Ecran(t, 2, 1), recap::TAlignement::Gauche);
}

// Each panel's label names the control after it, its Alt letters differ, and its model has a
// value for each of its fields.
TEST(FenetreReglesTest, EachPanelIsConsistent) {
  for (const auto genre : {recap::TGenre_Fenetre::Comparaison, recap::TGenre_Fenetre::Detail}) {
    const description::TFenetre_Tableau& d = recap::Description_Fenetre(genre);
    EXPECT_LE(d.Largeur_Min, d.Largeur_Client);
    EXPECT_LE(d.Hauteur_Min, d.Hauteur_Client);
    std::set<char> lettres;
    for (size_t i = 0; i < d.Panneau.size(); ++i) {
      const auto& c = d.Panneau[i];
      if (c.Genre == description::TGenre_Controle::Libelle) {
        ASSERT_LT(i + 1, d.Panneau.size()) << c.Nom;
        EXPECT_NE(d.Panneau[i + 1].Genre, description::TGenre_Controle::Libelle) << c.Nom;
      }
      const std::string texte = c.Texte;
      if (c.Genre == description::TGenre_Controle::Champ) continue;
      const size_t esperluette = texte.find('&');
      ASSERT_NE(esperluette, std::string::npos) << c.Nom << " sans lettre Alt";
      EXPECT_TRUE(lettres.insert(static_cast<char>(std::tolower(texte[esperluette + 1]))).second) << c.Nom;
      EXPECT_EQ(description::Sans_Esperluette(texte).find('&'), std::string::npos);
      EXPECT_LE(c.Left + c.Width, d.Largeur_Min) << c.Nom;
    }
  }
  recap::TCalcul calcul;
  calcul.Mois = "02-2024";
  const auto comparaison = recap::Modele_Comparaison(calcul);
  EXPECT_EQ(comparaison->Champs.size(), static_cast<size_t>(description::Nombre_Champs(comparaison->Description())));
  EXPECT_EQ(comparaison->Champs, (std::vector<std::string>{"01-2024", "10"}));
  EXPECT_EQ(description::Sans_Esperluette("Mois de &référence :"), "Mois de référence :");
  EXPECT_EQ(description::Sans_Esperluette("A && B"), "A & B");
}

}  // namespace
