// Big and hostile inputs: tables of several gigabytes, memos that announce 4 GB, folders the
// program may not read or write. Each gets a clear French error or the right result, in
// bounded memory, and no data file changes.
// POSIX only: mount namespaces, resource limits, fork and permission bits.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/Dossier_Temporaire.h"  // test::Contenu
#include "support/Ecrivain_Dbase.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "recap/Recap.h"
#include "platform/Separateurs.h"

namespace {

namespace fs = std::filesystem;

constexpr uint64_t Mo = 1024 * 1024;
constexpr uint64_t Go = 1024 * Mo;
// Far above what a scan needs, far below the gigabytes of the inputs.
constexpr uint64_t Memoire_Permise = 256 * Mo;

// ---- Memory ----

uint64_t Pic_Memoire() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return static_cast<uint64_t>(r.ru_maxrss) * 1024;
}

// The peak the work adds to the resident memory. Linux resets the peak on request, so that an
// earlier test's peak cannot hide this one's.
uint64_t Memoire_Ajoutee(const std::function<void()>& travail) {
  std::ofstream("/proc/self/clear_refs") << "5";
  const uint64_t avant = Pic_Memoire();
  travail();
  const uint64_t apres = Pic_Memoire();
  return apres > avant ? apres - avant : 0;
}

// ---- Files ----

// Writes bytes at a position, leaving a hole before them.
void Ecrire_A(const fs::path& f, uint64_t position, const std::string& octets) {
  const int fd = ::open(f.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0) << f;
  ASSERT_EQ(::pwrite(fd, octets.data(), octets.size(), static_cast<off_t>(position)),
            static_cast<ssize_t>(octets.size()));
  ::close(fd);
}

void Ecrire_U32(std::string& s, size_t position, uint32_t v, bool grand_boutiste = false) {
  for (int i = 0; i < 4; ++i)
    s[position + static_cast<size_t>(i)] = static_cast<char>(v >> (grand_boutiste ? 24 - 8 * i : 8 * i));
}

// Blocks really allocated: a sparse file holds far fewer than its size.
bool Creux(const fs::path& f) {
  struct stat e{};
  return ::stat(f.c_str(), &e) == 0 && static_cast<uint64_t>(e.st_blocks) * 512 < 64 * Mo;
}

// What identifies a file too big to compare byte for byte: size, blocks and last write.
struct TEmpreinte {
  off_t taille;
  blkcnt_t blocs;
  struct timespec modification;
  bool operator==(const TEmpreinte& a) const {
    return taille == a.taille && blocs == a.blocs && modification.tv_sec == a.modification.tv_sec &&
           modification.tv_nsec == a.modification.tv_nsec;
  }
};
TEmpreinte Empreinte(const fs::path& f) {
  struct stat e{};
  ::stat(f.c_str(), &e);
  return {e.st_size, e.st_blocks, e.st_mtim};
}

std::string Debut_Fichier(const fs::path& f, size_t n) {
  std::ifstream e(f, std::ios::binary);
  std::string s(n, '\0');
  e.read(s.data(), static_cast<std::streamsize>(n));
  s.resize(static_cast<size_t>(e.gcount()));
  return s;
}

// ---- A calculation ----

struct TResultat {
  std::string erreur;                 // the error raised, "" when none
  std::vector<std::string> messages;  // the program's own message boxes
  TTAB_VALEURS TOT_RUB;
  recap::TGrille grille;
  recap::TBilan_Recap bilan;
};

TResultat Calculer(const std::string& dossier) {
  TResultat r;
  try {
    recap::Calculer_Recap(dossier, "03-2011", r.TOT_RUB, r.grille,
                          [&r](const std::string& m) { r.messages.push_back(m); }, r.bilan);
  } catch (const plateforme::EKorvex& e) {
    r.erreur = e.what();
  } catch (const std::exception& e) {
    // Not one of the program's own errors: the user would see no French message.
    r.erreur = std::string("exception imprévue : ") + e.what();
  }
  return r;
}

// A folder on a memory file system when there is one: reading gigabytes of holes there costs
// no disk cache, so that the test takes a second rather than half a minute.
class TDossierCreux {
public:
  TDossierCreux() {
    static int compteur = 0;
    const fs::path racine = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    chemin_ = racine / ("korvex-hostile-" + std::to_string(::getpid()) + "-" + std::to_string(compteur++));
    fs::create_directories(chemin_);
  }
  ~TDossierCreux() {
    std::error_code ignore;
    fs::permissions(chemin_, fs::perms::owner_all, fs::perm_options::add, ignore);
    fs::remove_all(chemin_, ignore);
  }
  TDossierCreux(const TDossierCreux&) = delete;
  TDossierCreux& operator=(const TDossierCreux&) = delete;
  const fs::path& Chemin() const { return chemin_; }
  std::string Texte() const { return chemin_.string(); }

private:
  fs::path chemin_;
};

struct HostileTest : ::testing::Test {
  TDossierCreux dossier;
  void SetUp() override {
    plateforme::Fixer_Separateurs(U'.', U' ');
    test::Ecrire_Rubriques(dossier.Chemin(), {{"Salaire", "1"}, {"Cotisation", "2"}});
  }
  void TearDown() override { plateforme::Installer_Injecteur_Pannes({}); }
  fs::path Fichier(const char* nom) const { return dossier.Chemin() / nom; }
  std::string Texte(const char* nom) const { return dossier.Texte() + "\\" + nom; }
};

// ---- A table of several gigabytes ----

// Two payslips, the first record and the last, around gigabytes of empty records in a hole.
TEST_F(HostileTest, ASparsePayslipTableOfSeveralGigabytesIsScannedInBoundedMemory) {
  std::vector<test::TChampEcrit> champs = {{"MOIS", 'C', 7}, {"MONTANTS", 'M', 10}};
  for (int i = 0; i < 250; ++i) champs.push_back({"F" + std::to_string(i), 'C', 254});
  test::Ecrire_Table(Fichier("PAIES.DTA"), champs,
                     {{{"03-2011", "H\r\n0011520.00\r\n"}}, {{"03-2011", "H\r\n001100.10\r\n002-3\r\n"}}});
  const size_t entete = 32 + 32 * champs.size() + 1, longueur = 1 + 7 + 10 + 250 * 254;
  const std::string tout = Debut_Fichier(Fichier("PAIES.DTA"), entete + 2 * longueur);
  ASSERT_EQ(tout.size(), entete + 2 * longueur);
  const uint64_t nombre = (9 * Go / 2) / longueur;  // 4.5 GB of records
  std::string tete = tout.substr(0, entete + longueur);
  Ecrire_U32(tete, 4, static_cast<uint32_t>(nombre));
  fs::remove(Fichier("PAIES.DTA"));
  Ecrire_A(Fichier("PAIES.DTA"), 0, tete);
  Ecrire_A(Fichier("PAIES.DTA"), entete + (nombre - 1) * longueur, tout.substr(entete + longueur) + "\x1A");
  ASSERT_EQ(fs::file_size(Fichier("PAIES.DTA")), entete + nombre * longueur + 1);
  if (!Creux(Fichier("PAIES.DTA"))) GTEST_SKIP() << "ce système de fichiers n'a pas de fichiers creux";
  const TEmpreinte avant = Empreinte(Fichier("PAIES.DTA"));
  const std::string memo = test::Contenu(Fichier("PAIES.DBT"));

  TResultat r;
  const uint64_t memoire = Memoire_Ajoutee([&] { r = Calculer(dossier.Texte()); });
  // The empty records are payslips of no month: the two real ones are totalled.
  EXPECT_EQ(r.erreur, "");
  EXPECT_TRUE(r.messages.empty());
  EXPECT_EQ(r.grille.Cells(3, 1), "1620.1");
  EXPECT_EQ(r.grille.Cells(4, 2), "-3");
  EXPECT_LT(memoire, Memoire_Permise) << memoire / Mo << " Mo";
  EXPECT_TRUE(Empreinte(Fichier("PAIES.DTA")) == avant);
  EXPECT_EQ(Debut_Fichier(Fichier("PAIES.DTA"), tete.size()), tete);
  EXPECT_EQ(test::Contenu(Fichier("PAIES.DBT")), memo);
  EXPECT_FALSE(fs::exists(Fichier("PAIES.DBF")));
}

// ---- Memos that announce 4 GB ----

// A payslip table whose one memo starts at block 1 of its memo file, in the given format.
void Ecrire_Paie_Au_Bloc_1(const HostileTest& t, char version, const char* nom_memo,
                           const std::string& bloc_1, uint64_t taille_memo) {
  test::Ecrire_Paies(t.dossier.Chemin(), {{"03-2011", "x"}});
  fs::remove(t.Fichier("PAIES.DBT"));
  std::string table = test::Contenu(t.Fichier("PAIES.DTA"));
  table[0] = version;
  Ecrire_A(t.Fichier("PAIES.DTA"), 0, table);
  std::string entete(512, '\0');
  if (version == '\xF5') {
    entete[6] = 0x02;  // FoxPro: 512-byte blocks, big-endian at offset 6
  } else {
    entete[20] = 0x00;  // dBase IV: 512-byte blocks at offset 20
    entete[21] = 0x02;
  }
  Ecrire_A(t.Fichier(nom_memo), 0, entete + bloc_1);
  if (taille_memo > entete.size() + bloc_1.size()) fs::resize_file(t.Fichier(nom_memo), taille_memo);
}

std::string Memo_IV(uint32_t longueur) {
  std::string b = "\xFF\xFF\x08\x00" + std::string(4, '\0') + "H\r\n0011.00\r\n";
  Ecrire_U32(b, 4, longueur);
  return b;
}

std::string Memo_Fox(uint32_t longueur) {
  std::string b(8, '\0');
  Ecrire_U32(b, 0, 1, true);  // a text memo
  Ecrire_U32(b, 4, longueur, true);
  return b + "H\r\n0011.00\r\n";
}

struct TCasMemo {
  const char* nom;
  char version;
  const char* fichier_memo;
  std::string bloc_1;
  uint64_t taille_memo;  // beyond the written bytes, a hole
};

// The memo's table and file are written: a calculation over them.
TResultat Verifier_Memo_Hostile(HostileTest& t, const TCasMemo& k) {
  const std::string table = test::Contenu(t.Fichier("PAIES.DTA"));
  const TEmpreinte memo = Empreinte(t.Fichier(k.fichier_memo));
  TResultat r;
  const uint64_t memoire = Memoire_Ajoutee([&] { r = Calculer(t.dossier.Texte()); });
  EXPECT_LT(memoire, Memoire_Permise) << memoire / Mo << " Mo";
  EXPECT_TRUE(r.messages.empty());
  // A damaged memo leaves its payslip out with a warning that names the memo file; read whole,
  // the memo's one amount line comes before gigabytes of NULs, which end its text.
  EXPECT_EQ(r.erreur, "");
  if (!r.bilan.Avertissements.empty()) {
    EXPECT_NE(r.bilan.Avertissements[0].find(t.Texte(k.fichier_memo)), std::string::npos) << r.bilan.Avertissements[0];
    EXPECT_EQ(r.bilan.Bulletins, 0);
  } else {
    EXPECT_EQ(r.TOT_RUB[1], 1.0L);
  }
  EXPECT_EQ(test::Contenu(t.Fichier("PAIES.DTA")), table);
  EXPECT_TRUE(Empreinte(t.Fichier(k.fichier_memo)) == memo);
  EXPECT_FALSE(fs::exists(t.Fichier("PAIES.DBF")));
  return r;
}

TEST_F(HostileTest, AMemoAnnouncingFourGigabytesInASmallFileIsLeftOutWithAWarning) {
  const std::vector<TCasMemo> cas = {
      {"dBase IV", '\x8B', "PAIES.DBT", Memo_IV(0xFFFFFFFFu), 0},
      {"dBase IV, longueur sous ses 8 octets", '\x8B', "PAIES.DBT", Memo_IV(4), 0},
      {"FoxPro", '\xF5', "PAIES.FPT", Memo_Fox(0xFFFFFFFFu), 0},
  };
  for (const auto& k : cas) {
    SCOPED_TRACE(k.nom);
    Ecrire_Paie_Au_Bloc_1(*this, k.version, k.fichier_memo, k.bloc_1, k.taille_memo);
    EXPECT_EQ(Verifier_Memo_Hostile(*this, k).bilan.Avertissements.size(), 1u);
    fs::remove(Fichier(k.fichier_memo));
  }
}

// The memo file really is that long (a hole): reading the memo whole would take gigabytes.
TEST_F(HostileTest, AMemoOfFourGigabytesInASparseFileStaysWithinBoundedMemory) {
  const uint64_t taille = 4 * Go + 64 * Mo;
  const std::vector<TCasMemo> cas = {
      {"dBase IV", '\x8B', "PAIES.DBT", Memo_IV(0xFFFFFFF0u), taille},
      {"FoxPro", '\xF5', "PAIES.FPT", Memo_Fox(0xFFFFFFF0u), taille},
      {"dBase III sans marque de fin", '\x83', "PAIES.DBT", "H\r\n0011.00\r\n", taille},
  };
  for (const auto& k : cas) {
    SCOPED_TRACE(k.nom);
    Ecrire_Paie_Au_Bloc_1(*this, k.version, k.fichier_memo, k.bloc_1, k.taille_memo);
    if (!Creux(Fichier(k.fichier_memo))) GTEST_SKIP() << "ce système de fichiers n'a pas de fichiers creux";
    Verifier_Memo_Hostile(*this, k);
    fs::remove(Fichier(k.fichier_memo));
  }
}

// ---- Folders the program may not read or write ----

// Runs a calculation in a child process, as the unprivileged user when the tests run as root,
// optionally on a read-only view of the folder. The child sends back the error or the message.
struct TEnfant {
  bool possible = false;  // false: the child could not take the user or the mount
  std::string sortie;
};

TEnfant Calculer_Dans_Enfant(const std::string& dossier, bool lecture_seule) {
  int tube[2];
  if (::pipe(tube) != 0) return {};
  const pid_t pid = ::fork();
  if (pid < 0) return {};
  if (pid == 0) {
    ::close(tube[0]);
    std::string sortie = "!";
    bool pret = true;
    if (lecture_seule) {
      pret = ::unshare(CLONE_NEWNS) == 0 &&
             ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
             ::mount(dossier.c_str(), dossier.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
             ::mount(nullptr, dossier.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    if (pret && ::geteuid() == 0) pret = ::setgid(65534) == 0 && ::setuid(65534) == 0;
    if (pret) {
      const TResultat r = Calculer(dossier);
      sortie = r.erreur.empty() ? (r.messages.empty() ? "=" + r.grille.Cells(3, 1) : "?" + r.messages[0])
                                : "E" + r.erreur;
    }
    [[maybe_unused]] const auto ecrits = ::write(tube[1], sortie.data(), sortie.size());
    ::_exit(0);
  }
  ::close(tube[1]);
  std::string sortie;
  char tampon[512];
  for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;)
    sortie.append(tampon, static_cast<size_t>(n));
  ::close(tube[0]);
  int etat = 0;
  ::waitpid(pid, &etat, 0);
  if (sortie.empty() || sortie[0] == '!') return {};
  return {true, sortie};
}

TEST_F(HostileTest, FoldersWithoutReadOrWritePermission) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", "H\r\n0011520.00\r\n"}});
  // The folder must be reachable by the unprivileged user: a control run must succeed.
  fs::permissions(dossier.Chemin(), fs::perms::all);
  const TEnfant temoin = Calculer_Dans_Enfant(dossier.Texte(), false);
  if (!temoin.possible || temoin.sortie != "=1520")
    GTEST_SKIP() << "pas d'utilisateur sans privilèges pour ce dossier (" << temoin.sortie
                 << ") : voir le test par la couture de fichiers";
  const std::string dta = Texte("PAIES.DTA"), dbf = Texte("PAIES.DBF");
  const std::string paies = test::Contenu(Fichier("PAIES.DTA"));
  struct Cas {
    fs::perms dossier, fichier;
    std::string attendu;
  };
  using p = fs::perms;
  const p lecture_fichier = p::owner_read | p::group_read | p::others_read;
  const std::vector<Cas> cas = {
      // Listing refused, but names reachable: the calculation needs no listing.
      {p::owner_write | p::owner_exec | p::group_write | p::group_exec | p::others_write | p::others_exec,
       lecture_fichier, "=1520"},
      // Nothing may be written: the rename is refused, nothing is read.
      {p::owner_read | p::owner_exec | p::group_read | p::group_exec | p::others_read | p::others_exec,
       lecture_fichier, "EImpossible de renommer " + dta + " en " + dbf + " : accès refusé"},
      // Nothing may be reached: the file is not found.
      {p::none, lecture_fichier, "?Fichier " + dta + " Non trouvé"},
      // The payslip file itself may not be read: renamed, refused, renamed back, and named by
      // the name it has again.
      {p::all, p::none, "EImpossible d'ouvrir le fichier " + dta + " : accès refusé"},
  };
  for (const auto& k : cas) {
    fs::permissions(Fichier("PAIES.DTA"), k.fichier);
    fs::permissions(dossier.Chemin(), k.dossier);
    const TEnfant r = Calculer_Dans_Enfant(dossier.Texte(), false);
    fs::permissions(dossier.Chemin(), fs::perms::all);
    fs::permissions(Fichier("PAIES.DTA"), lecture_fichier | p::owner_write);
    EXPECT_TRUE(r.possible);
    // The table layer may add where it was reading after the file and the reason.
    EXPECT_EQ(r.sortie.substr(0, k.attendu.size()), k.attendu) << r.sortie;
    EXPECT_EQ(test::Contenu(Fichier("PAIES.DTA")), paies);
    EXPECT_FALSE(fs::exists(Fichier("PAIES.DBF")));
  }
}

TEST_F(HostileTest, AFolderOnAReadOnlyMount) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", "H\r\n0011520.00\r\n"}});
  fs::permissions(dossier.Chemin(), fs::perms::all);
  const std::string paies = test::Contenu(Fichier("PAIES.DTA"));
  const std::string attendu = "Impossible de renommer " + Texte("PAIES.DTA") + " en " + Texte("PAIES.DBF") +
                              " : le support est en lecture seule";
  const TEnfant r = Calculer_Dans_Enfant(dossier.Texte(), true);
  if (r.possible) {
    EXPECT_EQ(r.sortie, "E" + attendu);
  } else {
    // No mount allowed here: the file layer's seam answers as a read-only medium does.
    plateforme::Installer_Injecteur_Pannes(
        [](plateforme::TOperationFichier op, const std::string&) -> std::optional<std::string> {
          if (op == plateforme::TOperationFichier::Renommer) return "le support est en lecture seule";
          return std::nullopt;
        });
    EXPECT_EQ(Calculer(dossier.Texte()).erreur, attendu);
  }
  EXPECT_EQ(test::Contenu(Fichier("PAIES.DTA")), paies);
  EXPECT_FALSE(fs::exists(Fichier("PAIES.DBF")));
}

// Where no unprivileged user is available, the same refusals through the file layer's seam.
TEST_F(HostileTest, PermissionRefusalsThroughTheSeam) {
  test::Ecrire_Paies(dossier.Chemin(), {{"03-2011", "H\r\n0011520.00\r\n"}});
  const std::string dta = Texte("PAIES.DTA"), dbf = Texte("PAIES.DBF");
  const std::string paies = test::Contenu(Fichier("PAIES.DTA"));
  struct Cas {
    plateforme::TOperationFichier op;
    std::string attendu;
  };
  const std::vector<Cas> cas = {
      {plateforme::TOperationFichier::Renommer,
       "Impossible de renommer " + dta + " en " + dbf + " : accès refusé"},
      {plateforme::TOperationFichier::Ouvrir, "Impossible d'ouvrir le fichier " + dta + " : accès refusé"},
  };
  for (const auto& k : cas) {
    plateforme::Installer_Injecteur_Pannes(
        [&k](plateforme::TOperationFichier op, const std::string&) -> std::optional<std::string> {
          if (op == k.op) return "accès refusé";
          return std::nullopt;
        });
    EXPECT_EQ(Calculer(dossier.Texte()).erreur, k.attendu);
    plateforme::Installer_Injecteur_Pannes({});
    EXPECT_EQ(test::Contenu(Fichier("PAIES.DTA")), paies);
    EXPECT_FALSE(fs::exists(Fichier("PAIES.DBF")));
  }
}

}  // namespace
#endif
