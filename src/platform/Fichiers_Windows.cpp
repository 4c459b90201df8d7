// The file calls on Windows: the W functions, paths in UTF-16.
#include "platform/Fichiers.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <utility>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers_Interne.h"
#include "platform/Textes.h"

namespace plateforme {

using interne::Panne_Injectee;

namespace {

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

}  // namespace

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
  // Whatever its last-write time: a file copied from an old backup keeps its date.
  return (donnees.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
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

TFichierLecture::TFichierLecture(const std::string& chemin, std::string nom, TInjecteurPannes injecteur)
    : chemin_(chemin), nom_(std::move(nom)), injecteur_(std::move(injecteur)) {
  if (auto panne = Panne_Injectee(injecteur_, TOperationFichier::Ouvrir, chemin))
    throw EKorvex(textes::Ouverture_Impossible(Nom(), *panne));
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
    throw EKorvex(textes::Ouverture_Impossible(Nom(), raison));
  }
  LARGE_INTEGER taille;
  if (!GetFileSizeEx(h, &taille)) {
    DWORD code = GetLastError();
    CloseHandle(h);
    throw EKorvex(textes::Ouverture_Impossible(Nom(), Raison_Systeme(code)));
  }
  taille_ = static_cast<uint64_t>(taille.QuadPart);
  descripteur_ = reinterpret_cast<intptr_t>(h);
}

TFichierLecture::~TFichierLecture() { CloseHandle(reinterpret_cast<HANDLE>(descripteur_)); }

size_t TFichierLecture::Lire(uint64_t position, void* tampon, size_t n) const {
  if (auto panne = Panne_Injectee(injecteur_, TOperationFichier::Lire, chemin_))
    throw EKorvex(textes::Lecture_Impossible(Nom(), *panne));
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
      throw EKorvex(textes::Lecture_Impossible(Nom(), Raison_Systeme(code)));
    }
    if (lus == 0) break;
    total += lus;
  }
  return total;
}

namespace {

// What a W call writes into a buffer it sizes itself; empty when it fails.
template <class TAppel>
std::wstring Texte_Systeme(TAppel appel) {
  std::wstring texte(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = appel(texte.data(), static_cast<DWORD>(texte.size()));
    if (n == 0) return {};
    if (n < texte.size()) return texte.substr(0, n);
    texte.resize(n + 1);
  }
}

// A path as the user reads it, without the "\\?\" the system puts before a final path.
std::wstring Sans_Prefixe(const std::wstring& chemin) {
  if (chemin.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + chemin.substr(8);
  if (chemin.starts_with(L"\\\\?\\")) return chemin.substr(4);
  return chemin;
}

// The file a save replaces: the one the name leads to, links followed, so that a link stays a
// link; the name itself when nothing is there yet (or what cannot be opened, which the write
// then reports). A device name (NUL, CON, COM1, in any folder), a device, a pipe or a folder is
// refused before anything is written.
std::wstring Cible_Enregistrement(const std::string& chemin) {
  using interne::TGenre_Entree;
  const std::wstring large = Vers_Utf16(chemin);
  const std::wstring complet =
      Texte_Systeme([&](wchar_t* t, DWORD n) { return GetFullPathNameW(large.c_str(), n, t, nullptr); });
  if (complet.starts_with(L"\\\\.\\")) interne::Refuser_Enregistrement(chemin, chemin, TGenre_Entree::Peripherique);
  HANDLE h = CreateFileW(large.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return large;
  const DWORD type = GetFileType(h);
  BY_HANDLE_FILE_INFORMATION informations{};
  const bool dossier = GetFileInformationByHandle(h, &informations) &&
                       (informations.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const std::wstring finale = Texte_Systeme([&](wchar_t* t, DWORD n) { return GetFinalPathNameByHandleW(h, t, n, 0); });
  CloseHandle(h);
  const std::wstring lue = Sans_Prefixe(finale);
  const bool lien = !lue.empty() && CompareStringOrdinal(lue.c_str(), -1, complet.c_str(), -1, TRUE) != CSTR_EQUAL;
  const std::string cible = lien ? Vers_Utf8(lue) : chemin;
  if (type == FILE_TYPE_CHAR) interne::Refuser_Enregistrement(chemin, cible, TGenre_Entree::Peripherique);
  if (type == FILE_TYPE_PIPE) interne::Refuser_Enregistrement(chemin, cible, TGenre_Entree::Tube);
  if (dossier) interne::Refuser_Enregistrement(chemin, cible, TGenre_Entree::Dossier);
  return finale.empty() ? large : finale;
}

}  // namespace

void Enregistrer_Fichier(const std::string& chemin, std::string_view contenu) {
  const auto echec = [&](DWORD code) { return EKorvex(textes::Enregistrement_Impossible(chemin, Raison_Systeme(code))); };
  const std::wstring cible = Cible_Enregistrement(chemin);
  const std::wstring temporaire = cible + L".tmp" + std::to_wstring(GetCurrentProcessId());
  HANDLE h = CreateFileW(temporaire.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw echec(GetLastError());
  interne::TTemporaire<std::wstring> garde{temporaire, [](const std::wstring& c) { DeleteFileW(c.c_str()); }};
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

namespace {

// The temporary folder, by its short name where the volume has them.
std::wstring Dossier_Temporaire() {
  wchar_t long_[MAX_PATH + 1], court[MAX_PATH + 1];
  const DWORD n = GetTempPathW(MAX_PATH + 1, long_);
  if (n == 0 || n > MAX_PATH) return L".\\";
  const DWORD m = GetShortPathNameW(long_, court, MAX_PATH + 1);
  return m > 0 && m <= MAX_PATH ? std::wstring(court, m) : std::wstring(long_, n);
}

// The path in the ANSI code page, or nothing when one of its characters is not there.
std::optional<std::string> Chemin_Ansi(const std::wstring& chemin) {
  if (GetACP() == CP_UTF8) return Vers_Utf8(chemin);
  BOOL remplace = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, chemin.c_str(), -1, nullptr, 0, nullptr, &remplace);
  if (n <= 0 || remplace) return std::nullopt;
  std::string ansi(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, chemin.c_str(), -1, ansi.data(), n, nullptr, nullptr);
  ansi.pop_back();
  return ansi;
}

}  // namespace

TFichierTemporaire::TFichierTemporaire(const std::string& extension) {
  const std::wstring prefixe = Dossier_Temporaire() + L"korvex-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  static unsigned suivant = 0;
  std::wstring chemin;
  for (int essai = 0;; ++essai) {
    chemin = prefixe + std::to_wstring(suivant++) + Vers_Utf16(extension);
    HANDLE h = CreateFileW(chemin.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      CloseHandle(h);
      break;
    }
    // A file left by an earlier process of the same number: the next name.
    const DWORD code = GetLastError();
    if (code != ERROR_FILE_EXISTS || essai == 100) throw EKorvex(textes::Temporaire_Impossible(Vers_Utf8(chemin), Raison_Systeme(code)));
  }
  chemin_ = Vers_Utf8(chemin);
  const auto ansi = Chemin_Ansi(chemin);
  if (!ansi) {
    DeleteFileW(chemin.c_str());
    throw EKorvex(textes::Temporaire_Impossible(chemin_, textes::Raison_Nom_Incorrect));
  }
  chemin_c_ = *ansi;
}

TFichierTemporaire::~TFichierTemporaire() { DeleteFileW(Vers_Utf16(chemin_).c_str()); }

std::string Dossier_Documents() {
  PWSTR chemin = nullptr;
  std::string dossier;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &chemin))) dossier = Vers_Utf8(chemin);
  CoTaskMemFree(chemin);
  return dossier;
}

}  // namespace plateforme
