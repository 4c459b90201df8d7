// Writes the data folders of the recap bench, the same bytes on every run:
//   recap_generer A DOSSIER   120 months of 1,000 payslips (01-2015 to 12-2024)
//   recap_generer B DOSSIER   120,000 payslips, all of 06-2020
// Each memo is a heading line and 40 amount lines. Prints the memo text's size in bytes.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/Ecrivain_Dbase.h"

namespace {

constexpr int Mois_A = 120;
constexpr int Paies_Par_Mois = 1000;
constexpr int Rubriques = 120;
constexpr int Lignes_Par_Memo = 40;

// A small generator of our own: std's distributions differ from one library to the next.
struct TAlea {
  uint64_t etat;
  uint64_t Suivant() {
    uint64_t z = (etat += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Entre(int bas, int haut) { return bas + static_cast<int>(Suivant() % static_cast<uint64_t>(haut - bas + 1)); }
};

std::string Texte_Mois(int index) {
  char texte[8];
  std::snprintf(texte, sizeof texte, "%02d-%04d", index % 12 + 1, 2015 + index / 12);
  return texte;
}

// 40 rubrics in increasing order out of 120, amounts in cents, now and then a negative one.
std::string Memo(TAlea& alea, int matricule, const std::string& mois) {
  char ligne[64];
  std::snprintf(ligne, sizeof ligne, "BULLETIN %06d %s\r\n", matricule, mois.c_str());
  std::string texte = ligne;
  int rubrique = 0;
  for (int l = 0; l < Lignes_Par_Memo; ++l) {
    const int reste = Lignes_Par_Memo - l;
    rubrique = alea.Entre(rubrique + 1, Rubriques - reste + 1);
    const int64_t centimes = alea.Entre(1, 20) == 1 ? -alea.Entre(1, 50000) : alea.Entre(10, 999999);
    const int64_t absolu = centimes < 0 ? -centimes : centimes;
    std::snprintf(ligne, sizeof ligne, "%03d%s%lld.%02lld\r\n", rubrique, centimes < 0 ? "-" : "",
                  static_cast<long long>(absolu / 100), static_cast<long long>(absolu % 100));
    texte += ligne;
  }
  return texte;
}

void Ecrire_Rubriques(const std::filesystem::path& dossier) {
  std::vector<test::TRubrique> rubriques;
  for (int r = 1; r <= Rubriques; ++r) {
    const char* genre[] = {"Base", "Gain", "Retenue"};
    rubriques.push_back({std::string(genre[r % 3]) + " n° " + std::to_string(r), std::to_string(r % 3)});
  }
  test::Ecrire_Rubriques(dossier, rubriques);
}

uint64_t Ecrire_Paies(const std::filesystem::path& dossier, bool un_seul_mois) {
  TAlea alea{20240601};
  uint64_t octets_memo = 0;
  test::TEcrivainTable table(dossier / "PAIES.DTA", {{"MOIS", 'C', 7}, {"MONTANTS", 'M', 10}});
  test::TEnregistrementEcrit enregistrement;
  for (int m = 0; m < Mois_A; ++m) {
    const std::string mois = un_seul_mois ? "06-2020" : Texte_Mois(m);
    for (int p = 0; p < Paies_Par_Mois; ++p) {
      enregistrement.valeurs = {mois, Memo(alea, m * Paies_Par_Mois + p + 1, mois)};
      octets_memo += enregistrement.valeurs[1].size();
      table.Ajouter(enregistrement);
    }
  }
  return octets_memo;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string genre = argc == 3 ? argv[1] : "";
  if (genre != "A" && genre != "B") {
    std::fprintf(stderr, "usage : recap_generer A|B DOSSIER\n");
    return 64;
  }
  const std::filesystem::path dossier = argv[2];
  std::filesystem::create_directories(dossier);
  Ecrire_Rubriques(dossier);
  std::printf("%llu\n", static_cast<unsigned long long>(Ecrire_Paies(dossier, genre == "B")));
  return 0;
}
