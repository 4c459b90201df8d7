// The file calls on POSIX: paths typed the Windows way, names found whatever their case.
#include "platform/Fichiers.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers_Interne.h"
#include "platform/Textes.h"

namespace plateforme {

using interne::Panne_Injectee;

namespace {

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

}  // namespace

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
  // Whatever its last-write time: a file copied from an old backup keeps its date.
  struct stat etat;
  return ::stat(Chemin_Systeme(chemin).c_str(), &etat) == 0 && !S_ISDIR(etat.st_mode);
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

TFichierLecture::TFichierLecture(const std::string& chemin, std::string nom, TInjecteurPannes injecteur)
    : chemin_(chemin), nom_(std::move(nom)), injecteur_(std::move(injecteur)) {
  if (auto panne = Panne_Injectee(injecteur_, TOperationFichier::Ouvrir, chemin))
    throw EKorvex(textes::Ouverture_Impossible(Nom(), *panne));
  int fd = ::open(Chemin_Systeme(chemin).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EKorvex(textes::Ouverture_Impossible(Nom(), Raison_Systeme(errno)));
  struct stat etat;
  int code = ::fstat(fd, &etat) != 0 ? errno : (S_ISDIR(etat.st_mode) ? EISDIR : 0);
  if (code != 0) {
    ::close(fd);
    throw EKorvex(textes::Ouverture_Impossible(Nom(), Raison_Systeme(code)));
  }
  taille_ = static_cast<uint64_t>(etat.st_size);
  descripteur_ = fd;
}

TFichierLecture::~TFichierLecture() { ::close(static_cast<int>(descripteur_)); }

size_t TFichierLecture::Lire(uint64_t position, void* tampon, size_t n) const {
  if (auto panne = Panne_Injectee(injecteur_, TOperationFichier::Lire, chemin_))
    throw EKorvex(textes::Lecture_Impossible(Nom(), *panne));
  size_t total = 0;
  while (total < n) {
    ssize_t lus = ::pread(static_cast<int>(descripteur_), static_cast<char*>(tampon) + total,
                          n - total, static_cast<off_t>(position + total));
    if (lus < 0) {
      if (errno == EINTR) continue;
      throw EKorvex(textes::Lecture_Impossible(Nom(), Raison_Systeme(errno)));
    }
    if (lus == 0) break;
    total += static_cast<size_t>(lus);
  }
  return total;
}

namespace {

// As many links as Linux follows in one path.
constexpr int Liens_Max = 40;

// The target of a symbolic link, a relative one read from the link's folder; nothing when the
// link cannot be read (errno says why).
std::optional<std::string> Cible_Lien(const std::string& lien) {
  std::string cible(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink(lien.c_str(), cible.data(), cible.size());
    if (n < 0) return std::nullopt;
    if (static_cast<size_t>(n) < cible.size()) {
      cible.resize(static_cast<size_t>(n));
      break;
    }
    cible.resize(cible.size() * 2);
  }
  const size_t dossier = lien.rfind('/');
  if (cible.starts_with('/') || dossier == std::string::npos) return cible;
  return lien.substr(0, dossier + 1) + cible;
}

interne::TGenre_Entree Genre_Entree(mode_t genre) {
  switch (genre) {
    case S_IFDIR: return interne::TGenre_Entree::Dossier;
    case S_IFIFO: return interne::TGenre_Entree::Tube;
    case S_IFSOCK: return interne::TGenre_Entree::Socket;
    default: return interne::TGenre_Entree::Peripherique;
  }
}

// The file a save replaces: chemin with its links followed, so that a link stays a link and its
// target gets the new content, and the rights of the regular file found there, if any. Anything
// but a regular file or no entry at all is refused here, before anything is written.
struct TCible_Enregistrement {
  std::string Chemin;
  std::optional<mode_t> Mode;
};

TCible_Enregistrement Cible_Enregistrement(const std::string& chemin) {
  const auto echec = [&](int code) { return EKorvex(textes::Enregistrement_Impossible(chemin, Raison_Systeme(code))); };
  std::string cible = chemin;
  for (int liens = 0;; ++liens) {
    struct stat etat;
    if (::lstat(cible.c_str(), &etat) != 0) {
      if (errno == ENOENT) return {cible, std::nullopt};
      throw echec(errno);
    }
    const mode_t genre = etat.st_mode & S_IFMT;
    if (genre == S_IFREG) return {cible, etat.st_mode & 0777};
    if (genre != S_IFLNK) interne::Refuser_Enregistrement(chemin, cible, Genre_Entree(genre));
    if (liens == Liens_Max) throw echec(ELOOP);
    const auto suivante = Cible_Lien(cible);
    if (!suivante) throw echec(errno);
    cible = *suivante;
  }
}

// The usual rights of a new file: mkstemp makes it private.
mode_t Mode_Nouveau_Fichier() {
  const mode_t masque = ::umask(0);
  ::umask(masque);
  return 0666 & ~masque;
}

}  // namespace

// Another program could still put something else under the name between the check and the
// rename: the least window a rename leaves.
void Enregistrer_Fichier(const std::string& chemin, std::string_view contenu) {
  const auto echec = [&](int code) { return EKorvex(textes::Enregistrement_Impossible(chemin, Raison_Systeme(code))); };
  const TCible_Enregistrement cible = Cible_Enregistrement(chemin);
  std::string modele = cible.Chemin + ".XXXXXX";
  const int fd = ::mkstemp(modele.data());
  if (fd < 0) throw echec(errno);
  interne::TTemporaire<std::string> garde{modele, [](const std::string& c) { ::unlink(c.c_str()); }};
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
  ::fchmod(fd, cible.Mode ? *cible.Mode : Mode_Nouveau_Fichier());
  if (::fsync(fd) != 0 || ::close(fd) != 0) throw echec(errno);
  if (::rename(modele.c_str(), cible.Chemin.c_str()) != 0) throw echec(errno);
  garde.Garder = true;
}

TFichierTemporaire::TFichierTemporaire(const std::string& extension) {
  const char* dossier = std::getenv("TMPDIR");
  std::string modele = std::string(dossier != nullptr && *dossier != '\0' ? dossier : "/tmp") + "/korvex-XXXXXX" + extension;
  const int fd = ::mkstemps(modele.data(), static_cast<int>(extension.size()));
  if (fd < 0) throw EKorvex(textes::Temporaire_Impossible(modele, Raison_Systeme(errno)));
  ::close(fd);
  chemin_ = chemin_c_ = modele;
}

TFichierTemporaire::~TFichierTemporaire() { ::unlink(chemin_.c_str()); }

std::string Dossier_Documents() {
  const char* maison = std::getenv("HOME");
  if (maison == nullptr || *maison == '\0') return {};
  const std::string documents = std::string(maison) + "/Documents";
  struct stat etat;
  return ::stat(documents.c_str(), &etat) == 0 && S_ISDIR(etat.st_mode) ? documents : maison;
}

}  // namespace plateforme
