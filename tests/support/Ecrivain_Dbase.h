// A small dBase III writer for tests and benchmarks that need many data folders. The reader is
// checked on files of independent writers; this one only builds scenarios.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace test {

struct TChampEcrit {
  std::string nom;
  char type;  // C, N, L, D or M
  int longueur;
  int decimales = 0;
};

struct TEnregistrementEcrit {
  std::vector<std::string> valeurs;  // UTF-8; a memo field's value is the memo's text
  bool supprime = false;
};

// Writes the table (code page 1252) and, when a field is a memo, its .DBT beside it, named
// after the table's base name.
void Ecrire_Table(const std::filesystem::path& table, const std::vector<TChampEcrit>& champs,
                  const std::vector<TEnregistrementEcrit>& enregistrements);

// Streams a large table without holding its records: Ajouter writes one record at a time.
class TEcrivainTable {
public:
  TEcrivainTable(const std::filesystem::path& table, std::vector<TChampEcrit> champs);
  ~TEcrivainTable();  // completes the header and closes
  void Ajouter(const TEnregistrementEcrit& enregistrement);

private:
  struct TEtat;
  TEtat* etat_;
};

// A PAIES.DTA (MOIS C 7, MONTANTS M) and a RUBRIQUE.DTA (LIBELLE C 40, CLASSE N 1) in a folder.
struct TPaie {
  std::string mois;
  std::string montants;
  bool supprime = false;
};
struct TRubrique {
  std::string libelle;
  std::string classe;  // the numeric text as stored
  bool supprime = false;
};
void Ecrire_Paies(const std::filesystem::path& dossier, const std::vector<TPaie>& paies);
void Ecrire_Rubriques(const std::filesystem::path& dossier, const std::vector<TRubrique>& rubriques);

// A MONTANTS memo: a first line the decoder skips, then the given lines, each ended by CR LF.
std::string Memo_Montants(const std::vector<std::string>& lignes);

}  // namespace test
