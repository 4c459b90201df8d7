// What both windows take from the shared code: the application title and the click road.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Textes.h"
#include "recap/Fenetre.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

TEST(TitreApplication, FromTheExecutablesFileName) {
  const struct {
    const char* executable;
    const char* titre;
  } cas[] = {
      {"/usr/local/bin/DLG_KORVEX_Calcule_Recap", "Dlg_korvex_calcule_recap"},
      {"C:\\Programmes\\KORVEX\\DLG_KORVEX_Calcule_Recap.exe", "Dlg_korvex_calcule_recap"},
      {"DLG_KORVEX_Calcule_Recap.exe", "Dlg_korvex_calcule_recap"},
      {"/opt/Recap.v2.exe", "Recap"},
      {"/opt/recap", "recap"},
      {"C:\\ÉTAT.EXE", "État"},
      {"C:\\ÉÉTÉ.EXE", "Éété"},
      {"/opt/R", "R"},
      {"/opt/.recap", ""},
      {"/opt/ΑΒΓ", "Αβγ"},
  };
  for (const auto& k : cas) EXPECT_EQ(recap::Titre_Application(k.executable), k.titre) << k.executable;
}

// The folder check: an interrupted calculation is not "no KORVEX folder", it is the one case
// where the payroll application can no longer see its payslips.
TEST(ControleDossier, SaysWhenACalculationWasInterrupted) {
  test::TDossierTemporaire dossier;
  const std::string interrompu = "Le fichier PAIES.DTA est absent mais PAIES.DBF"
                                 " existe : un calcul a sans doute été interrompu. Renommez PAIES.DBF en PAIES.DTA "
                                 "avant de relancer le calcul.";
  const struct {
    std::vector<const char*> fichiers;
    std::string etiquette;
  } cas[] = {
      {{}, textes::Dossier_Pas_KORVEX},
      {{"PAIES.DTA"}, textes::Dossier_OK},
      {{"PAIES.DBF"}, interrompu},
      {{"PAIES.DTA", "PAIES.DBF"}, textes::Dossier_OK},
  };
  for (const auto& k : cas) {
    for (const char* nom : {"PAIES.DTA", "PAIES.DBF"}) std::filesystem::remove(dossier.Chemin() / nom);
    for (const char* nom : k.fichiers) std::ofstream(dossier.Chemin() / nom) << "x";
    EXPECT_EQ(recap::Texte_Controle_Dossier(dossier.Texte()), k.etiquette) << k.fichiers.size();
  }
}

// A month field of our windows holds a month, or nothing is done with it.
TEST(MoisChamp, OnlyAMonthMmAaaa) {
  for (const char* mois : {"01-2024", "12-0000", " 03-2024\t"}) EXPECT_TRUE(recap::Mois_Champ(mois)) << mois;
  EXPECT_EQ(*recap::Mois_Champ(" 03-2024 "), "03-2024");
  for (const char* mois : {"13-2024", "00-2024", "2024-01", "1-2024", "01/2024", "01-24", "", "01-2024x"})
    EXPECT_FALSE(recap::Mois_Champ(mois)) << mois;
}

// The rows written before an error are on screen when the error box appears, and a message
// finds the grid shown as it stands; the wait cursor shows throughout, the normal one over a box.
TEST(ClicCalculerRecap, ShowsTheGridBeforeEveryBox) {
  test::TDossierTemporaire dossier;
  test::Ecrire_Paies(dossier.Chemin(), {{"01-2024", "EN-TETE\r\n00110.00\r\n00220.00\r\n"}});
  test::Ecrire_Table(dossier.Chemin() / "RUBRIQUE.DTA", {{"LIBELLE", 'C', 10}, {"CLASSE", 'C', 3}},
                     {{{"Un", "1"}}, {{"Deux", "x"}}});
  TTAB_VALEURS TOT_RUB;
  recap::TGrille grille;
  recap::TDernier_Calcul dernier;
  std::vector<std::string> journal;
  const recap::TBoitesMessages boites{[&](const std::string& t) { journal.push_back("message " + t); },
                                      [&](const std::string& t) {
                                        journal.push_back("erreur " + t);
                                        journal.push_back("ligne 1 : " + grille.Cells(1, 1));
                                      }};
  const auto afficher = [&] { journal.push_back("grille"); };
  const recap::TCurseur curseur = [&](bool attente) {
    const std::string forme = attente ? "attente" : "normal";
    journal.push_back(forme);
    return std::shared_ptr<void>(nullptr, [&journal, forme](void*) { journal.push_back("fin " + forme); });
  };

  recap::Clic_Calculer_Recap(dossier.Texte(), "1-2024", TOT_RUB, grille, dernier, boites, afficher, curseur);
  EXPECT_EQ(journal, (std::vector<std::string>{"attente", "grille", "normal",
                                               std::string("message ") + textes::Mois_Incorrect, "fin normal",
                                               "grille", "fin attente"}));
  journal.clear();
  recap::Clic_Calculer_Recap(dossier.Texte(), "01-2024", TOT_RUB, grille, dernier, boites, afficher, curseur);
  EXPECT_EQ(journal, (std::vector<std::string>{"attente", "grille", "normal",
                                               "erreur 'x' n'est pas une valeur entière correcte.", "ligne 1 : Un",
                                               "fin normal", "fin attente"}));

  // A failing draw or box never leaves the handler.
  recap::Clic_Calculer_Recap(dossier.Texte(), "01-2024", TOT_RUB, grille, dernier,
                             {boites.Message, [](const std::string&) { throw std::runtime_error("boîte"); }},
                             [] { throw std::runtime_error("dessin"); }, [](bool) { return std::shared_ptr<void>(); });
}

}  // namespace
