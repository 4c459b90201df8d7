#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/time.h>
#include <unistd.h>
#endif

#include <ctime>
#include <fstream>
#include <functional>
#include <map>
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

#ifndef _WIN32
// Every entry under a folder, links not followed: its kind, and a file's rights and bytes or a
// link's target.
std::map<std::string, std::string> Etat(const fs::path& d) {
  std::map<std::string, std::string> etat;
  for (const auto& e : fs::recursive_directory_iterator(d)) {
    const fs::file_status s = e.symlink_status();
    const std::string nom = e.path().lexically_relative(d).string();
    if (fs::is_symlink(s)) etat[nom] = "lien " + fs::read_symlink(e.path()).string();
    else if (fs::is_regular_file(s)) etat[nom] = "fichier " + std::to_string(int(s.permissions())) + " " + test::Contenu(e.path());
    else if (fs::is_directory(s)) etat[nom] = "dossier";
    else etat[nom] = "autre " + std::to_string(int(s.type()));
  }
  return etat;
}

int Droits_Nouveau_Fichier() {
  const mode_t masque = ::umask(0);
  ::umask(masque);
  return 0666 & ~masque;
}

// A character device a save may be aimed at without harm: one of the test's own (root may make
// it), else /dev/null when its folder is not ours to change; never /dev/null for root. Empty when
// there is none.
std::string Peripherique_Sans_Danger(const fs::path& dossier) {
  const std::string nul = (dossier / "nul").string();
  if (::mknod(nul.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) return nul;
  return ::access("/dev", W_OK) != 0 ? "/dev/null" : "";
}

struct TCas_Enregistrement {
  const char* nom;
  std::function<void(const fs::path&)> preparer;
  std::string enregistre;  // the name saved to, in the case's folder (or absolute)
  std::string ecrit;       // what gets the new bytes, in the folder; empty: refused
  std::string raison;      // of a refusal; "@" stands for the case's folder
};

std::vector<TCas_Enregistrement> Cas_Enregistrement(const std::string& peripherique) {
  const std::string pas_ordinaire = ", non un fichier ordinaire : rien n'a été écrit";
  const auto lien = [](std::string cible, const char* sous_dossier = nullptr) {
    return [=](const fs::path& d) {
      if (sous_dossier) fs::create_directories(d / sous_dossier);
      fs::create_symlink(cible, d / "recap.csv");
    };
  };
  std::vector<TCas_Enregistrement> cas = {
      {"nouveau", [](const fs::path&) {}, "recap.csv", "recap.csv", ""},
      {"ordinaire",
       [](const fs::path& d) {
         Ecrire(d / "recap.csv", "ancien contenu, plus long");
         fs::permissions(d / "recap.csv", fs::perms(0640));
       },
       "recap.csv", "recap.csv", ""},
      {"lien",
       [](const fs::path& d) {
         fs::create_directory(d / "sous");
         Ecrire(d / "sous" / "vrai.csv", "ancien");
         fs::create_symlink("sous/vrai.csv", d / "recap.csv");
       },
       "recap.csv", "sous/vrai.csv", ""},
      // A relative target is read from its link's folder, not from the first link's.
      {"chaine",
       [](const fs::path& d) {
         fs::create_directories(d / "a" / "b");
         Ecrire(d / "a" / "b" / "vrai.csv", "ancien");
         fs::create_symlink("b/vrai.csv", d / "a" / "second");
         fs::create_symlink((d / "a" / "second").string(), d / "recap.csv");
       },
       "recap.csv", "a/b/vrai.csv", ""},
      {"lien pendant", lien("sous/nouveau.csv", "sous"), "recap.csv", "sous/nouveau.csv", ""},
      {"dossier", [](const fs::path& d) { fs::create_directory(d / "recap.csv"); }, "recap.csv", "",
       "c'est un dossier" + pas_ordinaire},
      {"tube", [](const fs::path& d) { ASSERT_EQ(::mkfifo((d / "recap.csv").c_str(), 0644), 0); }, "recap.csv", "",
       "c'est un tube nommé" + pas_ordinaire},
      {"lien vers un dossier", lien("sous", "sous"), "recap.csv", "", "le lien mène à @/sous, un dossier" + pas_ordinaire},
      {"boucle", lien("recap.csv"), "recap.csv", "", "trop de niveaux de liens symboliques"},
  };
  if (!peripherique.empty()) {
    cas.push_back({"périphérique", [](const fs::path&) {}, peripherique, "", "c'est un périphérique" + pas_ordinaire});
    cas.push_back({"lien vers un périphérique", lien(peripherique), "recap.csv", "",
                   "le lien mène à " + peripherique + ", un périphérique" + pas_ordinaire});
  }
  return cas;
}

// A save writes a new file or over a regular one, links followed and left as links; anything else
// at the end of the links is refused in French, and then nothing under the folder changes.
TEST_F(FichiersTest, ASaveReplacesOnlyARegularFileAndFollowsLinks) {
  for (const auto& k : Cas_Enregistrement(Peripherique_Sans_Danger(dossier.Chemin()))) {
    SCOPED_TRACE(k.nom);
    const fs::path d = dossier.Chemin() / k.nom;
    fs::create_directory(d);
    k.preparer(d);
    const std::string chemin = (d / k.enregistre).string();
    const fs::file_type genre = fs::symlink_status(chemin).type();
    auto attendu = Etat(d);
    // A replaced file keeps its rights.
    const int droits = k.ecrit.empty() || !attendu.contains(k.ecrit) ? Droits_Nouveau_Fichier()
                                                                     : int(fs::status(d / k.ecrit).permissions());
    const std::string message = test::Message_Erreur([&] { plateforme::Enregistrer_Fichier(chemin, "nouveau"); });
    if (k.ecrit.empty()) {
      EXPECT_EQ(fs::symlink_status(chemin).type(), genre);
      std::string raison = k.raison;
      if (const size_t a = raison.find('@'); a != std::string::npos) raison.replace(a, 1, d.string());
      EXPECT_EQ(message, "Impossible d'enregistrer le fichier " + chemin + " : " + raison);
    } else {
      EXPECT_EQ(message, "");
      attendu[k.ecrit] = "fichier " + std::to_string(droits) + " nouveau";
    }
    EXPECT_EQ(Etat(d), attendu);
  }
}
#endif

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

