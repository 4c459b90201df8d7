// The Windows file calls themselves: any date, sharing, no-replace rename, UTF-16 names.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "platform/Erreurs.h"
#include "support/Message_Erreur.h"
#include "platform/Fichiers.h"

namespace {

namespace fs = std::filesystem;

// A path as the program receives it: UTF-8, whatever the ANSI code page.
std::string Utf8(const fs::path& chemin) {
  const std::u8string u8 = chemin.u8string();
  return std::string(u8.begin(), u8.end());
}

// A Windows handle closed on every path.
struct TPoignee {
  HANDLE h;
  explicit TPoignee(HANDLE poignee) : h(poignee) {}
  ~TPoignee() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  TPoignee(const TPoignee&) = delete;
  TPoignee& operator=(const TPoignee&) = delete;
};

HANDLE Ouvrir(const fs::path& f, DWORD acces, DWORD partage, DWORD creation) {
  return CreateFileW(f.c_str(), acces, partage, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void Ecrire(const fs::path& f, const std::string& contenu) {
  TPoignee p(Ouvrir(f, GENERIC_WRITE, 0, CREATE_ALWAYS));
  ASSERT_NE(p.h, INVALID_HANDLE_VALUE) << Utf8(f);
  DWORD ecrits = 0;
  ASSERT_TRUE(WriteFile(p.h, contenu.data(), static_cast<DWORD>(contenu.size()), &ecrits, nullptr));
}

// Sets the last-write time from a local date and time, as the folder check reads it back.
void Dater(const fs::path& f, WORD annee, WORD mois, WORD jour, WORD heure, WORD minute) {
  SYSTEMTIME date{};
  date.wYear = annee;
  date.wMonth = mois;
  date.wDay = jour;
  date.wHour = heure;
  date.wMinute = minute;
  FILETIME locale, universelle;
  ASSERT_TRUE(SystemTimeToFileTime(&date, &locale));
  ASSERT_TRUE(LocalFileTimeToFileTime(&locale, &universelle));
  TPoignee p(Ouvrir(f, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  ASSERT_NE(p.h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(SetFileTime(p.h, nullptr, nullptr, &universelle));
}

struct FichiersWindowsTest : ::testing::Test {
  test::TDossierTemporaire dossier;
  std::string Texte(const std::string& nom) const { return Utf8(dossier.Chemin()) + "\\" + nom; }
};

// A file copied from an old backup keeps its date: no date makes it missing, however far from
// what a FAT date can hold.
TEST_F(FichiersWindowsTest, AFileIsFoundWhateverItsDate) {
  struct Cas {
    WORD annee, mois, jour, heure, minute;
  };
  const std::vector<Cas> cas = {
      {1979, 12, 31, 23, 59}, {1980, 1, 1, 0, 0}, {2024, 6, 15, 8, 30},
      {2108, 1, 1, 0, 1},     {1601, 1, 2, 0, 0}, {2500, 6, 1, 12, 0},
  };
  Ecrire(dossier.Chemin() / "PAIES.DTA", "x");
  for (const auto& k : cas) {
    Dater(dossier.Chemin() / "PAIES.DTA", k.annee, k.mois, k.jour, k.heure, k.minute);
    EXPECT_TRUE(plateforme::Fichier_Existe(Texte("PAIES.DTA"))) << k.annee << "-" << k.mois;
  }
}

TEST_F(FichiersWindowsTest, AFolderOrNothingIsNoFile) {
  ASSERT_TRUE(CreateDirectoryW((dossier.Chemin() / "PAIES.DTA").c_str(), nullptr));
  EXPECT_FALSE(plateforme::Fichier_Existe(Texte("PAIES.DTA")));
  EXPECT_FALSE(plateforme::Fichier_Existe(Texte("ABSENT.DTA")));
  EXPECT_FALSE(plateforme::Fichier_Existe(Texte("absent\\PAIES.DTA")));
  EXPECT_FALSE(plateforme::Fichier_Existe(Texte("PAIES.DTA\\PAIES.DTA")));
  EXPECT_EQ(test::Message_Erreur([&] { plateforme::TFichierLecture f(Texte("PAIES.DTA")); }),
            "Impossible d'ouvrir le fichier " + Texte("PAIES.DTA") + " : c'est un dossier");
}

// Names outside the ANSI code page prove that no call goes through it.
TEST_F(FichiersWindowsTest, FolderNamesAreUnicode) {
  for (const char8_t* nom : {u8"Données", u8"Ωμέγα Δοκιμή", u8"給与"}) {
    const fs::path d = dossier.Chemin() / nom / "KORVEX";
    fs::create_directories(d);
    Ecrire(d / "PAIES.DTA", "paies");
    const std::string texte = Utf8(d);
    EXPECT_TRUE(plateforme::Fichier_Existe(texte + "\\PAIES.DTA")) << texte;
    EXPECT_TRUE(plateforme::Nom_Pris(texte + "\\paies.dta")) << texte;
    plateforme::TFichierLecture f(texte + "\\PAIES.DTA");
    char lu[5] = {};
    EXPECT_EQ(f.Lire(0, lu, 5), 5u);
    EXPECT_EQ(std::string(lu, 5), "paies");
    EXPECT_EQ(plateforme::Renommer_Sans_Remplacer(texte + "\\PAIES.DTA", texte + "\\PAIES.DBF"), std::nullopt);
    EXPECT_TRUE(fs::exists(d / "PAIES.DBF")) << texte;
  }
}

TEST_F(FichiersWindowsTest, PathsMayBeRelativeOrEndWithABackslash) {
  fs::create_directory(dossier.Chemin() / "KORVEX");
  Ecrire(dossier.Chemin() / "KORVEX" / "paies.dta", "x");
  const fs::path avant = fs::current_path();
  fs::current_path(dossier.Chemin());
  EXPECT_TRUE(plateforme::Fichier_Existe(".\\KORVEX\\PAIES.DTA"));
  EXPECT_TRUE(plateforme::Fichier_Existe("KORVEX\\PAIES.DTA"));
  EXPECT_TRUE(plateforme::Fichier_Existe(".\\KORVEX\\\\PAIES.DTA"));
  EXPECT_TRUE(plateforme::Fichier_Existe("./korvex/PAIES.DTA"));
  EXPECT_FALSE(plateforme::Fichier_Existe(".\\PAIES.DTA"));
  fs::current_path(avant);
}

// A file as target is covered by the platform tests, which run here too; a folder as well.
TEST_F(FichiersWindowsTest, TheRenameRefusesAFolderAsTarget) {
  Ecrire(dossier.Chemin() / "PAIES.DTA", "paies");
  ASSERT_TRUE(CreateDirectoryW((dossier.Chemin() / "PAIES.DBF").c_str(), nullptr));
  EXPECT_TRUE(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DTA"), Texte("PAIES.DBF")).has_value());
  EXPECT_EQ(test::Contenu(dossier.Chemin() / "PAIES.DTA"), "paies");
}

// A save writes only a new or a regular file (both covered by the platform tests, run here too):
// a folder or a device name is refused before anything is written, in any folder.
TEST_F(FichiersWindowsTest, ASaveRefusesAFolderAndADeviceName) {
  ASSERT_TRUE(CreateDirectoryW((dossier.Chemin() / "recap.csv").c_str(), nullptr));
  const std::string pas_ordinaire = ", non un fichier ordinaire : rien n'a été écrit";
  const struct {
    std::string chemin, raison;
  } cas[] = {
      {Texte("recap.csv"), "c'est un dossier" + pas_ordinaire},
      {"NUL", "c'est un périphérique" + pas_ordinaire},
      {"CON", "c'est un périphérique" + pas_ordinaire},
      {Texte("NUL"), "c'est un périphérique" + pas_ordinaire},
      {"\\\\.\\NUL", "c'est un périphérique" + pas_ordinaire},
  };
  for (const auto& k : cas)
    EXPECT_EQ(test::Message_Erreur([&] { plateforme::Enregistrer_Fichier(k.chemin, "nouveau"); }),
              "Impossible d'enregistrer le fichier " + k.chemin + " : " + k.raison);
  std::vector<std::string> noms;
  for (const auto& e : fs::directory_iterator(dossier.Chemin())) noms.push_back(Utf8(e.path().filename()));
  EXPECT_EQ(noms, std::vector<std::string>{"recap.csv"});
  EXPECT_TRUE(fs::is_directory(dossier.Chemin() / "recap.csv"));
}

// The payroll application may hold the table open, writing, while the recap reads it.
TEST_F(FichiersWindowsTest, ReadsATableThatAnotherProgramHoldsOpenForWriting) {
  const fs::path f = dossier.Chemin() / "PAIES.DBF";
  Ecrire(f, "0123");
  TPoignee ecrivain(Ouvrir(f, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
  ASSERT_NE(ecrivain.h, INVALID_HANDLE_VALUE);
  plateforme::TFichierLecture lecture(Texte("PAIES.DBF"));
  EXPECT_EQ(lecture.Taille(), 4u);
  // The writer keeps going while the table is open here, and sees its own writes land.
  SetFilePointer(ecrivain.h, 0, nullptr, FILE_END);
  DWORD ecrits = 0;
  ASSERT_TRUE(WriteFile(ecrivain.h, "4567", 4, &ecrits, nullptr));
  char lu[8] = {};
  EXPECT_EQ(lecture.Lire(0, lu, sizeof lu), 8u);
  EXPECT_EQ(std::string(lu, 8), "01234567");
}

TEST_F(FichiersWindowsTest, AFileLockedByAnotherProgramIsReportedInFrench) {
  const fs::path f = dossier.Chemin() / "PAIES.DTA";
  Ecrire(f, "paies");
  {
    TPoignee exclusif(Ouvrir(f, GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING));
    ASSERT_NE(exclusif.h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(test::Message_Erreur([&] { plateforme::TFichierLecture l(Texte("PAIES.DTA")); }),
              "Impossible d'ouvrir le fichier " + Texte("PAIES.DTA") +
                  " : le fichier est utilisé par un autre programme");
  }
  {
    // Open without delete sharing, as most programs open their files: the rename must fail.
    TPoignee ouvert(Ouvrir(f, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    ASSERT_NE(ouvert.h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DTA"), Texte("PAIES.DBF")),
              std::optional<std::string>("le fichier est utilisé par un autre programme"));
  }
  EXPECT_EQ(test::Contenu(f), "paies");
  // Our own reading handle shares deletion: it never stands in the way of a rename.
  plateforme::TFichierLecture lecture(Texte("PAIES.DTA"));
  EXPECT_EQ(plateforme::Renommer_Sans_Remplacer(Texte("PAIES.DTA"), Texte("PAIES.DBF")), std::nullopt);
  char lu[5] = {};
  EXPECT_EQ(lecture.Lire(0, lu, 5), 5u);
  EXPECT_EQ(std::string(lu, 5), "paies");
}

}  // namespace
