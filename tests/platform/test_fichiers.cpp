#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/time.h>
#endif

#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "platform/Fichiers.h"

namespace {

namespace fs = std::filesystem;

void Ecrire(const fs::path& f, const std::string& contenu) { std::ofstream(f, std::ios::binary) << contenu; }

// The Windows build checks the dates with SetFileTime (tests/windows).
#ifndef _WIN32
// Sets a file's last-write time to noon, local time, on the first of January of a year.
void Dater(const fs::path& f, int annee) {
  std::tm t{};
  t.tm_year = annee - 1900;
  t.tm_mday = 1;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  timeval temps[2] = {{std::mktime(&t), 0}, {std::mktime(&t), 0}};
  ASSERT_EQ(::utimes(f.c_str(), temps), 0);
}
#endif

struct FichiersTest : ::testing::Test {
  test::TDossierTemporaire dossier;
  void TearDown() override { plateforme::Installer_Injecteur_Pannes({}); }
  std::string Texte(const std::string& nom) const { return dossier.Texte() + "\\" + nom; }
};

#ifndef _WIN32
TEST_F(FichiersTest, AFileExistsWhenItIsNoFolderAndItsDateFitsAFatDate) {
  struct Cas {
    std::string nom;
    int annee;  // 0: no date set
    bool dossier;
    bool existe;
  };
  const std::vector<Cas> cas = {
      {"present", 0, false, true},  {"ancien", 1979, false, false}, {"annee1980", 1980, false, true},
      {"annee2107", 2107, false, true}, {"futur", 2108, false, false}, {"repertoire", 0, true, false},
  };
  for (const auto& k : cas) {
    const fs::path f = dossier.Chemin() / k.nom;
    if (k.dossier) fs::create_directory(f);
    else Ecrire(f, "x");
    if (k.annee) Dater(f, k.annee);
    EXPECT_EQ(plateforme::Fichier_Existe(Texte(k.nom)), k.existe) << k.nom;
  }
  EXPECT_FALSE(plateforme::Fichier_Existe(Texte("absent")));
}
#endif

TEST_F(FichiersTest, PathsAreTypedTheWindowsWayAndFoundWhateverTheirCase) {
  fs::create_directories(dossier.Chemin() / "Korvex" / "Sous");
  Ecrire(dossier.Chemin() / "Korvex" / "Sous" / "paies.dta", "x");
  EXPECT_TRUE(plateforme::Fichier_Existe(dossier.Texte() + "\\KORVEX\\sous\\PAIES.DTA"));
  EXPECT_TRUE(plateforme::Fichier_Existe(dossier.Texte() + "\\Korvex\\Sous\\\\PAIES.DTA"));  // trailing "\"
  EXPECT_FALSE(plateforme::Fichier_Existe(dossier.Texte() + "\\Korvex\\PAIES.DTA"));
  EXPECT_FALSE(plateforme::Fichier_Existe("\\PAIES.DTA"));  // an empty folder field
#ifndef _WIN32  // Windows ignores the case itself: the path goes to it as typed.
  EXPECT_EQ(plateforme::Chemin_Systeme(dossier.Texte() + "\\KORVEX\\SOUS\\PAIES.DBF"),
            (dossier.Chemin() / "Korvex" / "Sous" / "PAIES.DBF").string());
#endif
}

TEST_F(FichiersTest, ARenameNeverReplacesATarget) {
  Ecrire(dossier.Chemin() / "PAIES.DTA", "paies");
  Ecrire(dossier.Chemin() / "paies.dbf", "ancien");
  EXPECT_EQ(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DTA"), Texte("PAIES.DBF")),
            std::optional<std::string>("le fichier existe déjà"));
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DTA"), "paies");
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "paies.dbf"), "ancien");
  fs::remove(dossier.Chemin() / "paies.dbf");
  EXPECT_EQ(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DTA"), Texte("PAIES.DBF")), std::nullopt);
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DBF"), "paies");
  EXPECT_EQ(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DTA"), Texte("X")),
            std::optional<std::string>("fichier introuvable"));
  EXPECT_TRUE(plateforme::Nom_Pris(Texte("paies.DBF")));
  EXPECT_FALSE(plateforme::Nom_Pris(Texte("PAIES.DTA")));
}

TEST_F(FichiersTest, ReadsOnlyWhatTheFileHolds) {
  Ecrire(dossier.Chemin() / "table.dbf", "0123456789");
  plateforme::TFichierLecture f(Texte("TABLE.DBF"));
  EXPECT_EQ(f.Taille(), 10u);
  char tampon[8] = {};
  EXPECT_EQ(f.Lire(6, tampon, sizeof tampon), 4u);
  EXPECT_EQ(std::string(tampon, 4), "6789");
  EXPECT_EQ(f.Lire(20, tampon, sizeof tampon), 0u);
}

TEST_F(FichiersTest, FailuresNameTheFileInFrench) {
  fs::create_directory(dossier.Chemin() / "dossier.dbf");
  Ecrire(dossier.Chemin() / "t.dbf", "x");
  EXPECT_EQ(test::Message_Erreur([&] { plateforme::TFichierLecture f(Texte("absent.dbf")); }),
            "Impossible d'ouvrir le fichier " + Texte("absent.dbf") + " : fichier introuvable");
  EXPECT_EQ(test::Message_Erreur([&] { plateforme::TFichierLecture f(Texte("dossier.dbf")); }),
            "Impossible d'ouvrir le fichier " + Texte("dossier.dbf") + " : c'est un dossier");
  plateforme::TFichierLecture f(Texte("t.dbf"));
  plateforme::Installer_Injecteur_Pannes([](plateforme::TOperationFichier op, const std::string&) {
    return op == plateforme::TOperationFichier::Lire ? std::optional<std::string>("erreur d'entrée-sortie")
                                                     : std::nullopt;
  });
  char c;
  EXPECT_EQ(test::Message_Erreur([&] { f.Lire(0, &c, 1); }),
            "Erreur de lecture du fichier " + Texte("t.dbf") + " : erreur d'entrée-sortie");
}

// A save goes through a temporary file: the target is whole or untouched, and nothing is left
// beside it.
TEST_F(FichiersTest, EnregistrerRemplaceEntierementEtNeLaisseRien) {
  const fs::path cible = dossier.Chemin() / "recap.csv";
  Ecrire(cible, "ancien contenu, plus long que le nouveau");
  plateforme::Enregistrer_Fichier(cible.string(), "nouveau");
  EXPECT_EQ(test::Contenu(cible), "nouveau");
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier.Chemin()), fs::directory_iterator()), 1);

  const std::string absent = (dossier.Chemin() / "absent" / "recap.csv").string();
  EXPECT_EQ(test::Message_Erreur([&] { plateforme::Enregistrer_Fichier(absent, "x"); }),
            "Impossible d'enregistrer le fichier " + absent + " : fichier introuvable");
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier.Chemin()), fs::directory_iterator()), 1);
}

}  // namespace
