#include "platform/Fichiers.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <utility>

#include "platform/Caracteres.h"
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

std::string Raison_Systeme(DWORD code) {
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return textes::Raison_Introuvable;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return textes::Raison_Existe_Deja;
    case ERROR_ACCESS_DENIED: return textes::Raison_Acces_Refuse;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return textes::Raison_Utilise;
    case ERROR_WRITE_PROTECT: return textes::Raison_Protege_Ecriture;
    case ERROR_NOT_SAME_DEVICE: return textes::Raison_Volumes_Differents;
    case ERROR_CRC:
    case ERROR_IO_DEVICE: return textes::Raison_Entree_Sortie;
    case ERROR_FILENAME_EXCED_RANGE: return textes::Raison_Nom_Trop_Long;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME: return textes::Raison_Nom_Incorrect;
    case ERROR_NOT_READY: return textes::Raison_Lecteur_Pas_Pret;
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return textes::Raison_Reseau_Introuvable;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return textes::Raison_Disque_Plein;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return textes::Raison_Memoire;
    case ERROR_TOO_MANY_OPEN_FILES: return textes::Raison_Trop_De_Fichiers;
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
    case ERROR_NETWORK_UNREACHABLE: return textes::Raison_Reseau_Perdu;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION: return textes::Raison_Non_Pris_En_Charge;
    case ERROR_DEV_NOT_EXIST: return textes::Raison_Peripherique_Absent;
    default: return textes::Raison_Non_Repertoriee(static_cast<long>(code));
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
    case ENOTDIR: return textes::Raison_Introuvable;
    case EEXIST:
    case ENOTEMPTY: return textes::Raison_Existe_Deja;
    case EACCES:
    case EPERM: return textes::Raison_Acces_Refuse;
    case EBUSY:
    case ETXTBSY: return textes::Raison_Utilise;
    case EROFS: return textes::Raison_Lecture_Seule;
    case EXDEV: return textes::Raison_Volumes_Differents;
    case EIO: return textes::Raison_Entree_Sortie;
    case ENAMETOOLONG: return textes::Raison_Nom_Trop_Long;
    case EISDIR: return textes::Raison_Dossier;
    case ENOSPC:
    case EDQUOT: return textes::Raison_Disque_Plein;
    case ENOMEM: return textes::Raison_Memoire;
    case EMFILE:
    case ENFILE: return textes::Raison_Trop_De_Fichiers;
    case ENOTCONN:
    case ECONNABORTED:
    case ECONNRESET:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ESTALE: return textes::Raison_Reseau_Perdu;
    case EINVAL:
    case ENOSYS:
    case ENOTSUP:
#if EOPNOTSUPP != ENOTSUP
    case EOPNOTSUPP:
#endif
    case EMLINK: return textes::Raison_Non_Pris_En_Charge;
    case ELOOP: return textes::Raison_Trop_De_Liens;
    case EAGAIN:
    case EINTR: return textes::Raison_Indisponible;
    case EFBIG:
    case EOVERFLOW: return textes::Raison_Trop_Grand;
    case ENXIO:
    case ENODEV: return textes::Raison_Peripherique_Absent;
    default: return textes::Raison_Non_Repertoriee(code);
  }
}

bool Entree_Existe(const std::string& chemin) {
  struct stat etat;
  return ::lstat(chemin.c_str(), &etat) == 0;
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

// What the file system answers when it has no such call (FUSE mounts of SMB or SFTP shares).
bool Sans_Renommage_Atomique(int code) {
  return code == EINVAL || code == ENOSYS || code == ENOTSUP || code == EOPNOTSUPP;
}
bool Sans_Liens(int code) { return code == EPERM || code == ENOSYS || code == ENOTSUP || code == EOPNOTSUPP; }

// renameat2, unless a test makes the file system lack it.
int Renommer_Atomique(const std::string& source, const std::string& cible) {
  if (Panne_Injectee(TOperationFichier::Sans_Renommage_Atomique, source)) {
    errno = EINVAL;
    return -1;
  }
  return ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, cible.c_str(), RENAME_NOREPLACE);
}

int Lier(const std::string& source, const std::string& cible) {
  if (Panne_Injectee(TOperationFichier::Sans_Lien, source)) {
    errno = EPERM;
    return -1;
  }
  return ::link(source.c_str(), cible.c_str());
}

#endif

// The temporary file of a save, removed unless the save went through.
template <class TChemin>
struct TTemporaire {
  TChemin Chemin;
  void (*Supprimer)(const TChemin&);
  bool Garder = false;
  ~TTemporaire() {
    if (!Garder) Supprimer(Chemin);
  }
};

}  // namespace

void Installer_Injecteur_Pannes(TInjecteurPannes injecteur) { Injecteur() = std::move(injecteur); }

#ifdef _WIN32

std::string Chemin_Systeme(const std::string& chemin) { return chemin; }

std::string Nom_Exact(const std::string& chemin) {
  WIN32_FIND_DATAW donnees;
  HANDLE h = FindFirstFileW(Vers_Utf16(chemin).c_str(), &donnees);
  if (h == INVALID_HANDLE_VALUE) return chemin;
  FindClose(h);
  const size_t dossier = chemin.find_last_of("\\/:");
  return chemin.substr(0, dossier == std::string::npos ? 0 : dossier + 1) + Vers_Utf8(donnees.cFileName);
}

bool Fichier_Existe(const std::string& chemin) {
  if (Panne_Injectee(TOperationFichier::Existe, chemin)) return false;
  WIN32_FIND_DATAW donnees;
  HANDLE h = FindFirstFileW(Vers_Utf16(chemin).c_str(), &donnees);
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
  return GetFileAttributesW(Vers_Utf16(chemin).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Renommer_Sans_Remplacer(const std::string& de, const std::string& vers) {
  if (auto panne = Panne_Injectee(TOperationFichier::Renommer, de)) return panne;
  if (MoveFileExW(Vers_Utf16(de).c_str(), Vers_Utf16(vers).c_str(), 0)) return std::nullopt;
  return Raison_Systeme(GetLastError());
}

TFichierLecture::TFichierLecture(const std::string& chemin) : chemin_(chemin) {
  if (auto panne = Panne_Injectee(TOperationFichier::Ouvrir, chemin))
    throw EKorvex(textes::Ouverture_Impossible(chemin, *panne));
  // Other programs (the payroll application) may keep reading and writing the file meanwhile.
  const std::wstring large = Vers_Utf16(chemin);
  HANDLE h = CreateFileW(large.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD code = GetLastError();
    // Windows answers "access denied" for a folder.
    std::string raison = code == ERROR_ACCESS_DENIED && Est_Dossier(large) ? textes::Raison_Dossier
                                                                            : Raison_Systeme(code);
    throw EKorvex(textes::Ouverture_Impossible(chemin, raison));
  }
  LARGE_INTEGER taille;
  if (!GetFileSizeEx(h, &taille)) {
    DWORD code = GetLastError();
    CloseHandle(h);
    throw EKorvex(textes::Ouverture_Impossible(chemin, Raison_Systeme(code)));
  }
  taille_ = static_cast<uint64_t>(taille.QuadPart);
  descripteur_ = reinterpret_cast<intptr_t>(h);
}

TFichierLecture::~TFichierLecture() { CloseHandle(reinterpret_cast<HANDLE>(descripteur_)); }

size_t TFichierLecture::Lire(uint64_t position, void* tampon, size_t n) const {
  if (auto panne = Panne_Injectee(TOperationFichier::Lire, chemin_))
    throw EKorvex(textes::Lecture_Impossible(chemin_, *panne));
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
      throw EKorvex(textes::Lecture_Impossible(chemin_, Raison_Systeme(code)));
    }
    if (lus == 0) break;
    total += lus;
  }
  return total;
}

void Enregistrer_Fichier(const std::string& chemin, std::string_view contenu) {
  const auto echec = [&](DWORD code) { return EKorvex(textes::Enregistrement_Impossible(chemin, Raison_Systeme(code))); };
  const std::wstring cible = Vers_Utf16(chemin);
  const std::wstring temporaire = cible + L".tmp" + std::to_wstring(GetCurrentProcessId());
  HANDLE h = CreateFileW(temporaire.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw echec(GetLastError());
  TTemporaire<std::wstring> garde{temporaire, [](const std::wstring& c) { DeleteFileW(c.c_str()); }};
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
  garde.Garder = true;
}

std::string Dossier_Documents() {
  PWSTR chemin = nullptr;
  std::string dossier;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &chemin))) dossier = Vers_Utf8(chemin);
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

std::string Nom_Exact(const std::string& chemin) { return Chemin_Systeme(chemin); }

std::optional<std::string> Renommer_Sans_Remplacer(const std::string& de, const std::string& vers) {
  if (auto panne = Panne_Injectee(TOperationFichier::Renommer, de)) return panne;
  const std::string source = Chemin_Systeme(de), cible = Chemin_Systeme(vers);
  if (Renommer_Atomique(source, cible) == 0) return std::nullopt;
  if (!Sans_Renommage_Atomique(errno)) return Raison_Systeme(errno);
  // Without an atomic no-replace rename, a hard link still refuses an existing target.
  if (Lier(source, cible) == 0) {
    if (::unlink(source.c_str()) == 0) return std::nullopt;
    const int code = errno;
    ::unlink(cible.c_str());
    return Raison_Systeme(code);
  }
  if (!Sans_Liens(errno)) return Raison_Systeme(errno);
  // Neither (SMB or SFTP shares through FUSE): nothing on such a file system refuses an
  // existing target, so the check comes right before a plain rename. Another program could
  // still create the name between the two; this is the least window that file system leaves.
  if (Entree_Existe(cible)) return std::string(textes::Raison_Existe_Deja);
  if (::rename(source.c_str(), cible.c_str()) == 0) return std::nullopt;
  return Raison_Systeme(errno);
}

TFichierLecture::TFichierLecture(const std::string& chemin) : chemin_(chemin) {
  if (auto panne = Panne_Injectee(TOperationFichier::Ouvrir, chemin))
    throw EKorvex(textes::Ouverture_Impossible(chemin, *panne));
  int fd = ::open(Chemin_Systeme(chemin).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EKorvex(textes::Ouverture_Impossible(chemin, Raison_Systeme(errno)));
  struct stat etat;
  int code = ::fstat(fd, &etat) != 0 ? errno : (S_ISDIR(etat.st_mode) ? EISDIR : 0);
  if (code != 0) {
    ::close(fd);
    throw EKorvex(textes::Ouverture_Impossible(chemin, Raison_Systeme(code)));
  }
  taille_ = static_cast<uint64_t>(etat.st_size);
  descripteur_ = fd;
}

TFichierLecture::~TFichierLecture() { ::close(static_cast<int>(descripteur_)); }

size_t TFichierLecture::Lire(uint64_t position, void* tampon, size_t n) const {
  if (auto panne = Panne_Injectee(TOperationFichier::Lire, chemin_))
    throw EKorvex(textes::Lecture_Impossible(chemin_, *panne));
  size_t total = 0;
  while (total < n) {
    ssize_t lus = ::pread(static_cast<int>(descripteur_), static_cast<char*>(tampon) + total,
                          n - total, static_cast<off_t>(position + total));
    if (lus < 0) {
      if (errno == EINTR) continue;
      throw EKorvex(textes::Lecture_Impossible(chemin_, Raison_Systeme(errno)));
    }
    if (lus == 0) break;
    total += static_cast<size_t>(lus);
  }
  return total;
}

void Enregistrer_Fichier(const std::string& chemin, std::string_view contenu) {
  const auto echec = [&](int code) { return EKorvex(textes::Enregistrement_Impossible(chemin, Raison_Systeme(code))); };
  std::string modele = chemin + ".XXXXXX";
  const int fd = ::mkstemp(modele.data());
  if (fd < 0) throw echec(errno);
  TTemporaire<std::string> garde{modele, [](const std::string& c) { ::unlink(c.c_str()); }};
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
  garde.Garder = true;
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
