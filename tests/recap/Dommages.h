// Damaged copies of real data folders, the recap they get, and the recap the undamaged folder
// gives without the payslips a warning names: what the damage tests compare.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "KORVEX_procs.h"
#include "dbase/Table.h"
#include "recap/Recap.h"

namespace test {

// A data folder as bytes: each file's name and contents.
using TFichiers = std::map<std::string, std::string>;

TFichiers Lire_Fichiers(const std::filesystem::path& dossier);
void Ecrire_Fichiers(const std::filesystem::path& dossier, const TFichiers& fichiers);

// The sample folder.
TFichiers Exemple();
// A table of tests/dbase/fixtures (nom.dbf and its memo file) as the folder's PAIES.DTA, beside the
// sample's RUBRIQUE.DTA.
TFichiers Avec_Fixture(const std::string& nom);
// "PAIES.DBT" or "PAIES.FPT", whichever the folder holds.
std::string Nom_Memo(const TFichiers& fichiers);

// ---- Where things lie ----
uint32_t Nombre_Annonce(const std::string& table);
uint32_t Longueur_Entete(const std::string& table);
uint32_t Longueur_Enregistrement(const std::string& table);
// The first byte (the deletion flag) of record numero, from 1.
size_t Debut_Enregistrement(const std::string& table, int64_t numero);
// Where record numero's MONTANTS field lies in the table.
size_t Debut_Montants(const std::string& table, int64_t numero);
// Where record numero's MOIS field lies in the table.
size_t Debut_Mois(const std::string& table, int64_t numero);
// Record numero's memo pointer, as stored.
std::string Pointeur_Memo(const std::string& table, int64_t numero);
// Where record numero's MONTANTS memo starts in the memo file.
size_t Debut_Memo(const TFichiers& fichiers, int64_t numero);
size_t Taille_Bloc_Memo(const TFichiers& fichiers);

// ---- Damage ----
void Ecrire_16(std::string& octets, size_t position, uint16_t valeur);
void Ecrire_32(std::string& octets, size_t position, uint32_t valeur, bool grand_boutiste = false);
void Brouiller(std::string& octets, size_t debut, size_t n, std::mt19937& alea);
// A number below n (the standard's distributions differ between libraries; this does not).
uint32_t Tirer(std::mt19937& alea, uint32_t n);

// ---- A calculation and what it should give ----
struct TIssue {
  std::string erreur;  // the message raised, "" when none
  std::vector<std::string> messages;  // the program's own message boxes
  recap::TBilan_Recap bilan;
  TTAB_VALEURS TOT_RUB;
  bool dossier_intact = false;  // every file, names included, as before the calculation
};
TIssue Calculer(const std::filesystem::path& dossier, const std::string& mois);

// Records as a warning names them, from the first to the last.
using TPlages = std::vector<std::pair<int64_t, int64_t>>;
// The records the warnings say were not counted.
TPlages Non_Comptes(const std::vector<std::string>& avertissements);

// The undamaged folder's totals of the month, its selected payslips added in stored order,
// those in sans left out; and how many were added.
struct TReference {
  TTAB_VALEURS TOT_RUB;
  int Bulletins = 0;
};
TReference Reference(const std::filesystem::path& dossier_intact, const std::string& mois, const TPlages& sans);
// A folder's PAIES.DTA opened by the table layer alone, as the tests read it apart.
dbase::TTable& Ouvrir(dbase::TTable& Table, const std::filesystem::path& Dossier);

// The months of the undamaged folder's payslips, as a calculation selects them.
std::vector<std::string> Mois_Des_Paies(const std::filesystem::path& dossier_intact);

// The MONTANTS text of each payslip of the month, by record, as the table layer reads it; a memo
// it cannot read is left out.
std::map<int64_t, std::string> Memos_Du_Mois(const std::filesystem::path& dossier, const std::string& mois);

// Every total equal to the last bit, sign included.
bool Totaux_Identiques(const TTAB_VALEURS& a, const TTAB_VALEURS& b);

}  // namespace test
