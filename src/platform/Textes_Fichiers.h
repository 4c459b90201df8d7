// The French texts of files and folders: the data folder, the rename, saved files and what the
// system said of a file. Every text the user can meet is in platform/Textes*.h: texts with a part
// that varies are small functions that put the part in its place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace textes {

// ---- The data folder in a calculation ----

inline std::string Fichier_Non_Trouve(const std::string& chemin) { return "Fichier " + chemin + " Non trouvé"; }

// PAIES.DTA is gone but PAIES.DBF is there: an earlier calculation was killed while it held
// the file under its temporary name.
inline std::string Calcul_Interrompu(const std::string& dta, const std::string& dbf) {
  return "Le fichier " + dta + " est absent mais " + dbf +
         " existe : un calcul a sans doute été interrompu. Renommez PAIES.DBF en PAIES.DTA "
         "avant de relancer le calcul.";
}

inline std::string Temporaire_Existe(const std::string& dbf) {
  return "Le fichier " + dbf + " existe déjà : déplacez-le ou supprimez-le, puis relancez le calcul";
}

inline std::string Renommage_Impossible(const std::string& de, const std::string& vers,
                                        const std::string& raison) {
  return "Impossible de renommer " + de + " en " + vers + " : " + raison;
}

// ---- Saved files ----
inline std::string Enregistrement_Impossible(const std::string& chemin, const std::string& raison) {
  return "Impossible d'enregistrer le fichier " + chemin + " : " + raison;
}

// A save writes only a new file or over a regular one: what the name leads to otherwise.
inline constexpr const char* Genre_Dossier = "un dossier";
inline constexpr const char* Genre_Peripherique = "un périphérique";
inline constexpr const char* Genre_Tube = "un tube nommé";
inline constexpr const char* Genre_Socket = "une socket";
inline std::string Raison_Pas_Fichier_Ordinaire(const std::string& genre) {
  return "c'est " + genre + ", non un fichier ordinaire : rien n'a été écrit";
}
inline std::string Raison_Lien_Pas_Fichier_Ordinaire(const std::string& cible, const std::string& genre) {
  return "le lien mène à " + cible + ", " + genre + ", non un fichier ordinaire : rien n'a été écrit";
}

inline std::string Classeur_Impossible(const std::string& raison) {
  return "Impossible de produire le classeur Excel : " + raison;
}
inline constexpr const char* Raison_Fichiers_Temporaires_Classeur =
    "ses fichiers temporaires n'ont pas pu être écrits (dossier temporaire plein ou inaccessible)";
inline std::string Raison_Bibliotheque_Classeur(int code) {
  return "erreur de la bibliothèque des classeurs (code " + std::to_string(code) + ")";
}
inline std::string Temporaire_Impossible(const std::string& chemin, const std::string& raison) {
  return "Impossible de créer le fichier temporaire " + chemin + " : " + raison;
}
// ---- Files: what the system said, as the user reads it ----
inline std::string Ouverture_Impossible(const std::string& chemin, const std::string& raison) {
  return "Impossible d'ouvrir le fichier " + chemin + " : " + raison;
}
inline std::string Lecture_Impossible(const std::string& chemin, const std::string& raison) {
  return "Erreur de lecture du fichier " + chemin + " : " + raison;
}
inline constexpr const char* Raison_Introuvable = "fichier introuvable";
inline constexpr const char* Raison_Existe_Deja = "le fichier existe déjà";
inline constexpr const char* Raison_Acces_Refuse = "accès refusé";
inline constexpr const char* Raison_Utilise = "le fichier est utilisé par un autre programme";
inline constexpr const char* Raison_Protege_Ecriture = "le support est protégé en écriture";
inline constexpr const char* Raison_Lecture_Seule = "le support est en lecture seule";
inline constexpr const char* Raison_Volumes_Differents = "les deux noms sont sur des volumes différents";
inline constexpr const char* Raison_Entree_Sortie = "erreur d'entrée-sortie";
inline constexpr const char* Raison_Nom_Trop_Long = "nom trop long";
inline constexpr const char* Raison_Nom_Incorrect = "nom de fichier incorrect";
inline constexpr const char* Raison_Lecteur_Pas_Pret = "le lecteur n'est pas prêt";
inline constexpr const char* Raison_Reseau_Introuvable = "chemin réseau introuvable";
inline constexpr const char* Raison_Dossier = "c'est un dossier";
inline constexpr const char* Raison_Disque_Plein = "le disque est plein";
inline constexpr const char* Raison_Memoire = "mémoire insuffisante";
inline constexpr const char* Raison_Trop_De_Fichiers = "trop de fichiers ouverts";
inline constexpr const char* Raison_Reseau_Perdu = "la connexion au partage réseau est perdue";
inline constexpr const char* Raison_Non_Pris_En_Charge = "opération que ce système de fichiers ne permet pas";
inline constexpr const char* Raison_Trop_De_Liens = "trop de niveaux de liens symboliques";
inline constexpr const char* Raison_Indisponible = "ressource momentanément indisponible, réessayez";
inline constexpr const char* Raison_Trop_Grand = "fichier trop grand";
inline constexpr const char* Raison_Peripherique_Absent = "périphérique absent";
inline std::string Raison_Non_Repertoriee(long code) {
  return "erreur du système non répertoriée (code " + std::to_string(code) + ")";
}

}  // namespace textes
