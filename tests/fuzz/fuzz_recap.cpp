// A whole recap of 03-2011 over a fuzzed PAIES.DTA and its memo file. Whatever the bytes: no
// crash, only the program's own French errors, PAIES.DTA back under its own name with every
// byte as it was, the user's separators back, and a grid that says what TOT_RUB holds.
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/Ecrivain_Dbase.h"
#include "platform/Erreurs.h"
#include "KORVEX_procs.h"
#include "platform/Caracteres.h"
#include "platform/Format_Nombres.h"
#include "recap/Recap.h"
#include "platform/Separateurs.h"

namespace {

namespace fs = std::filesystem;

// The harness's own checks are no code under test: without coverage tracing they cost less.
#define SANS_COUVERTURE __attribute__((no_sanitize("coverage")))

[[noreturn]] void Echec(const std::string& detail) {
  std::fprintf(stderr, "%s\n", detail.c_str());
  std::abort();
}

SANS_COUVERTURE std::string Lire(const fs::path& f) {
  std::ifstream e(f, std::ios::binary);
  std::ostringstream s;
  s << e.rdbuf();
  return s.str();
}

void Ecrire(const fs::path& f, const std::string& octets) {
  std::ofstream s(f, std::ios::binary | std::ios::trunc);
  s.write(octets.data(), static_cast<std::streamsize>(octets.size()));
  if (!s) Echec("écriture impossible : " + f.string());
}

SANS_COUVERTURE bool Utf8_Valide(const std::string& t) {
  for (size_t i = 0; i < t.size();) {
    const auto o = static_cast<unsigned char>(t[i]);
    const size_t n = plateforme::Taille_Caractere_Utf8(t, i);
    if (o >= 0x80 && n == 1) return false;
    i += n;
  }
  return true;
}

const char* const Prefixe_Dossier = "korvex-fuzz-recap-";

// libFuzzer does not always end through exit(): folders of runs that are over go at the next start.
void Effacer_Dossiers_Orphelins(const fs::path& racine) {
  std::error_code ignore;
  for (const auto& e : fs::directory_iterator(racine, ignore)) {
    const std::string nom = e.path().filename().string();
    if (nom.rfind(Prefixe_Dossier, 0) != 0) continue;
    const long pid = std::atol(nom.c_str() + std::strlen(Prefixe_Dossier));
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      fs::remove_all(e.path(), ignore);
  }
}

// One folder for the whole run, on a memory file system when there is one.
const fs::path& Dossier() {
  static const fs::path dossier = [] {
    const fs::path racine = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    Effacer_Dossiers_Orphelins(racine);
    fs::path d = racine / (Prefixe_Dossier + std::to_string(::getpid()));
    fs::create_directories(d);
    std::vector<test::TRubrique> rubriques;
    for (int i = 1; i <= 40; ++i)
      rubriques.push_back({"Rubrique " + std::to_string(i), std::to_string(i % 4), i == 7});
    test::Ecrire_Rubriques(d, rubriques);
    std::atexit([] {
      std::error_code ignore;
      fs::remove_all(dossier, ignore);
    });
    return d;
  }();
  return dossier;
}

// What the grid must say: one row per rubric above the threshold, in increasing order, its
// total written once, in one amount column.
SANS_COUVERTURE void Verifier_Grille(const recap::TGrille& g, const TTAB_VALEURS& tot) {
  int n = 0;
  for (int i = 1; i <= 899; ++i) {
    if (!(tot[i] > Seuil_Negligeable || tot[i] < -Seuil_Negligeable)) continue;
    ++n;
    const std::string rubrique = std::to_string(i);
    if (g.Cells(0, n) != rubrique) Echec("ligne " + std::to_string(n) + " : rubrique " + g.Cells(0, n));
    const std::string total = plateforme::Format_General(tot[i], U',');
    int colonnes = 0;
    for (int c = 2; c <= 4; ++c) {
      if (g.Cells(c, n).empty()) continue;
      ++colonnes;
      if (g.Cells(c, n) != total) Echec("rubrique " + rubrique + " : " + g.Cells(c, n) + " au lieu de " + total);
    }
    if (colonnes != 1) Echec("rubrique " + rubrique + " : total dans " + std::to_string(colonnes) + " colonnes");
  }
  if (g.RowCount() != (n == 0 ? 2 : n + 1)) Echec("nombre de lignes " + std::to_string(g.RowCount()));
}

}  // namespace

// Input: two bytes (little-endian) giving the length of PAIES.DTA, its bytes, then the memo
// file's bytes, written as PAIES.FPT for a table whose version byte is FoxPro's, else as
// PAIES.DBT: each format finds its own, and the other is looked for in vain.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
  if (taille < 2) return 0;
  const size_t longueur = std::min<size_t>(donnees[0] | (donnees[1] << 8), taille - 2);
  const std::string table(reinterpret_cast<const char*>(donnees) + 2, longueur);
  const std::string memo(reinterpret_cast<const char*>(donnees) + 2 + longueur, taille - 2 - longueur);
  const fs::path& d = Dossier();
  const std::string rubriques = Lire(d / "RUBRIQUE.DTA");
  const unsigned char version = table.empty() ? 0 : static_cast<unsigned char>(table[0]);
  const bool fox = version == 0x30 || version == 0x31 || version == 0x32 || version == 0xF5;
  const fs::path fichier_memo = d / (fox ? "PAIES.FPT" : "PAIES.DBT");
  fs::remove(d / (fox ? "PAIES.DBT" : "PAIES.FPT"));
  Ecrire(d / "PAIES.DTA", table);
  Ecrire(fichier_memo, memo);

  plateforme::Fixer_Separateurs(U',', U'\u00A0');
  TTAB_VALEURS TOT_RUB;
  recap::TGrille grille;
  std::vector<std::string> messages;
  std::string erreur;
  try {
    recap::Calculer_Recap(d.string(), "03-2011", TOT_RUB, grille,
                          [&](const std::string& m) { messages.push_back(m); });
  } catch (const plateforme::EKorvex& e) {
    erreur = e.what();
    if (erreur.empty() || !Utf8_Valide(erreur)) Echec("message d'erreur vide ou mal codé : " + erreur);
  }
  if (!messages.empty()) Echec("message inattendu : " + messages.front());
  if (plateforme::DecimalSeparator() != U',' || plateforme::ThousandSeparator() != U'\u00A0')
    Echec("séparateurs non rétablis après « " + erreur + " »");
  if (fs::exists(d / "PAIES.DBF"))
    Echec("PAIES.DTA laissé sous le nom PAIES.DBF après « " + erreur + " »");
  if (Lire(d / "PAIES.DTA") != table) Echec("PAIES.DTA modifié");
  if (Lire(fichier_memo) != memo) Echec("fichier mémo modifié");
  if (Lire(d / "RUBRIQUE.DTA") != rubriques) Echec("RUBRIQUE.DTA modifié");
  if (erreur.empty()) Verifier_Grille(grille, TOT_RUB);
  return 0;
}
