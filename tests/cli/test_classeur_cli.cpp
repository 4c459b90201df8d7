// korvex-recap --xlsx FICHIER: the workbook instead of standard output, with a recap's exit
// statuses. What the workbook holds is read back by openpyxl (cmake/classeur-recap.cmake).
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Lanceur.h"
#include "support/Dossier_Temporaire.h"

namespace {

namespace fs = std::filesystem;

class KorvexRecapXlsx : public ::testing::Test {
protected:
  KorvexRecapXlsx() {
    fs::copy(fs::path(KORVEX_EXEMPLES) / "KORVEX", Dossier(), fs::copy_options::recursive);
  }
  fs::path Dossier() const { return travail_.Chemin() / "KORVEX"; }
  std::string Classeur() const { return (travail_.Chemin() / "recap.xlsx").string(); }
  test::TExecution Recap(std::vector<std::string> arguments) const {
    return test::Lancer({KORVEX_RECAP_EXE, std::move(arguments), {{"LC_ALL", "C"}}, ""});
  }

  test::TDossierTemporaire travail_;
};

TEST_F(KorvexRecapXlsx, ArgumentsRefusedWriteNoFile) {
  const std::string d = Dossier().string();
  const std::string exclusives = "--csv, --json, --resume et --xlsx s'excluent\n";
  const struct {
    std::vector<std::string> arguments;
    std::string faute;
  } cas[] = {
      {{d, "02-2024", "--xlsx"}, "--xlsx demande un FICHIER\n"},
      {{"--xlsx", Classeur(), "--json", d, "02-2024"}, exclusives},
      {{"--csv", "--xlsx", Classeur(), d, "02-2024"}, exclusives},
      {{"--xlsx", Classeur(), "--resume", d, "02-2024"}, exclusives},
  };
  for (const auto& c : cas) {
    const auto r = Recap(c.arguments);
    EXPECT_EQ(r.code, 64) << testing::PrintToString(c.arguments);
    EXPECT_EQ(r.sortie, "");
    EXPECT_EQ(r.erreur.rfind("korvex-recap : " + c.faute, 0), 0u) << r.erreur;
    EXPECT_FALSE(fs::exists(Classeur()));
  }
}

// A failed recap writes no workbook; its success is read back by cmake/classeur-recap.cmake.
TEST_F(KorvexRecapXlsx, FailuresWriteNoWorkbook) {
  const std::string d = Dossier().string();
  const std::string absent = (travail_.Chemin() / "absent" / "recap.xlsx").string();
  const struct {
    std::vector<std::string> arguments;
    int code;
    std::string erreur;  // its beginning
  } cas[] = {
      {{"--xlsx", Classeur(), d, "2-2024"}, 1, "Mois non précisé correctement."},
      {{"--xlsx", absent, d, "02-2024"}, 2, "Impossible d'enregistrer le fichier " + absent + " : "},
  };
  for (const auto& c : cas) {
    const auto r = Recap(c.arguments);
    EXPECT_EQ(r.code, c.code) << r.erreur;
    EXPECT_EQ(r.sortie, "");
    EXPECT_EQ(r.erreur.rfind(c.erreur, 0), 0u) << r.erreur;
    EXPECT_FALSE(fs::exists(Classeur()) || fs::exists(absent));
  }
}

// A memo file cut short leaves the last payslips out: the workbook is written all the same.
TEST_F(KorvexRecapXlsx, WarningsGiveStatus3AndTheWorkbook) {
  const fs::path memos = Dossier() / "PAIES.DBT";
  fs::resize_file(memos, fs::file_size(memos) - 600);
  const auto r = Recap({"--xlsx", Classeur(), Dossier().string(), "03-2024"});
  EXPECT_EQ(r.code, 3);
  EXPECT_EQ(r.sortie, "");
  EXPECT_EQ(r.erreur.rfind("Attention : ", 0), 0u) << r.erreur;
  EXPECT_TRUE(fs::exists(Classeur()));
}

#ifndef _WIN32
// The workbook goes where a link leads, and the link stays; a pipe is refused and stays a pipe.
TEST_F(KorvexRecapXlsx, ALinkIsFollowedAndAPipeRefused) {
  const fs::path vrai = travail_.Chemin() / "vrai.xlsx", lien = travail_.Chemin() / "lien.xlsx";
  std::ofstream(vrai) << "ancien";
  fs::create_symlink("vrai.xlsx", lien);
  auto r = Recap({"--xlsx", lien.string(), Dossier().string(), "02-2024"});
  EXPECT_EQ(r.code, 0) << r.erreur;
  EXPECT_EQ(fs::is_symlink(lien) ? fs::read_symlink(lien).string() : "pas un lien", "vrai.xlsx");
  EXPECT_EQ(test::Contenu(vrai).substr(0, 4), "PK\x03\x04");  // a workbook is a zip archive

  const fs::path tube = travail_.Chemin() / "tube.xlsx";
  ASSERT_EQ(::mkfifo(tube.c_str(), 0644), 0);
  r = Recap({"--xlsx", tube.string(), Dossier().string(), "02-2024"});
  EXPECT_EQ(r.code, 2);
  EXPECT_EQ(r.sortie, "");
  EXPECT_EQ(r.erreur, "Impossible d'enregistrer le fichier " + tube.string() +
                          " : c'est un tube nommé, non un fichier ordinaire : rien n'a été écrit.\n");
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(tube)));
  std::vector<std::string> noms;
  for (const auto& e : fs::directory_iterator(travail_.Chemin())) noms.push_back(e.path().filename().string());
  std::sort(noms.begin(), noms.end());
  EXPECT_EQ(noms, (std::vector<std::string>{"KORVEX", "lien.xlsx", "tube.xlsx", "vrai.xlsx"}));
}
#endif

}  // namespace
