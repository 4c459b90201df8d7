// Files as the program sees them: paths are texts as the user typed them, Windows-style.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plateforme {

// The I/O hook of the tests, as shapelib passes its hooks to each handle: every file operation
// first asks it, and it may make the operation fail with the reason it gives. Sans_Renommage_Atomique
// and Sans_Lien make the file system lack the no-replace rename and hard links (POSIX).
enum class TOperationFichier { Existe, Renommer, Ouvrir, Lire, Sans_Renommage_Atomique, Sans_Lien };
using TInjecteurPannes =
    std::function<std::optional<std::string>(TOperationFichier, const std::string& chemin)>;

// The hook the tests install for what the code under test opens: the free functions below ask
// it, and a calculation reads it once, on the thread that starts it, to give each of its files
// its own copy, whatever thread then reads them. Empty by default.
void Installer_Injecteur_Pannes(TInjecteurPannes injecteur);
TInjecteurPannes Injecteur_Installe();

// ---- A name in a folder: the program's one rule, in two forms ----
// The folder, a separator unless it ends with one ("\", or on POSIX also "/"), then the name;
// the name alone when the folder is empty. The table engine joins its directory and a table's
// name so, with a backslash; a native folder (Documents) takes Separateur_Natif.
std::string Chemin_Dans(const std::string& Dossier, const std::string& Nom, char Separateur = '\\');
#ifdef _WIN32
inline constexpr char Separateur_Natif = '\\';
#else
inline constexpr char Separateur_Natif = '/';
#endif
// A file of the data folder as the user typed it: the folder, a backslash and the name, whatever
// the folder ends with ("C:\KORVEX\" gives "C:\KORVEX\\PAIES.DTA"), as every message names it.
std::string Fichier_Du_Dossier(const std::string& Dossier, const std::string& Nom);

// The path the system is asked for. On POSIX a backslash stands for "/", and a component
// that has no entry of that exact name takes the one whose name differs only in letter case.
std::string Chemin_Systeme(const std::string& chemin);

// The path of the entry the path names, its last name spelt as the system stores it (letter
// case included), so that a file renamed away can come back under that very name; the path
// as it is when there is no such entry.
std::string Nom_Exact(const std::string& chemin);

// True when the first entry matching the path is not a directory, whatever its date.
bool Fichier_Existe(const std::string& chemin);

// True when some entry, file or folder, already has this name.
bool Nom_Pris(const std::string& chemin);

// Renames a file, never replacing an existing target. Returns the system's reason, in French,
// when the rename failed.
std::optional<std::string> Renommer_Sans_Remplacer(const std::string& de, const std::string& vers);

// Writes contenu to chemin (a native path, as a save dialog gives it) through a temporary file
// beside it that is renamed over it at the end, so that a failure never leaves half a file. Every
// file the program writes for the user goes through here. A symbolic link is followed and stays
// a link: the file it leads to (a new one in its folder when it leads nowhere) is written, an
// existing one keeping its rights. Only a new or a regular file is written: a folder, a device,
// a pipe or a socket, even through links, is refused before anything is touched.
// Raises EKorvex "Impossible d'enregistrer le fichier <chemin> : <raison>".
void Enregistrer_Fichier(const std::string& chemin, std::string_view contenu);

// The user's Documents folder (native path), or the home folder when there is none.
std::string Dossier_Documents();

// A file opened for reading only, leaving other programs free to read and write it.
class TFichierLecture {
public:
  // Raises EKorvex "Impossible d'ouvrir le fichier <nom> : <raison>"; nom, the name messages give
  // the file, is its path unless it is read under a temporary name. Injecteur is this handle's
  // hook: none by default.
  explicit TFichierLecture(const std::string& chemin, std::string nom = {}, TInjecteurPannes injecteur = {});
  ~TFichierLecture();
  TFichierLecture(const TFichierLecture&) = delete;
  TFichierLecture& operator=(const TFichierLecture&) = delete;

  const std::string& Chemin() const { return chemin_; }
  const std::string& Nom() const { return nom_.empty() ? chemin_ : nom_; }
  uint64_t Taille() const { return taille_; }
  // Reads up to n bytes at position; fewer only at the end of the file.
  // Raises EKorvex "Erreur de lecture du fichier <nom> : <raison>".
  size_t Lire(uint64_t position, void* tampon, size_t n) const;

private:
  std::string chemin_, nom_;
  TInjecteurPannes injecteur_;
  uint64_t taille_ = 0;
  intptr_t descripteur_ = -1;
};

// A private empty file of the user's temporary folder, for a library that writes only to a file
// it names; removed with this object. Raises EKorvex "Impossible de créer le fichier temporaire
// <chemin> : <raison>".
class TFichierTemporaire {
public:
  explicit TFichierTemporaire(const std::string& extension);
  ~TFichierTemporaire();
  TFichierTemporaire(const TFichierTemporaire&) = delete;
  TFichierTemporaire& operator=(const TFichierTemporaire&) = delete;

  // The path for this layer's calls (UTF-8).
  const std::string& Chemin() const { return chemin_; }
  // The path as the C library's fopen takes it: the same bytes on POSIX, the ANSI code page on
  // Windows (the temporary folder's short name, so that a user name with any letter fits).
  const std::string& Chemin_C() const { return chemin_c_; }

private:
  std::string chemin_, chemin_c_;
};

}  // namespace plateforme
