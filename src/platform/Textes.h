// Every French text the user can meet, in one place: messages, labels, errors and formats.
// Texts with a part that varies are small functions that put the part in its place.
#pragma once

#include <string>

namespace textes {

// ---- The main window ----
inline constexpr const char* Dossier_OK = "Dossier KORVEX OK";
inline constexpr const char* Dossier_Pas_KORVEX = "Ce n'est pas un dossier KORVEX";

// ---- The window's captions, as its description gives them ----
inline constexpr const char* Titre_Form1 = "Calcul d'une récap sous KORVEX";
inline constexpr const char* Libelle_Chemin = "Chemin du dossier KORVEX:";
inline constexpr const char* Libelle_Mois = "Mois mm-aaaa";
inline constexpr const char* Bouton_Calculer = "Calculer Récap";
inline constexpr const char* Dossier_Defaut = "C:\\KORVEX";
inline constexpr const char* Bouton_OK = "OK";  // the plain message box's one button

// ---- A calculation ----
inline constexpr const char* Mois_Incorrect =
    "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)";
inline constexpr const char* Entetes_Grille[5] = {"N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"};

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

inline constexpr const char* Erreur_Inattendue = "Erreur inattendue";
inline constexpr const char* Raison_Inattendue = "erreur inattendue";
inline constexpr const char* Memoire_Insuffisante = "Mémoire insuffisante";

// ---- The command line ----
inline constexpr const char* Usage_Cli =
    "Usage : korvex-recap [--csv] DOSSIER MOIS\n"
    "        korvex-recap --help\n"
    "\n"
    "Calcule la récap d'un mois du dossier de données KORVEX, comme le bouton « Calculer Récap »\n"
    "de la fenêtre, et l'écrit en UTF-8 sur la sortie standard : la ligne d'en-tête, puis une\n"
    "ligne par rubrique, cellules séparées par des tabulations.\n"
    "\n"
    "  DOSSIER  le dossier de données, tel qu'on le taperait dans la fenêtre (C:\\KORVEX)\n"
    "  MOIS     le mois à totaliser, sous la forme mm-aaaa (03-2011)\n"
    "\n"
    "Options :\n"
    "  --csv    cellules séparées par « ; », pour un tableur en français\n"
    "  --help   affiche cette aide\n"
    "  --       fin des options (pour un DOSSIER ou un MOIS qui commence par « - »)\n"
    "\n"
    "Les totaux s'écrivent avec le séparateur décimal des paramètres régionaux de l'utilisateur.\n"
    "\n"
    "Codes de sortie :\n"
    "  0   la récap est écrite\n"
    "  1   message du programme (mois mal précisé, PAIES.DTA non trouvé), sur la sortie d'erreur\n"
    "  2   erreur pendant le calcul, sur la sortie d'erreur ; rien n'est écrit sur la sortie standard\n"
    "  64  arguments incorrects\n";
inline constexpr const char* Cli_Option_Inconnue = "option inconnue : ";
inline constexpr const char* Cli_Dossier_Et_Mois = "il faut un DOSSIER et un MOIS";
inline constexpr const char* Cli_Trop_Arguments = "trop d'arguments";
inline constexpr const char* Cli_Ecriture_Impossible = "Impossible d'écrire la récap sur la sortie standard.";

}  // namespace textes
