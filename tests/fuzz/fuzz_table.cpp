// Opens a table made of arbitrary bytes and reads every field of every record: any corrupt file
// must end in an EKorvex, never in a crash, an out-of-bounds read or a huge allocation.
// Input: one options byte (bit 0: the memo is a .FPT, bit 1: deleted records shown), the table's
// length on four bytes (little-endian), the table, then the memo file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "dbase/Structure.h"
#include "dbase/Table.h"

namespace {

namespace fs = std::filesystem;

// Never freed, so that the clean-up at exit still has it after the statics are gone.
const fs::path* const Chemin_Dossier =
    new fs::path((fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path()) /
                 ("korvex-fuzz-table-" + std::to_string(::getpid())));

const fs::path& Dossier() {
  static const bool cree = [] {
    fs::create_directories(*Chemin_Dossier);
    std::atexit([] {
      std::error_code ignore;
      fs::remove_all(*Chemin_Dossier, ignore);
    });
    return true;
  }();
  (void)cree;
  return *Chemin_Dossier;
}

void Ecrire(const fs::path& f, const uint8_t* octets, size_t n) {
  std::ofstream(f, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(octets),
                                                                static_cast<std::streamsize>(n));
}

void Lire_Tout(dbase::TTable& t, const dbase::interne::TStructure& s) {
  int enregistrements = 0;
  for (t.First(); !t.Eof() && enregistrements < 2000; t.Next(), ++enregistrements) {
    for (const auto& c : s.champs) {
      try {
        dbase::TField champ = t.FieldByName(c.nom);
        champ.AsString();
        champ.AsInteger();
      } catch (const plateforme::EKorvex&) {
      }
    }
  }
  t.First();
  t.MoveBy(3);
  t.MoveBy(1 << 30);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille < 5) return 0;
  const uint8_t options = donnees[0];
  uint32_t longueur;
  std::memcpy(&longueur, donnees + 1, 4);
  const size_t reste = taille - 5;
  const size_t n_table = longueur > reste ? reste : longueur;
  fs::remove(Dossier() / "T.DBT");
  fs::remove(Dossier() / "T.FPT");
  Ecrire(Dossier() / "T.DBF", donnees + 5, n_table);
  Ecrire(Dossier() / ((options & 1) ? "T.FPT" : "T.DBT"), donnees + 5 + n_table, reste - n_table);
  try {
    dbase::TTable t;
    t.DatabaseName = Dossier().string();
    t.TableName = "T.DBF";
    t.AfficherSupprimes = (options & 2) != 0;
    t.Open();
    plateforme::TFichierLecture fichier(t.DatabaseName + "/T.DBF");
    Lire_Tout(t, dbase::interne::Lire_Structure(fichier, "T.DBF"));
  } catch (const plateforme::EKorvex&) {
  }
  return 0;
}
