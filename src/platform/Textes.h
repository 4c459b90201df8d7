// Every French text the user can meet, in one place: messages, labels, errors and formats.
// Texts with a part that varies are small functions that put the part in its place.
#pragma once

#include <string>

namespace textes {

// ---- The main window ----
inline constexpr const char* Dossier_OK = "Dossier KORVEX OK";
inline constexpr const char* Dossier_Pas_KORVEX = "Ce n'est pas un dossier KORVEX";

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

// ---- Saved files ----
inline std::string Enregistrement_Impossible(const std::string& chemin, const std::string& raison) {
  return "Impossible d'enregistrer le fichier " + chemin + " : " + raison;
}

// ---- The printed recap ----
inline std::string Titre_Impression(const std::string& mois) { return "Récap KORVEX — mois " + mois; }
inline std::string Dossier_Imprime(const std::string& dossier) { return "Dossier : " + dossier; }
inline std::string Date_Calcul_Imprimee(const std::string& date_heure) { return "Calcul du " + date_heure; }
inline std::string Pied_Page(int n, int total) {
  return "Page " + std::to_string(n) + " / " + std::to_string(total);
}
inline constexpr const char* Points_Suspension = "…";
inline constexpr const char* Papier_Trop_Petit =
    "Le format de papier choisi est trop petit pour imprimer la récap : choisissez un papier plus grand "
    "ou des marges plus petites.";
inline constexpr const char* Action_Imprimer = "Imprimer…";
inline constexpr const char* Action_Exporter_Pdf = "Exporter en PDF…";
inline constexpr const char* Titre_Export_Pdf = "Exporter la récap en PDF";
inline constexpr const char* Filtre_Pdf = "Documents PDF (*.pdf)";
inline std::string Nom_Pdf(const std::string& mois) { return "recap-KORVEX-" + mois + ".pdf"; }
inline std::string Document_Imprime(const std::string& mois) { return "Récap KORVEX " + mois; }
inline constexpr const char* Impression_Echouee = "L'impression de la récap a échoué";
inline constexpr const char* Pdf_Impossible = "Impossible de produire le PDF de la récap";

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
