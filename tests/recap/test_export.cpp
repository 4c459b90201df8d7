// The recap as text and as figures, shared by the command line and the windows: period
// selection, copy, CSV, summary, and what a window keeps of its last calculation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Fichiers.h"
#include "platform/Separateurs.h"
#include "recap/Export.h"
#include "recap/Fenetre.h"
#include "recap/Periode.h"
#include "recap/Resume.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "support/Grilles.h"
#include "support/Message_Erreur.h"

namespace {

using recap::TGrille;
using recap::TZone;

// A grid as a calculation leaves it: header, then rows {number, label, bases, gains, retenues}.
TGrille Grille(std::vector<std::vector<std::string>> lignes) {
  lignes.insert(lignes.begin(), {"N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"});
  return test::Grille(lignes);
}

const TGrille Exemple = Grille({{"1", "Salaire\tde base", "", "1520,5", ""},
                                {"12", "Prime \"nuit\"; dimanche", "", "30", ""},
                                {"15", "Cotisation", "", "", "87,25"}});

// The grid as the window shows it: the table of its cells.
recap::TTableau Tableau(const TGrille& grille) {
  TTAB_VALEURS totaux;
  return recap::Tableau_Recap(grille, totaux, nullptr);
}

TEST(Periode, MoisEtPeriodes) {
  struct Cas {
    const char* texte;
    bool mois;
  };
  for (const Cas& c : {Cas{"01-2024", true}, {"12-0000", true}, {"00-2024", false}, {"13-2024", false},
                       {"1-2024", false}, {"01-24", false}, {"01/2024", false}, {"01-2024 ", false},
                       {"ab-cdef", false}, {"01-20a4", false}, {"+1-2024", false}, {"", false}})
    EXPECT_EQ(recap::Rang_Mois(c.texte).has_value(), c.mois) << c.texte;
  EXPECT_EQ(*recap::Rang_Mois("01-2024") - *recap::Rang_Mois("12-2023"), 1);

  EXPECT_TRUE(recap::Lire_Periode("12-2023", "01-2024"));
  EXPECT_TRUE(recap::Lire_Periode("02-2024", "02-2024"));
  EXPECT_FALSE(recap::Lire_Periode("02-2024", "01-2024"));
  EXPECT_FALSE(recap::Lire_Periode("01-2024", "2024-02"));

  const auto periode = *recap::Lire_Periode("11-2023", "01-2024");
  for (const char* dedans : {"11-2023", "12-2023", "01-2024"}) EXPECT_TRUE(recap::Dans_Periode(periode, dedans)) << dedans;
  for (const char* dehors : {"10-2023", "02-2024", "12-2024", "01-2023", "13-2023", "1-2024", "01-2024x", ""})
    EXPECT_FALSE(recap::Dans_Periode(periode, dehors)) << dehors;
}

// One scan over the period: payslips selected by the first seven characters of MOIS, malformed
// ones and deleted ones left out, and counted.
TEST(Periode, CalculSurUnePeriodeEtNombreDeBulletins) {
  plateforme::Fixer_Separateurs(U'.', U' ');
  test::TDossierTemporaire dossier;
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}});
  test::Ecrire_Paies(dossier.Chemin(), {{"11-2023", test::Memo_Montants({"0011"})},
                                        {"12-2023", test::Memo_Montants({"0012"})},
                                        {"12-2023", test::Memo_Montants({"0014"}), true},
                                        {"01-2024/2", test::Memo_Montants({"0018"})},
                                        {"13-2023", test::Memo_Montants({"00116"})},
                                        {"1-2024", test::Memo_Montants({"00132"})},
                                        {"02-2024", test::Memo_Montants({"00164"})}});
  struct Cas {
    const char* mois;
    std::optional<recap::TPeriode> periode;
    int bulletins;
    long double total;
  };
  for (const Cas& c : {Cas{"12-2023", recap::Lire_Periode("12-2023", "01-2024"), 2, 10},
                       Cas{"11-2023", recap::Lire_Periode("11-2023", "02-2024"), 4, 75},
                       Cas{"12-2023", std::nullopt, 1, 2}}) {
    TTAB_VALEURS TOT_RUB;
    TGrille grille;
    recap::TBilan_Recap bilan;
    std::vector<std::string> messages;
    recap::Calculer_Recap(dossier.Texte(), c.mois, TOT_RUB, grille,
                          [&](const std::string& m) { messages.push_back(m); }, bilan, c.periode);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(bilan.Grille_Remplie);
    EXPECT_EQ(bilan.Bulletins, c.bulletins) << c.mois;
    EXPECT_EQ(TOT_RUB[1], c.total) << c.mois;
  }
}

TEST(Copie, SelectionEtTableauEntier) {
  const recap::TTableau t = Tableau(Exemple);
  const std::string tableau =
      "N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n"
      "1\tSalaire de base\t\t1520,5\t\n"
      "12\tPrime \"nuit\"; dimanche\t\t30\t\n"
      "15\tCotisation\t\t\t87,25\n";
  EXPECT_EQ(recap::Texte_Tableau(t, recap::TFormat_Texte::Tabulations), tableau);
  struct Cas {
    TZone zone;
    std::string texte;
  };
  const Cas cas[] = {
      {{3, 1, 3, 1}, "1520,5\n"},
      {{1, 2, 3, 3}, "Prime \"nuit\"; dimanche\t\t30\nCotisation\t\t\n"},
      {{3, 1, 4, 3}, "1520,5\t\n30\t\n\t87,25\n"},
      {{0, 0, 9, 9}, tableau},  // beyond every data cell: the whole table
      {recap::Zone_Donnees(t), tableau},
      {{4, 3, 3, 3}, ""},
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(recap::Texte_Copie(t, c.zone, "\n"), c.texte)
        << c.zone.Gauche << "," << c.zone.Haut << " " << c.zone.Droite << "," << c.zone.Bas;
  }
  EXPECT_EQ(recap::Texte_Copie(t, {4, 3, 4, 3}, "\r\n"), "87,25\r\n");
  // Before a first calculation the grid holds nothing to copy.
  const recap::TTableau vide = Tableau(TGrille());
  EXPECT_FALSE(recap::Copie_Possible(vide));
  EXPECT_EQ(recap::Texte_Copie(vide, recap::Zone_Donnees(vide), "\n"), "");
  // A row with no text at all (no rubric over the threshold) is no line of the table.
  TGrille sans_rubrique = Grille({{"", "", "", "", ""}});
  EXPECT_EQ(recap::Texte_Tableau(Tableau(sans_rubrique), recap::TFormat_Texte::Tabulations),
            "N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n");
}

// Whatever table it is, a text cell that a spreadsheet would run as a formula gets an
// apostrophe, in any column; numbers and headers are written as they are.
TEST(Csv, TextCellsAreProtectedNumbersNot) {
  plateforme::Fixer_Separateurs(U'.', U' ');
  recap::TTableau t;
  t.Colonnes = {{"=ENTETE"}, {"Texte"}, {"Montant"}, {"Autre texte"}};
  const auto ligne = [](std::string a, std::string b, long double montant, std::string d) {
    return recap::TLigne_Tableau{{recap::Cellule_Texte(std::move(a)), recap::Cellule_Texte(std::move(b)),
                                  recap::Cellule_Montant(montant), recap::Cellule_Texte(std::move(d))}};
  };
  t.Lignes = {ligne("=1+1", "+33", -87.25L, "@SOMME(A1)"), ligne("-", "ok", 0, "\tcachée"),
              ligne("a=b", "\rretour", 1, "")};
  t.Lignes.push_back({{recap::Cellule_Entier(-5), recap::Cellule_Texte(""), recap::Cellule_Montant(2), recap::Cellule_Texte("x")}});
  EXPECT_EQ(recap::Contenu_Csv(t),
            "\xEF\xBB\xBF"
            "=ENTETE;Texte;Montant;Autre texte\r\n"
            "'=1+1;'+33;-87.25;'@SOMME(A1)\r\n"
            "'-;ok;0;'\tcachée\r\n"
            "a=b;\"'\rretour\";1;\r\n"
            "-5;;2;x\r\n");
  EXPECT_EQ(recap::Texte_Tableau(t, recap::TFormat_Texte::Tabulations, "\n"),
            "=ENTETE\tTexte\tMontant\tAutre texte\n"
            "'=1+1\t'+33\t-87.25\t'@SOMME(A1)\n"
            "'-\tok\t0\t' cachée\n"
            "a=b\t' retour\t1\t\n"
            "-5\t\t2\tx\n");
  EXPECT_EQ(recap::Texte_Copie(t, {1, 1, 2, 1}, "\n"), "'+33\t-87.25\n");
}

TEST(Csv, OctetsDuTableau) {
  EXPECT_EQ(recap::Contenu_Csv(Tableau(Exemple)),
            "\xEF\xBB\xBF"
            "N° RUB;LIBELLES;BASES;GAINS;RETENUES\r\n"
            "1;Salaire\tde base;;1520,5;\r\n"
            "12;\"Prime \"\"nuit\"\"; dimanche\";;30;\r\n"
            "15;Cotisation;;;87,25\r\n");
}

// The save dialog is asked for the table's file name in the user's Documents, with the
// format's title, file types and extension.
TEST(Enregistrement, DemandesDuDialogue) {
  recap::TTableau t;
  t.Designation = "la récap";  // each table names itself in the title
  t.Nom_Fichier = "recap-KORVEX-02-2024";
  const std::string documents = plateforme::Dossier_Documents();
  struct Cas {
    recap::TFormat_Fichier format;
    recap::TDemande_Enregistrement attendue;
  };
  const Cas cas[] = {
      {recap::TFormat_Fichier::Csv,
       {"Exporter la récap en CSV", plateforme::Chemin_Dans(documents, "recap-KORVEX-02-2024.csv", plateforme::Separateur_Natif),
        {"Fichiers CSV (*.csv)", "Tous les fichiers (*.*)"}, "csv"}},
      {recap::TFormat_Fichier::Pdf,
       {"Exporter la récap en PDF", plateforme::Chemin_Dans(documents, "recap-KORVEX-02-2024.pdf", plateforme::Separateur_Natif),
        {"Fichiers PDF (*.pdf)", "Tous les fichiers (*.*)"}, "pdf"}},
  };
  for (const Cas& c : cas) {
    const auto d = recap::Demande_Enregistrement(t, c.format);
    EXPECT_EQ(d.Titre, c.attendue.Titre);
    EXPECT_EQ(d.Chemin_Propose, c.attendue.Chemin_Propose);
    EXPECT_EQ(std::string(d.Types[0]), c.attendue.Types[0]);
    EXPECT_EQ(std::string(d.Types[1]), c.attendue.Types[1]);
    EXPECT_EQ(d.Extension, c.attendue.Extension);
  }
}

TEST(Resume, SommesDesGainsEtDesRetenues) {
  TTAB_VALEURS TOT_RUB;
  TOT_RUB[1] = 1520.5L;
  TOT_RUB[12] = 30;
  TOT_RUB[15] = 87.25L;
  const auto lignes = recap::Lignes_Recap(Exemple, TOT_RUB);
  ASSERT_EQ(lignes.size(), 3u);
  EXPECT_EQ(lignes[1].Rubrique, 12);
  EXPECT_EQ(lignes[1].Libelle, "Prime \"nuit\"; dimanche");
  EXPECT_EQ(lignes[2].Colonne, 4);

  struct Cas {
    const char* nom;
    std::vector<recap::TLigne_Recap> lignes;
    int bulletins;
    std::array<std::string, 3> texte;
  };
  const Cas cas[] = {
      {"aucune ligne", {}, 0, {"0 bulletin", "Gains : 0 — Retenues : 0", "Net : 0"}},
      {"bases seules", {{10, "", 2, 36689.61L}}, 1, {"1 bulletin", "Gains : 0 — Retenues : 0", "Net : 0"}},
      {"totaux négatifs",
       {{1, "", 3, -100.1L}, {8, "", 4, -81.55L}, {9, "", 3, 50}},
       2,
       {"2 bulletins", "Gains : -50,1 — Retenues : -81,55", "Net : 31,45"}},
      {"retenues plus fortes", {{1, "", 3, 10}, {2, "", 4, 12.5L}}, 3,
       {"3 bulletins", "Gains : 10 — Retenues : 12,5", "Net : -2,5"}},
      {"exemple", lignes, 12, {"12 bulletins", "Gains : 1550,5 — Retenues : 87,25", "Net : 1463,25"}},
  };
  for (const Cas& c : cas) EXPECT_EQ(recap::Lignes_Resume(recap::Resumer(c.bulletins, c.lignes), U','), c.texte) << c.nom;

}

// What a window keeps: a click that makes no recap, by a message or an error, leaves the grid's
// calculation (greyed and said stale) until an error has begun writing the grid. Only a
// rewritten grid counts as a new calculation.
TEST(Dernier_Calcul, SelonLaFinDuCalcul) {
  plateforme::Fixer_Separateurs(U',', U' ');
  test::TDossierTemporaire dossier;
  test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}, {"Cotisation", "2"}});
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", test::Memo_Montants({"0011000.50", "002100.25"})},
                                        {"03-2011", test::Memo_Montants({"001500"})},
                                        {"04-2011", test::Memo_Montants({"0019,9"})}});
  TTAB_VALEURS TOT_RUB;
  TGrille grille;
  recap::TDernier_Calcul dernier;
  const auto calculer = [&](const std::string& mois) {
    return test::Message_Erreur([&] {
      recap::Calculer_Pour_Fenetre(dossier.Texte(), mois, TOT_RUB, grille, [](const std::string&) {}, dernier);
    });
  };
  const std::string perime = "Aucune récap n'a été faite : le calcul n'a pas abouti.\n"
                             "La grille montre encore la récap du mois 03-2011\ndu dossier " + dossier.Texte() + ".";
  EXPECT_EQ(recap::Texte_Resume(dernier), "");
  EXPECT_EQ(calculer(" 03-2011 "), "");
  ASSERT_TRUE(dernier.Calcul);
  EXPECT_EQ(dernier.Calcul->Mois, "03-2011");
  EXPECT_EQ(dernier.Calcul->Dossier, dossier.Texte());
  EXPECT_NE(dernier.Calcul->Date_Heure, 0);
  EXPECT_TRUE(recap::Grille_A_Jour(dernier));
  EXPECT_EQ(recap::Texte_Resume(dernier), "2 bulletins\nGains : 1500,5 — Retenues : 100,25\nNet : 1400,25");
  EXPECT_EQ(dernier.Numero, 1);

  struct Cas {
    const char* nom;
    std::string mois;
    bool erreur;
    std::string resume;
  };
  // "9,9" does not read as an amount with a point: the scan fails before the grid fill.
  const Cas echecs[] = {{"message", "3-2011", false, perime}, {"erreur avant la grille", "04-2011", true, perime}};
  plateforme::Fixer_Separateurs(U'.', U' ');
  for (const Cas& c : echecs) {
    EXPECT_EQ(calculer(c.mois).empty(), !c.erreur) << c.nom;
    EXPECT_FALSE(recap::Grille_A_Jour(dernier)) << c.nom;
    ASSERT_TRUE(dernier.Calcul) << c.nom;
    EXPECT_EQ(dernier.Calcul->Mois, "03-2011") << c.nom;
    EXPECT_EQ(recap::Texte_Resume(dernier), c.resume) << c.nom;
    EXPECT_EQ(dernier.Numero, 1) << c.nom;
  }

  test::Ecrire_Table(dossier.Chemin() / "RUBRIQUE.DTA", {{"LIBELLE", 'C', 40}}, {{{"Salaire"}}});
  EXPECT_EQ(calculer("03-2011"), "Champ 'CLASSE' non trouvé");
  EXPECT_FALSE(dernier.Calcul);
  EXPECT_EQ(dernier.Numero, 2);
  EXPECT_FALSE(recap::Grille_A_Jour(dernier));
  EXPECT_EQ(recap::Texte_Resume(dernier),
            "Aucune récap n'a été faite : le calcul n'a pas abouti.\n"
            "La grille n'en montre que les lignes écrites avant l'arrêt.");
}

}  // namespace
