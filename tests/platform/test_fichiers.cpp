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
// A file copied from an old backup keeps its date: no date makes it missing.
TEST_F(FichiersTest, AFileExistsWhenItIsNoFolderWhateverItsDate) {
  struct Cas {
    std::string nom;
    int annee;  // 0: no date set
    bool dossier;
    bool existe;
  };
  const std::vector<Cas> cas = {
      {"present", 0, false, true},  {"ancien", 1979, false, true},     {"annee1970", 1970, false, true},
      {"futur", 2108, false, true}, {"repertoire", 0, true, false}, {"vieux_repertoire", 1979, true, false},
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

// Also where a FUSE mount of a share lacks the no-replace rename, and hard links as well.
TEST_F(FichiersTest, ARenameNeverReplacesATarget) {
  using plateforme::TOperationFichier;
  struct Systeme {
    const char* nom;
    bool sans_renommage_atomique, sans_liens;
  };
  std::vector<Systeme> systemes = {{"complet", false, false}};
#ifndef _WIN32
  systemes.push_back({"sans renameat2", true, false});
  systemes.push_back({"sans renameat2 ni liens", true, true});
#endif
  for (const auto& k : systemes) {
    SCOPED_TRACE(k.nom);
    plateforme::Installer_Injecteur_Pannes([k](TOperationFichier op, const std::string&) {
      const bool manque = (k.sans_renommage_atomique && op == TOperationFichier::Sans_Renommage_Atomique) ||
                          (k.sans_liens && op == TOperationFichier::Sans_Lien);
      return manque ? std::optional<std::string>("non pris en charge") : std::nullopt;
    });
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
    fs::remove(dossier.Chemin() / "PAIES.DBF");
  }
}

// The name a renamed file must come back under, letter case included.
TEST_F(FichiersTest, TheExactNameKeepsTheStoredLetterCase) {
  Ecrire(dossier.Chemin() / "paies.dta", "x");
  const std::string exact = plateforme::Nom_Exact(Texte("PAIES.DTA"));
  EXPECT_EQ(fs::path(exact).filename().string(), "paies.dta");
  ASSERT_EQ(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DTA"), Texte("PAIES.DBF")), std::nullopt);
  EXPECT_EQ(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DBF"), exact), std::nullopt);
  EXPECT_TRUE(fs::exists(dossier.Chemin() / "paies.dta"));
  std::vector<std::string> noms;
  for (const auto& e : fs::directory_iterator(dossier.Chemin())) noms.push_back(e.path().filename().string());
  EXPECT_EQ(noms, std::vector<std::string>{"paies.dta"});
  EXPECT_EQ(plateforme::Nom_Exact(Texte("ABSENT.DTA")), plateforme::Chemin_Systeme(Texte("ABSENT.DTA")));
}

#ifndef _WIN32
// What the system answers reaches the user as a French reason.
TEST_F(FichiersTest, SystemErrorsHaveAFrenchReason) {
  fs::create_symlink("boucle", dossier.Chemin() / "boucle");
  Ecrire(dossier.Chemin() / "fichier", "x");
  const std::vector<std::pair<std::string, std::string>> cas = {
      {"boucle", "trop de niveaux de liens symboliques"},
      {std::string(300, 'n'), "nom trop long"},
      {"fichier\\dedans", "fichier introuvable"},
  };
  for (const auto& [nom, raison] : cas) {
    const std::string chemin = Texte(nom);  // a lambda cannot name a structured binding before C++20's Clang 16
    EXPECT_EQ(test::Message_Erreur([&] { plateforme::TFichierLecture f(chemin); }),
              "Impossible d'ouvrir le fichier " + chemin + " : " + raison);
  }
}
#endif

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
  // The handle's own hook.
  plateforme::TFichierLecture f(Texte("t.dbf"), {}, [](plateforme::TOperationFichier op, const std::string&) {
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

// A name in a folder, by the program's one rule: the engine's and the save dialog's join adds a
// separator only where the folder lacks one; a file of the data folder takes a backslash always.
TEST(CheminsTest, ANameInAFolder) {
  const struct {
    const char* dossier;
    char separateur;
    const char* attendu;
  } cas[] = {
      {"C:\\KORVEX", '\\', "C:\\KORVEX\\PAIES.DBF"}, {"C:\\KORVEX\\", '\\', "C:\\KORVEX\\PAIES.DBF"},
      {"C:", '\\', "C:\\PAIES.DBF"},                   {"", '\\', "PAIES.DBF"},
#ifndef _WIN32
      {"/srv/korvex/", '\\', "/srv/korvex/PAIES.DBF"},    {"/home/marie/Documents", '/', "/home/marie/Documents/PAIES.DBF"},
      {"/", '/', "/PAIES.DBF"},
#else
      {"C:\\Users\\marie\\Documents", '\\', "C:\\Users\\marie\\Documents\\PAIES.DBF"},
#endif
  };
  for (const auto& k : cas) EXPECT_EQ(plateforme::Chemin_Dans(k.dossier, "PAIES.DBF", k.separateur), k.attendu) << k.dossier;
  EXPECT_EQ(plateforme::Fichier_Du_Dossier("C:\\KORVEX", "PAIES.DTA"), "C:\\KORVEX\\PAIES.DTA");
  EXPECT_EQ(plateforme::Fichier_Du_Dossier("C:\\KORVEX\\", "PAIES.DTA"), "C:\\KORVEX\\\\PAIES.DTA");
  EXPECT_EQ(plateforme::Fichier_Du_Dossier("", "PAIES.DTA"), "\\PAIES.DTA");
}

