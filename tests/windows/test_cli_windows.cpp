// korvex-recap.exe on data folders named the Windows way: a drive path, a relative .\KORVEX,
// a Linux folder seen through Wine's Z: drive, an accented C:\Données\KORVEX.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "Lanceur.h"

namespace {

namespace fs = std::filesystem;

const char* const Mois = "02-2024";
const std::string Entete = "N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n";

std::string Utf8(const fs::path& chemin) {
  const std::u8string u8 = chemin.u8string();
  return std::string(u8.begin(), u8.end());
}

bool Sous_Wine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The sample folder copied, since the program renames PAIES.DTA while it reads it.
void Copier_Exemple(const fs::path& vers) {
  fs::create_directories(vers);
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, vers / nom);
}

void Verifier_Intact(const fs::path& dossier) {
  EXPECT_TRUE(fs::exists(dossier / "PAIES.DTA")) << Utf8(dossier);
  EXPECT_FALSE(fs::exists(dossier / "PAIES.DBF")) << Utf8(dossier);
}

test::TExecution Recap(const std::string& dossier) {
  return test::Lancer({KORVEX_RECAP_EXE, {dossier, Mois}, {}, ""});
}

// The recap of the sample month from an absolute drive path: the reference of the other forms.
struct CliWindowsTest : ::testing::Test {
  test::TDossierTemporaire racine;
  test::TExecution reference;
  void SetUp() override {
    Copier_Exemple(racine.Chemin() / "KORVEX");
    reference = Recap(Utf8(racine.Chemin() / "KORVEX"));
    ASSERT_EQ(reference.code, 0) << reference.erreur;
    ASSERT_EQ(reference.sortie.rfind(Entete, 0), 0u) << reference.sortie;
    ASSERT_NE(reference.sortie.find("\n27\tNet à payer\t27789.86\t\t\n"), std::string::npos);
    Verifier_Intact(racine.Chemin() / "KORVEX");
  }
};

TEST_F(CliWindowsTest, ARelativeFolderIsTakenFromTheCurrentFolder) {
  const fs::path avant = fs::current_path();
  fs::current_path(racine.Chemin());
  const auto r = Recap(".\\KORVEX");
  const auto absent = Recap(".\\AUTRE");
  fs::current_path(avant);
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie, reference.sortie);
  EXPECT_EQ(absent.code, 1);
  EXPECT_EQ(absent.erreur, "Fichier .\\AUTRE\\PAIES.DTA Non trouvé\n");
  Verifier_Intact(racine.Chemin() / "KORVEX");
}

TEST_F(CliWindowsTest, ALinuxFolderThroughTheZDrive) {
  if (!Sous_Wine()) GTEST_SKIP() << "le lecteur Z: est celui de Wine";
  std::string linux_ = KORVEX_DOSSIER_LINUX "/donnees-" + std::to_string(GetCurrentProcessId());
  std::string windows = "Z:" + linux_;
  for (char& c : windows)
    if (c == '/') c = '\\';
  Copier_Exemple(fs::path(windows) / "KORVEX");
  const auto r = Recap(windows + "\\KORVEX");
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie, reference.sortie);
  Verifier_Intact(fs::path(windows) / "KORVEX");
  fs::remove_all(windows);
}

TEST_F(CliWindowsTest, AnAccentedFolderAtTheRootOfC) {
  const fs::path dossier = fs::path(u8"C:\\Données") / "KORVEX";
  if (fs::exists(dossier.parent_path())) GTEST_SKIP() << "C:\\Données existe déjà : il n'est pas à ce test";
  std::error_code erreur;
  fs::create_directories(dossier, erreur);
  if (erreur) GTEST_SKIP() << "C:\\Données ne peut être créé ici";
  Copier_Exemple(dossier);
  const auto r = Recap(Utf8(dossier));
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(r.sortie, reference.sortie);
  Verifier_Intact(dossier);
  fs::remove_all(dossier.parent_path());
}

// The totals take the decimal separator of the user's regional settings.
TEST_F(CliWindowsTest, TotalsUseTheUsersDecimalSeparator) {
  wchar_t avant[16] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, avant, 16);
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L","));
  const auto r = Recap(Utf8(racine.Chemin() / "KORVEX"));
  SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, avant);
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_NE(r.sortie.find("\n1\tSalaire de base\t\t33149,34\t\n"), std::string::npos) << r.sortie;
  EXPECT_NE(r.sortie.find("\n5\tPrime de rendement\t\t2250\t\n"), std::string::npos);
}

}  // namespace
