// Decoding speed of typical MONTANTS memos: a header line and 40 amount lines ended by CR LF.
#include <benchmark/benchmark.h>

#include "KORVEX_procs.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

// A payslip's memo as the payroll application writes it, with varied rubrics and amounts.
std::string Memo_Typique(std::mt19937& alea) {
  std::string memo = "BULLETIN 03-2011 MATRICULE 00042\r\n";
  char ligne[32];
  for (int k = 0; k < 40; ++k) {
    const unsigned rubrique = 1 + (k * 20 + alea() % 20) % 899;
    const unsigned entier = alea() % 5000;
    const unsigned centimes = alea() % 100;
    std::snprintf(ligne, sizeof ligne, "%03u%s%u.%02u\r\n", rubrique, alea() % 8 ? "" : "-",
                  entier, centimes);
    memo += ligne;
  }
  return memo;
}

std::vector<std::string> Memos_Typiques(size_t& octets) {
  std::mt19937 alea(2011);
  std::vector<std::string> memos;
  octets = 0;
  for (int k = 0; k < 1000; ++k) {
    memos.push_back(Memo_Typique(alea));
    octets += memos.back().size();
  }
  return memos;
}

void BM_Memo_Montants_Decoder(benchmark::State& etat) {
  size_t octets = 0;
  const std::vector<std::string> memos = Memos_Typiques(octets);
  TTAB_VALEURS valeurs;
  TDecodage decodage(&valeurs);
  for (auto _ : etat) {
    for (const std::string& memo : memos) {
      Memo_Montants_Decoder(memo, decodage);
      benchmark::DoNotOptimize(valeurs[1]);
    }
  }
  etat.SetBytesProcessed(static_cast<int64_t>(etat.iterations() * octets));
  etat.SetItemsProcessed(static_cast<int64_t>(etat.iterations() * memos.size()));
}
BENCHMARK(BM_Memo_Montants_Decoder);

// The same memos decoded to counts, as the recap's threads do.
void BM_Memo_Comptes(benchmark::State& etat) {
  size_t octets = 0;
  const std::vector<std::string> memos = Memos_Typiques(octets);
  TDecodage decodage;
  for (auto _ : etat) {
    for (const std::string& memo : memos) {
      Memo_Montants_Decoder(memo, decodage);
      benchmark::DoNotOptimize(decodage.Rubriques.data());
    }
  }
  etat.SetBytesProcessed(static_cast<int64_t>(etat.iterations() * octets));
  etat.SetItemsProcessed(static_cast<int64_t>(etat.iterations() * memos.size()));
}
BENCHMARK(BM_Memo_Comptes);

}  // namespace
