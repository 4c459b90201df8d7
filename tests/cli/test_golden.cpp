// korvex-recap on the sample folder: every output of every case, byte for byte as the golden
// files hold it (scripts/golden.sh writes them again).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"
#include "support/Golden.h"
#include "Lanceur.h"

namespace {

namespace fs = std::filesystem;

// The folder is given as .\KORVEX from its parent, as the golden's JSON holds it.
class TDossierCourant {
public:
  explicit TDossierCourant(const fs::path& dossier) : avant_(fs::current_path()) { fs::current_path(dossier); }
  ~TDossierCourant() { fs::current_path(avant_); }
  TDossierCourant(const TDossierCourant&) = delete;
  TDossierCourant& operator=(const TDossierCourant&) = delete;

private:
  fs::path avant_;
};

TEST(KorvexRecapGolden, ChaqueSortieDeChaqueCasEstCelleDuGolden) {
  const std::vector<std::pair<std::string, std::string>> formats = {
      {"tsv", ""}, {"csv", "--csv"}, {"json", "--json"}, {"resume", "--resume"}};
  test::TDossierTemporaire copie;
  fs::create_directory(copie.Chemin() / "KORVEX");
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie.Chemin() / "KORVEX" / nom);
  const TDossierCourant courant(copie.Chemin());
  for (const char* cas : {"01-2024", "02-2024", "03-2024", "01-2024_03-2024"}) {
    for (const auto& [format, option] : formats) {
      std::vector<std::string> arguments;
      if (!option.empty()) arguments.push_back(option);
      arguments.push_back(".\\KORVEX");
      for (const auto& mois : test::Mois_Du_Cas(cas)) arguments.push_back(mois);
      const auto r = test::Lancer({KORVEX_RECAP_EXE, arguments, {{"LC_ALL", "C"}}, ""});
      EXPECT_EQ(r.code, 0) << cas << " " << format << " : " << r.erreur;
      EXPECT_EQ(r.sortie, test::Golden(cas, format)) << cas << " " << format;
      EXPECT_EQ(r.erreur, "") << cas << " " << format;
    }
  }
}

}  // namespace
