// The table layer on a million-record payslip table with its memos: the scan, the memo reads and
// the rubric lookup's jumps. The data is written once into /tmp by the small writer below.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "dbase/Table.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t Nombre = 1000000;
constexpr uint32_t Taille_Bloc = 64;
const fs::path Dossier = fs::temp_directory_path() / "korvex-bench-table";

void Ajouter32(std::string& s, uint32_t v) {
  for (int k = 0; k < 4; ++k) s += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// A payslip memo: a header line and 40 amount lines ended by CR LF.
std::string Memo(uint32_t i) {
  std::string m = "Bulletin " + std::to_string(i) + "\r\n";
  char ligne[32];
  for (int r = 1; r <= 40; ++r) {
    std::snprintf(ligne, sizeof ligne, "%03d%u.%02u\r\n", r * 7 % 899 + 1, (i * 31 + r * 17) % 100000, (i + r) % 100);
    m += ligne;
  }
  return m;
}

// dBase IV table (MOIS C(10), MONTANTS M(10)) and its .DBT in 64-byte blocks.
void Ecrire_Donnees() {
  if (fs::exists(Dossier / "fait")) return;
  fs::create_directories(Dossier);
  std::ofstream table(Dossier / "PAIES.DBF", std::ios::binary), memo(Dossier / "PAIES.DBT", std::ios::binary);
  std::string entete;
  entete += '\x8B';
  entete += "\x7e\x0c\x07";
  Ajouter32(entete, Nombre);
  entete += static_cast<char>(97);  // 32 + 2 * 32 + 1
  entete += '\0';
  entete += static_cast<char>(21);  // 1 + 10 + 10
  entete += '\0';
  entete.append(17, '\0');
  entete += '\x57';
  entete.append(2, '\0');
  for (const char* champ : {"MOIS\0\0\0\0\0\0\0C", "MONTANTS\0\0\0M"}) {
    entete.append(champ, 12);
    entete.append(4, '\0');
    entete += '\x0A';
    entete.append(15, '\0');
  }
  entete += '\x0D';
  table << entete;
  std::string tete(512, '\0');
  tete[20] = static_cast<char>(Taille_Bloc);
  memo << tete;
  uint64_t bloc = 512 / Taille_Bloc;
  std::string enregistrement, texte;
  char mois[16], pointeur[16];
  for (uint32_t i = 0; i < Nombre; ++i) {
    const std::string m = Memo(i);
    texte.assign("\xFF\xFF\x08\x00", 4);
    Ajouter32(texte, static_cast<uint32_t>(m.size() + 8));
    texte += m;
    texte.resize((texte.size() + Taille_Bloc - 1) / Taille_Bloc * Taille_Bloc, '\0');
    std::snprintf(mois, sizeof mois, "%02u-%04u   ", i % 12 + 1, 2000 + i / 12000);
    std::snprintf(pointeur, sizeof pointeur, "%10llu", static_cast<unsigned long long>(bloc));
    enregistrement = std::string(" ") + mois + pointeur;
    table << enregistrement;
    memo << texte;
    bloc += texte.size() / Taille_Bloc;
  }
  table << '\x1A';
  std::ofstream(Dossier / "fait") << "1";
}

void Ouvrir(dbase::TTable& t, bool supprimes) {
  Ecrire_Donnees();
  t.TableType = dbase::TTableType::ttDBase;
  t.DatabaseName = Dossier.string();
  t.TableName = "PAIES.DBF";
  t.AfficherSupprimes = supprimes;
  t.Open();
}

// The payslip scan without the memos: MOIS of every record.
void BM_Parcours(benchmark::State& etat) {
  dbase::TTable t;
  Ouvrir(t, false);
  const dbase::TField mois = t.FieldByName("MOIS");
  int64_t enregistrements = 0;
  for (auto _ : etat) {
    for (t.First(); !t.Eof(); t.Next()) {
      benchmark::DoNotOptimize(mois.AsString());
      ++enregistrements;
    }
  }
  etat.SetItemsProcessed(enregistrements);
  etat.SetBytesProcessed(enregistrements * 21);
}
BENCHMARK(BM_Parcours)->Unit(benchmark::kMillisecond);

// The payslip scan with every memo's text: bytes are memo text returned.
void BM_Parcours_Memos(benchmark::State& etat) {
  dbase::TTable t;
  Ouvrir(t, false);
  const dbase::TField mois = t.FieldByName("MOIS"), montants = t.FieldByName("MONTANTS");
  int64_t enregistrements = 0, octets = 0;
  for (auto _ : etat) {
    for (t.First(); !t.Eof(); t.Next()) {
      benchmark::DoNotOptimize(mois.AsString());
      octets += static_cast<int64_t>(montants.AsString().size());
      ++enregistrements;
    }
  }
  etat.SetItemsProcessed(enregistrements);
  etat.SetBytesProcessed(octets);
}
BENCHMARK(BM_Parcours_Memos)->Unit(benchmark::kMillisecond);

// The rubric lookup: First then MoveBy(n - 1), spread over the whole table.
void BM_Recherche_Par_Position(benchmark::State& etat) {
  dbase::TTable t;
  Ouvrir(t, true);
  const dbase::TField mois = t.FieldByName("MOIS");
  uint32_t n = 0;
  for (auto _ : etat) {
    n = (n + 7919 * 127) % Nombre;
    t.First();
    t.MoveBy(static_cast<int>(n));
    benchmark::DoNotOptimize(mois.AsString());
  }
  etat.SetItemsProcessed(etat.iterations());
}
BENCHMARK(BM_Recherche_Par_Position);

void BM_Ouverture(benchmark::State& etat) {
  Ecrire_Donnees();
  for (auto _ : etat) {
    dbase::TTable t;
    Ouvrir(t, false);
    benchmark::DoNotOptimize(t.Eof());
  }
}
BENCHMARK(BM_Ouverture);

}  // namespace
