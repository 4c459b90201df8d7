#include "platform/Fichiers.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <utility>

#include "platform/Erreurs.h"
#include "platform/Textes.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#else
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace plateforme {

namespace {

TInjecteurPannes& Injecteur() {
  static TInjecteurPannes injecteur;
  return injecteur;
}

std::optional<std::string> Panne_Injectee(TOperationFichier operation, const std::string& chemin) {
  const auto& injecteur = Injecteur();
  if (!injecteur) return std::nullopt;
  return injecteur(operation, chemin);
}

// FAT dates cover 1980 to 2107: a last-write time outside them makes the file unusable here.
bool Annee_Date_Fat(int annee) { return annee >= 1980 && annee <= 2107; }

#ifdef _WIN32

std::wstring Large(const std::string& texte) {
  if (texte.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, texte.data(), static_cast<int>(texte.size()), nullptr, 0);
  std::wstring large(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, texte.data(), static_cast<int>(texte.size()), large.data(), n);
  return large;
}

std::string Raison_Systeme(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return "fichier introuvable";
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return "le fichier existe déjà";
    case ERROR_ACCESS_DENIED: return "accès refusé";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "le fichier est utilisé par un autre programme";
    case ERROR_WRITE_PROTECT: return "le support est protégé en écriture";
    case ERROR_NOT_SAME_DEVICE: return "les deux noms sont sur des volumes différents";
    case ERROR_CRC:
    case ERROR_IO_DEVICE: return "erreur d'entrée-sortie";
    case ERROR_FILENAME_EXCED_RANGE: return "nom trop long";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return "nom de fichier incorrect";
    case ERROR_NOT_READY: return "le lecteur n'est pas prêt";
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return "chemin réseau introuvable";
    default: return "erreur système " + std::to_string(code);
  }
}

bool Est_Dossier(const std::wstring& chemin) {
  DWORD attributs = GetFileAttributesW(chemin.c_str());
  return attributs != INVALID_FILE_ATTRIBUTES && (attributs & FILE_ATTRIBUTE_DIRECTORY);
}

#else

std::string Raison_Systeme(int code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR: return "fichier introuvable";
    case EEXIST:
    case ENOTEMPTY: return "le fichier existe déjà";
    case EACCES:
    case EPERM: return "accès refusé";
    case EBUSY:
    case ETXTBSY: return "le fichier est utilisé par un autre programme";
    case EROFS: return "le support est en lecture seule";
    case EXDEV: return "les deux noms sont sur des volumes différents";
    case EIO: return "erreur d'entrée-sortie";
    case ENAMETOOLONG: return "nom trop long";
    case EISDIR: return "c'est un dossier";
    default: return "erreur système " + std::to_string(code);
  }
}

bool Entree_Existe(const std::string& chemin) {
  struct stat etat;
  return ::lstat(chemin.c_str(), &etat) == 0;
}

bool Egal_Sans_Casse(const char* a, const std::string& b) {
  size_t i = 0;
  for (; a[i] != '\0' && i < b.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return a[i] == '\0' && i == b.size();
}

// The entry of the folder whose name differs from nom only in letter case, if any.
std::optional<std::string> Entree_Sans_Casse(const std::string& dossier, const std::string& nom) {
  DIR* d = ::opendir(dossier.empty() ? "." : dossier.c_str());
  if (d == nullptr) return std::nullopt;
  std::optional<std::string> trouve;
  while (const dirent* e = ::readdir(d)) {
    if (Egal_Sans_Casse(e->d_name, nom)) {
      trouve = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return trouve;
}

#endif

}  // namespace

void Installer_Injecteur_Pannes(TInjecteurPannes injecteur) { Injecteur() = std::move(injecteur); }

#ifdef _WIN32

std::string Chemin_Systeme(const std::string& chemin) { return chemin; }

bool Fichier_Existe(const std::string& chemin) {
  if (Panne_Injectee(TOperationFichier::Existe, chemin)) return false;
  WIN32_FIND_DATAW donnees;
  HANDLE h = FindFirstFileW(Large(chemin).c_str(), &donnees);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  if (donnees.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  // The years are checked here rather than by FileTimeToDosDateTime: Wine's accepts 2108 and later.
  FILETIME locale;
  SYSTEMTIME date;
  return FileTimeToLocalFileTime(&donnees.ftLastWriteTime, &locale) &&
         FileTimeToSystemTime(&locale, &date) && Annee_Date_Fat(date.wYear);
}

bool Nom_Pris(const std::string& chemin) {
  if (Panne_Injectee(TOperationFichier::Existe, chemin)) return false;
  return GetFileAttributesW(Large(chemin).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Renommer_Sans_Remplacer(const std::string& de, const std::string& vers) {
  if (auto panne = Panne_Injectee(TOperationFichier::Renommer, de)) return panne;
  if (MoveFileExW(Large(de).c_str(), Large(vers).c_str(), 0)) return std::nullopt;
  return Raison_Systeme(GetLastError());
}

TFichierLecture::TFichierLecture(const std::string& chemin) : chemin_(chemin) {
  if (auto panne = Panne_Injectee(TOperationFichier::Ouvrir, chemin))
    throw EKorvex("Impossible d'ouvrir le fichier " + chemin + " : " + *panne);
  // Other programs (the payroll application) may keep reading and writing the file meanwhile.
  const std::wstring large = Large(chemin);
  HANDLE h = CreateFileW(large.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    // Windows answers "access denied" for a folder.
    std::string raison = code == ERROR_ACCESS_DENIED && Est_Dossier(large) ? "c'est un dossier"
                                                                            : Raison_Systeme(code);
    throw EKorvex("Impossible d'ouvrir le fichier " + chemin + " : " + raison);
  }
  LARGE_INTEGER taille;
  if (!GetFileSizeEx(h, &taille)) {
    DWORD code = GetLastError();
    CloseHandle(h);
    throw EKorvex("Impossible d'ouvrir le fichier " + chemin + " : " + Raison_Systeme(code));
  }
  taille_ = static_cast<uint64_t>(taille.QuadPart);
  descripteur_ = reinterpret_cast<intptr_t>(h);
}

TFichierLecture::~TFichierLecture() { CloseHandle(reinterpret_cast<HANDLE>(descripteur_)); }

size_t TFichierLecture::Lire(uint64_t position, void* tampon, size_t n) const {
  if (auto panne = Panne_Injectee(TOperationFichier::Lire, chemin_))
    throw EKorvex("Erreur de lecture du fichier " + chemin_ + " : " + *panne);
  size_t total = 0;
  while (total < n) {
    OVERLAPPED o{};
    uint64_t p = position + total;
    o.Offset = static_cast<DWORD>(p);
    o.OffsetHigh = static_cast<DWORD>(p >> 32);
    DWORD lus = 0;
    DWORD demande = static_cast<DWORD>(std::min<size_t>(n - total, 1u << 30));
    if (!ReadFile(reinterpret_cast<HANDLE>(descripteur_), static_cast<char*>(tampon) + total,
                  demande, &lus, &o)) {
      DWORD code = GetLastError();
      if (code == ERROR_HANDLE_EOF) break;
      throw EKorvex("Erreur de lecture du fichier " + chemin_ + " : " + Raison_Systeme(code));
    }
    if (lus == 0) break;
    total += lus;
  }
  return total;
}

namespace {

std::string Etroit(const wchar_t* texte) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, texte, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string sortie(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, texte, -1, sortie.data(), n, nullptr, nullptr);
  sortie.resize(static_cast<size_t>(n) - 1);
  return sortie;
}

// The temporary file of a save: removed unless Garder() was called.
class TTemporaire {
public:
  explicit TTemporaire(std::wstring chemin) : chemin_(std::move(chemin)) {}
  ~TTemporaire() {
    if (!garde_) DeleteFileW(chemin_.c_str());
  }
  TTemporaire(const TTemporaire&) = delete;
  TTemporaire& operator=(const TTemporaire&) = delete;
  void Garder() { garde_ = true; }

private:
  std::wstring chemin_;
  bool garde_ = false;
};

}  // namespace

void Enregistrer_Fichier(const std::string& chemin, std::string_view contenu) {
  const auto echec = [&](DWORD code) { return EKorvex(textes::Enregistrement_Impossible(chemin, Raison_Systeme(code))); };
  const std::wstring cible = Large(chemin);
  const std::wstring temporaire = cible + L".tmp" + std::to_wstring(GetCurrentProcessId());
  HANDLE h = CreateFileW(temporaire.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw echec(GetLastError());
  TTemporaire garde(temporaire);
  size_t ecrits = 0;
  while (ecrits < contenu.size()) {
    DWORD n = 0;
    const DWORD demande = static_cast<DWORD>(std::min<size_t>(contenu.size() - ecrits, 1u << 30));
    if (!WriteFile(h, contenu.data() + ecrits, demande, &n, nullptr)) {
      const DWORD code = GetLastError();
      CloseHandle(h);
      throw echec(code);
    }
    ecrits += n;
  }
  const bool vide = FlushFileBuffers(h);
  const DWORD code_vidage = GetLastError();
  CloseHandle(h);
  if (!vide) throw echec(code_vidage);
  if (!MoveFileExW(temporaire.c_str(), cible.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    throw echec(GetLastError());
  garde.Garder();
}

std::string Dossier_Documents() {
  PWSTR chemin = nullptr;
  std::string dossier;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &chemin))) dossier = Etroit(chemin);
  CoTaskMemFree(chemin);
  return dossier;
}

#else

std::string Chemin_Systeme(const std::string& chemin) {
  std::string posix = chemin;
  for (char& c : posix)
    if (c == '\\') c = '/';
  if (Entree_Existe(posix)) return posix;
  // Folders copied from Windows often hold paies.dta: resolve each component without case.
  std::string resolu;
  size_t debut = 0;
  if (!posix.empty() && posix[0] == '/') {
    resolu = "/";
    debut = 1;
  }
  while (debut <= posix.size()) {
    size_t fin = posix.find('/', debut);
    if (fin == std::string::npos) fin = posix.size();
    std::string nom = posix.substr(debut, fin - debut);
    if (!nom.empty() && !Entree_Existe(resolu + nom)) {
      if (auto trouve = Entree_Sans_Casse(resolu, nom)) nom = *trouve;
    }
    resolu += nom;
    if (fin < posix.size()) resolu += '/';
    debut = fin + 1;
  }
  return resolu;
}

bool Fichier_Existe(const std::string& chemin) {
  if (Panne_Injectee(TOperationFichier::Existe, chemin)) return false;
  struct stat etat;
  if (::stat(Chemin_Systeme(chemin).c_str(), &etat) != 0 || S_ISDIR(etat.st_mode)) return false;
  struct tm local;
  if (::localtime_r(&etat.st_mtime, &local) == nullptr) return false;
  return Annee_Date_Fat(local.tm_year + 1900);
}

bool Nom_Pris(const std::string& chemin) {
  if (Panne_Injectee(TOperationFichier::Existe, chemin)) return false;
  return Entree_Existe(Chemin_Systeme(chemin));
}

std::optional<std::string> Renommer_Sans_Remplacer(const std::string& de, const std::string& vers) {
  if (auto panne = Panne_Injectee(TOperationFichier::Renommer, de)) return panne;
  const std::string source = Chemin_Systeme(de), cible = Chemin_Systeme(vers);
  if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, cible.c_str(), RENAME_NOREPLACE) == 0)
    return std::nullopt;
  if (errno != EINVAL && errno != ENOSYS) return Raison_Systeme(errno);
  // File systems without an atomic no-replace rename: a hard link refuses an existing target.
  if (::link(source.c_str(), cible.c_str()) != 0) return Raison_Systeme(errno);
  if (::unlink(source.c_str()) != 0) {
    int code = errno;
    ::unlink(cible.c_str());
    return Raison_Systeme(code);
  }
  return std::nullopt;
}

TFichierLecture::TFichierLecture(const std::string& chemin) : chemin_(chemin) {
  if (auto panne = Panne_Injectee(TOperationFichier::Ouvrir, chemin))
    throw EKorvex("Impossible d'ouvrir le fichier " + chemin + " : " + *panne);
  int fd = ::open(Chemin_Systeme(chemin).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EKorvex("Impossible d'ouvrir le fichier " + chemin + " : " + Raison_Systeme(errno));
  struct stat etat;
  int code = ::fstat(fd, &etat) != 0 ? errno : (S_ISDIR(etat.st_mode) ? EISDIR : 0);
  if (code != 0) {
    ::close(fd);
    throw EKorvex("Impossible d'ouvrir le fichier " + chemin + " : " + Raison_Systeme(code));
  }
  taille_ = static_cast<uint64_t>(etat.st_size);
  descripteur_ = fd;
}

TFichierLecture::~TFichierLecture() { ::close(static_cast<int>(descripteur_)); }

size_t TFichierLecture::Lire(uint64_t position, void* tampon, size_t n) const {
  if (auto panne = Panne_Injectee(TOperationFichier::Lire, chemin_))
    throw EKorvex("Erreur de lecture du fichier " + chemin_ + " : " + *panne);
  size_t total = 0;
  while (total < n) {
    ssize_t lus = ::pread(static_cast<int>(descripteur_), static_cast<char*>(tampon) + total,
                          n - total, static_cast<off_t>(position + total));
    if (lus < 0) {
      if (errno == EINTR) continue;
      throw EKorvex("Erreur de lecture du fichier " + chemin_ + " : " + Raison_Systeme(errno));
    }
    if (lus == 0) break;
    total += static_cast<size_t>(lus);
  }
  return total;
}

namespace {

// The temporary file of a save: removed unless Garder() was called.
class TTemporaire {
public:
  explicit TTemporaire(std::string chemin) : chemin_(std::move(chemin)) {}
  ~TTemporaire() {
    if (!garde_) ::unlink(chemin_.c_str());
  }
  TTemporaire(const TTemporaire&) = delete;
  TTemporaire& operator=(const TTemporaire&) = delete;
  void Garder() { garde_ = true; }

private:
  std::string chemin_;
  bool garde_ = false;
};

}  // namespace

void Enregistrer_Fichier(const std::string& chemin, std::string_view contenu) {
  const auto echec = [&](int code) { return EKorvex(textes::Enregistrement_Impossible(chemin, Raison_Systeme(code))); };
  std::string modele = chemin + ".XXXXXX";
  const int fd = ::mkstemp(modele.data());
  if (fd < 0) throw echec(errno);
  TTemporaire garde(modele);
  size_t ecrits = 0;
  while (ecrits < contenu.size()) {
    const ssize_t n = ::write(fd, contenu.data() + ecrits, contenu.size() - ecrits);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int code = errno;
      ::close(fd);
      throw echec(code);
    }
    ecrits += static_cast<size_t>(n);
  }
  // mkstemp makes the file private; a saved recap gets the usual rights.
  const mode_t masque = ::umask(0);
  ::umask(masque);
  ::fchmod(fd, 0666 & ~masque);
  if (::fsync(fd) != 0 || ::close(fd) != 0) throw echec(errno);
  if (::rename(modele.c_str(), chemin.c_str()) != 0) throw echec(errno);
  garde.Garder();
}

std::string Dossier_Documents() {
  const char* maison = std::getenv("HOME");
  if (maison == nullptr || *maison == '\0') return {};
  const std::string documents = std::string(maison) + "/Documents";
  struct stat etat;
  return ::stat(documents.c_str(), &etat) == 0 && S_ISDIR(etat.st_mode) ? documents : maison;
}

#endif

}  // namespace plateforme
