// The French texts of damaged tables and memos, the numbers they hold, and the warnings of what a
// calculation could not count. Every text the user can meet is in platform/Textes*.h: texts with a
// part that varies are small functions that put the part in its place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace textes {

// ---- What a calculation could not count: its warnings ----
inline constexpr const char* Attention = "Attention : ";
// The line that heads the warnings on screen.
inline std::string Bulletins_Non_Comptes(int64_t nombre) {
  return nombre == 1 ? std::string("1 bulletin n'est pas compté :")
                     : std::to_string(nombre) + " bulletins ne sont pas comptés :";
}
inline std::string Avertissement_Table(const std::string& table, const std::string& dommage,
                                       const std::string& non_lus) {
  return Attention + std::string("la table ") + table + " est endommagée : " + dommage + " ; " + non_lus + ".";
}
inline std::string Avertissement_Memo(int64_t enregistrement, const std::string& table, const std::string& identite,
                                      const std::string& champ, const std::string& defaut, const std::string& memo) {
  return Attention + std::string("le bulletin de l'enregistrement ") + std::to_string(enregistrement) +
         " de la table " + table + (identite.empty() ? "" : " (" + identite + ")") +
         " n'est pas compté dans le calcul : le mémo de son champ " + champ + " " + defaut +
         (memo.empty() ? "" : " (" + memo + ")") + ".";
}
// "a", "a et b", "a, b et c".
inline std::string Liste_Et(const std::vector<std::string>& elements) {
  std::string texte;
  for (size_t i = 0; i < elements.size(); ++i)
    texte += (i == 0 ? "" : i + 1 == elements.size() ? " et " : ", ") + elements[i];
  return texte;
}
// A text between guillemets, which keep it on their line.
inline std::string Entre_Guillemets(const std::string& texte) { return "«\u00A0" + texte + "\u00A0»"; }
// Records whose month field holds no month: the month asked may be theirs, so each is named.
inline std::string Avertissement_Mois(int64_t enregistrement, const std::string& table, const std::string& identite,
                                      const std::string& mois) {
  return Attention + std::string("l'enregistrement ") + std::to_string(enregistrement) + " de la table " + table +
         (identite.empty() ? "" : " (" + identite + ")") + " n'est compté dans aucun mois : son champ MOIS contient " +
         Entre_Guillemets(mois) + ", qui n'est pas un mois mm-aaaa.";
}
// One of several such records: "14 (MATRICULE 00002, MOIS « 02\x1A2024 »)".
inline std::string Enregistrement_Mois(int64_t enregistrement, const std::string& identite, const std::string& mois) {
  return std::to_string(enregistrement) + " (" + (identite.empty() ? "" : identite + ", ") + "MOIS " +
         Entre_Guillemets(mois) + ")";
}
inline std::string Avertissement_Mois_Plusieurs(int64_t nombre, const std::string& table,
                                                const std::vector<std::string>& premiers) {
  return Attention + std::to_string(nombre) + " enregistrements de la table " + table +
         " ne sont comptés dans aucun mois, leur champ MOIS ne contenant pas un mois mm-aaaa : " +
         (static_cast<size_t>(nombre) > premiers.size() ? "les " + std::to_string(premiers.size()) + " premiers sont " : "") +
         "les enregistrements " + Liste_Et(premiers) + ".";
}
// Records whose memo pointers name one block: none can be told to be the payslip it belongs to.
inline std::string Avertissement_Memo_Partage(const std::vector<std::string>& enregistrements, const std::string& table,
                                              const std::string& champ, uint64_t bloc, const std::string& memo) {
  return Attention + std::string("les bulletins des enregistrements ") + Liste_Et(enregistrements) + " de la table " +
         table + " ne sont pas comptés dans le calcul : leur champ " + champ + " désigne le même mémo, le bloc " +
         std::to_string(bloc) + " (" + memo + ").";
}
// One of them: "3 (MATRICULE 00003, NOM LEFÈVRE Chloé)", "25 (supprimé : MATRICULE 00001, …)".
inline std::string Enregistrement_Identifie(int64_t enregistrement, const std::string& identite, bool supprime) {
  const std::string precision = supprime ? (identite.empty() ? "supprimé" : "supprimé : " + identite) : identite;
  return std::to_string(enregistrement) + (precision.empty() ? "" : " (" + precision + ")");
}
// The second line of an error in a payslip's memo: where the user finds that payslip.
inline std::string Bulletin_En_Cause(int64_t enregistrement, const std::string& table, const std::string& identite) {
  return "Bulletin de l'enregistrement " + std::to_string(enregistrement) + " de la table " + table +
         (identite.empty() ? "" : " : " + identite);
}

inline constexpr const char* Erreur_Inattendue = "Erreur inattendue";
// A broken invariant: a fault of the program's, which stops the calculation rather than show a
// figure it cannot vouch for.
inline std::string Erreur_Interne(const std::string& condition, const std::string& fichier, int ligne) {
  return "Erreur interne du programme : la condition " + condition + " n'est pas remplie (" + fichier + ", ligne " +
         std::to_string(ligne) + "). Le calcul est arrêté pour ne montrer aucun chiffre douteux";
}
inline constexpr const char* Raison_Inattendue = "erreur inattendue";
inline constexpr const char* Memoire_Insuffisante = "Mémoire insuffisante";

// ---- Numbers and amounts ----
// "'<texte>'" then suite, appended: on "'" + text, once inlined, GCC 12 warns wrongly (-Wrestrict).
inline std::string Entre_Apostrophes(std::string_view texte, std::string_view suite) {
  std::string message = "'";
  message.append(texte).append("'").append(suite);
  return message;
}
inline std::string Entier_Incorrect(std::string_view texte) {
  return Entre_Apostrophes(texte, " n'est pas une valeur entière correcte");
}
inline std::string Flottant_Incorrect(std::string_view texte) {
  return Entre_Apostrophes(texte, " n'est pas une valeur en virgule flottante correcte");
}
inline std::string Rubrique_Incorrecte(std::string_view texte) {
  return Entre_Apostrophes(texte, " n'est pas un numéro de rubrique correct (1 à 899)");
}
inline constexpr const char* Debordement_Entier = "Débordement d'entier";

// ---- dBase tables: opening and fields ----
inline std::string Alias_Inconnu(const std::string& nom) {
  return "L'alias de base de données '" + nom + "' n'existe pas : indiquez le chemin d'un dossier";
}
inline std::string Table_Fermee(const std::string& table) {
  return "Opération impossible : la table " + table + " n'est pas ouverte";
}
inline std::string Champ_Non_Trouve(const std::string& nom) { return "Champ '" + nom + "' non trouvé"; }
inline std::string Champ_Etranger(const std::string& table) {
  return "Ce champ n'appartient pas à la table " + table;
}
inline std::string Acces_Champ_Impossible(const std::string& nom, const std::string& type) {
  return "Impossible d'accéder au champ '" + nom + "' comme type " + type;
}
inline std::string Memo_Introuvable(const std::string& memo, const std::string& table) {
  return "Le fichier mémo " + memo + " de la table " + table + " est introuvable";
}
inline constexpr const char* Vrai = "Vrai";
inline constexpr const char* Faux = "Faux";

// ---- dBase tables: damage ----
// "0 octet", "1 octet", "2 octets": the singular up to one, as French counts.
inline std::string Octets(uint64_t nombre) { return std::to_string(nombre) + (nombre > 1 ? " octets" : " octet"); }
inline std::string Nombre_Enregistrements(int64_t nombre) {
  return std::to_string(nombre) + (nombre > 1 ? " enregistrements" : " enregistrement");
}
inline std::string Table_Endommagee(const std::string& table, const std::string& detail) {
  return "La table " + table + " est endommagée : " + detail;
}
inline std::string Table_Trop_Courte(const std::string& fichier, uint64_t taille) {
  return "Le fichier " + fichier + " est trop court pour être une table dBase (" + Octets(taille) + ")";
}
inline std::string Table_Non_Reconnue(const std::string& fichier, const std::string& version) {
  return "Le fichier " + fichier + " n'est pas une table dBase reconnue (octet de version " + version + ")";
}
inline std::string Table_Plus_Courte_Que_Entete(const std::string& fichier, uint64_t taille, uint64_t entete) {
  return "Le fichier " + fichier + " est plus court que son en-tête (" + Octets(taille) + " pour un en-tête de " + std::to_string(entete) + ")";
}
inline std::string Entete_Tronquee(const std::string& fichier) {
  return "Le fichier " + fichier + " est plus court que son en-tête";
}
inline std::string Entete_Trop_Petite(uint64_t entete) {
  return "la longueur d'en-tête (" + Octets(entete) + ") ne peut pas contenir ses descripteurs de champs";
}
inline std::string Entete_Incoherente(uint64_t entete) {
  return "la longueur d'en-tête (" + Octets(entete) + ") ne correspond pas à ses descripteurs de champs";
}
inline constexpr const char* Descripteurs_Sans_Fin = "la marque de fin des descripteurs de champs (0x0D) manque";
inline std::string Enregistrement_Incoherent(uint64_t annoncee, uint64_t champs) {
  return "la longueur d'enregistrement (" + Octets(annoncee) + ") ne correspond pas à celle de ses champs (" + Octets(champs) + ")";
}
inline std::string Longueur_Champ_Imposee(const std::string& champ, char type, uint64_t longueur,
                                          uint64_t imposee) {
  return "le champ " + champ + " de type " + std::string(1, type) + " a une longueur de " +
         Octets(longueur) + " au lieu de " + std::to_string(imposee);
}
inline std::string Enregistrement(int64_t numero) { return "enregistrement " + std::to_string(numero); }
inline std::string Table_Raccourcie(const std::string& table, const std::string& enregistrement) {
  return "La table " + table + " a raccourci pendant la lecture (" + enregistrement + ")";
}
inline std::string Valeur_Incorrecte(const std::string& champ, const std::string& enregistrement,
                                     std::string_view texte, const std::string& defaut) {
  return "le champ " + champ + " de l'" + enregistrement + " contient '" + std::string(texte) + "', qui " + defaut;
}
inline constexpr const char* Pas_Un_Nombre = "n'est pas un nombre";
inline std::string Taille_Incoherente(uint64_t taille, uint64_t entete, uint64_t annonces, uint64_t longueur) {
  return "la taille du fichier (" + Octets(taille) + ") ne correspond pas à son en-tête (" +
         Nombre_Enregistrements(static_cast<int64_t>(annonces)) + " de " + Octets(longueur) + " après un en-tête de " + Octets(entete) + ")";
}
inline std::string Champ_Pas_Memo(const std::string& champ) { return "le champ " + champ + " n'est pas un mémo"; }

// ---- dBase tables: records a damaged table keeps from being read ----
inline std::string Plage_Enregistrements(int64_t premier, int64_t dernier) {
  if (premier == dernier) return "l'enregistrement " + std::to_string(premier);
  return "les enregistrements " + std::to_string(premier) + " à " + std::to_string(dernier);
}
inline std::string Omission_Tronquee(int64_t annonces, int64_t complets) {
  return "son en-tête annonce " + Nombre_Enregistrements(annonces) + ", mais le fichier n'en contient " +
         (complets == 0 ? std::string("aucun complet") :
          "que " + std::to_string(complets) + (complets == 1 ? " complet" : " complets"));
}
inline std::string Omission_Surplus(int64_t annonces, int64_t en_plus) {
  return "le fichier contient " + Nombre_Enregistrements(en_plus) + " de plus " +
         (annonces == 0   ? std::string("que son en-tête, qui n'en annonce aucun")
          : annonces == 1 ? std::string("que celui annoncé par son en-tête")
                          : "que les " + std::to_string(annonces) + " annoncés par son en-tête");
}
inline std::string Omission_Marque_Fin(int64_t enregistrement, int64_t annonces) {
  return "une marque de fin de table (0x1A) se trouve au début de l'enregistrement " + std::to_string(enregistrement) +
         (annonces == 1 ? std::string(", avant la fin du seul enregistrement annoncé par son en-tête")
                        : ", avant la fin des " + std::to_string(annonces) + " enregistrements annoncés par son en-tête");
}
inline std::string Omission_Indicateur(int64_t premier, int64_t dernier) {
  return Plage_Enregistrements(premier, dernier) + (premier == dernier ? " a" : " ont") +
         " un indicateur de suppression incorrect (ni un blanc ni «\u00A0*\u00A0»)";
}
inline std::string Non_Lus(int64_t premier, int64_t dernier) {
  return Plage_Enregistrements(premier, dernier) +
         (premier == dernier ? " n'a pas été lu : le calcul ne compte pas son bulletin"
                             : " n'ont pas été lus : le calcul ne compte pas leurs bulletins");
}

// ---- dBase tables: memos ----
inline std::string Memo_Du_Champ(const std::string& champ, const std::string& enregistrement,
                                 const std::string& defaut, const std::string& memo) {
  return "le mémo du champ " + champ + " de l'" + enregistrement + " " + defaut + " (" + memo + ")";
}
inline std::string Lieu_Memo(const std::string& erreur, const std::string& champ, const std::string& enregistrement,
                             const std::string& table) {
  return erreur + " (champ " + champ + " de l'" + enregistrement + " de la table " + table + ")";
}
inline std::string Memo_Taille_Bloc_Nulle(const std::string& memo) {
  return "Le fichier mémo " + memo + " est endommagé : sa taille de bloc est nulle ou absente";
}
inline constexpr const char* Memo_Pointeur_Incorrect = "a un pointeur de bloc incorrect";
inline std::string Memo_Bloc_Au_Dela(uint64_t bloc) {
  return "désigne le bloc " + std::to_string(bloc) + ", au-delà de la fin du fichier mémo";
}
inline constexpr const char* Memo_Tronque = "est tronqué : le fichier mémo a raccourci pendant la lecture";
inline constexpr const char* Memo_Trop_Pres_Fin = "commence trop près de la fin du fichier mémo";
inline std::string Memo_Longueur_Incorrecte(uint64_t longueur) {
  return "a une longueur incorrecte (" + Octets(longueur) + ")";
}
inline std::string Memo_Depasse_Fin(uint64_t longueur) {
  return "a une longueur de " + Octets(longueur) + " qui dépasse la fin du fichier mémo";
}
inline std::string Memo_Trop_Long(uint64_t longueur, uint64_t mo) {
  return "a une longueur de " + Octets(longueur) + ", au-delà des " + std::to_string(mo) +
         " Mo qu'un mémo peut avoir";
}
inline std::string Memo_Type_Bloc(uint32_t type) {
  return "est un bloc de type " + std::to_string(type) + " au lieu d'un texte (type 1)";
}
inline constexpr const char* Memo_Pas_Texte = "n'est pas du texte : il contient des octets binaires ou nuls";
inline constexpr const char* Memo_Vide_Sans_Double_Marque =
    "est vide, mais sans la double marque de fin (0x1A 0x1A) d'un mémo vide : son premier octet a sans doute été écrasé";
inline constexpr const char* Memo_Sans_Fin = "n'a pas de marque de fin (0x1A) avant la fin du fichier mémo";
inline constexpr const char* Memo_Fin_Effacee = "se termine par un bloc d'octets nuls : la fin de son texte est effacée";
inline constexpr const char* Memo_Sans_Ligne = "n'a pas de fin de ligne : son texte est incomplet ou endommagé";
inline std::string Memo_Sans_Fin_Dans(uint64_t mo) {
  return "n'a pas de marque de fin (0x1A) dans ses " + std::to_string(mo) + " premiers Mo";
}

}  // namespace textes
