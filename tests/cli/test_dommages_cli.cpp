// Damage that the command line must not pass in silence: each warning on the error output and
// in the JSON's "avertissements", and the status 3, whatever the form of the output.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "Recap_Cli.h"
#include "support/Dossier_Temporaire.h"

namespace {

namespace fs = std::filesystem;

using test::Recap;

// The sample (53-byte records after a 161-byte header; MOIS at 36, MONTANTS at 43): record 14's
// month loses its hyphen, and record 2 points to record 15's memo.
TEST(KorvexRecapDommages, AMonthThatIsNoneAndASharedMemoGiveTheirWarningsAndStatus3) {
  test::TDossierTemporaire copie;
  for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
    fs::copy_file(fs::path(KORVEX_EXEMPLES) / "KORVEX" / nom, copie.Chemin() / nom);
  const fs::path paies = copie.Chemin() / "PAIES.DTA";
  std::string table = test::Contenu(paies);
  const auto enregistrement = [](int n) { return 161 + static_cast<size_t>(n - 1) * 53; };
  table[enregistrement(14) + 36 + 2] = '\x1A';
  table.replace(enregistrement(2) + 43, 10, table.substr(enregistrement(15) + 43, 10));
  std::ofstream(paies, std::ios::binary) << table;
  const std::string t = copie.Texte() + "\\PAIES.DTA";
  const std::vector<std::string> avertissements = {
      "Attention : l'enregistrement 14 de la table " + t + " (MATRICULE 00002, NOM MARTIN Jérôme) n'est compté dans "
      "aucun mois : son champ MOIS contient «\u00A002\\x1A2024\u00A0», qui n'est pas un mois mm-aaaa.",
      "Attention : les bulletins des enregistrements 2 (MATRICULE 00002, NOM MARTIN Jérôme) et 15 (MATRICULE 00003, "
      "NOM LEFÈVRE Chloé) de la table " + t + " ne sont pas comptés dans le calcul : leur champ MONTANTS désigne le "
      "même mémo, le bloc 15 (" + copie.Texte() + "\\PAIES.DBT)."};
  for (const std::vector<std::string>& options : {std::vector<std::string>{}, {"--csv"}, {"--resume"}}) {
    std::vector<std::string> arguments = options;
    arguments.insert(arguments.end(), {copie.Texte(), "02-2024"});
    const auto r = Recap(arguments);
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.erreur, avertissements[0] + "\n" + avertissements[1] + "\n");
    EXPECT_NE(r.sortie, "");
  }
  EXPECT_EQ(Recap({"--resume", copie.Texte(), "02-2024"}).sortie.substr(0, 12), "10 bulletins");
  const auto json = nlohmann::json::parse(Recap({"--json", copie.Texte(), "02-2024"}).sortie);
  EXPECT_EQ(json["avertissements"], nlohmann::json(avertissements));
  EXPECT_EQ(json["bulletins"], 10);
  // March reads neither record 2 nor 15: only the month that could be its own is named.
  const auto mars = Recap({"--json", copie.Texte(), "03-2024"});
  EXPECT_EQ(mars.code, 3);
  EXPECT_EQ(nlohmann::json::parse(mars.sortie)["avertissements"], nlohmann::json({avertissements[0]}));
  EXPECT_EQ(test::Contenu(paies), table);
}

}  // namespace
