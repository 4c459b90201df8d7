// The French texts of the command line: its usage and its own messages. Every text the user can
// meet is in platform/Textes*.h: texts with a part that varies are small functions that put the
// part in its place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace textes {

// ---- Options of the windows' tables, on the command line ----
inline constexpr const char* Cli_Rubrique_Incorrecte = "--detail attend un numéro de rubrique de 1 à 899";
inline constexpr const char* Cli_Detail_Sans_Resume = "--detail et --resume s'excluent";
inline constexpr const char* Cli_Ecarts_Sans_Periode = "--comparer avec --detail porte sur un MOIS, pas sur une période";
inline constexpr const char* Cli_Seuil_Ecarts = "--seuil ne s'emploie pas avec --comparer et --detail";
// On the command line.
inline constexpr const char* Cli_Mois_Reference_Incorrect =
    "--comparer attend le mois de référence MOIS_REF : un mois mm-aaaa (01 à 12, année sur quatre chiffres)";
inline constexpr const char* Cli_Seuil_Incorrect = "--seuil attend un pourcentage positif ou nul (10, 12,5 ou 12.5)";
inline constexpr const char* Cli_Seuil_Sans_Comparer = "--seuil ne s'emploie qu'avec --comparer ou --controles";
inline constexpr const char* Cli_Resume_Comparaison = "--resume ne s'emploie pas avec --comparer";
inline constexpr const char* Cli_Cumuls_Sans_Fin = "--cumuls attend une période : DOSSIER MOIS MOIS_FIN";
inline constexpr const char* Cli_Cumuls_Exclusifs = "--cumuls ne s'emploie pas avec --detail, --comparer ou --resume";
inline constexpr const char* Cli_Controles_Exclusifs =
    "--controles ne s'emploie pas avec --detail, --comparer, --cumuls ou --resume";
inline constexpr const char* Cli_Controles_Sans_Mois = "--controles attend un DOSSIER et un MOIS, sans MOIS_FIN";
inline constexpr const char* Cli_Reference_Incorrecte =
    "--reference attend le mois de référence MOIS_REF : un mois mm-aaaa (01 à 12, année sur quatre chiffres)";
inline constexpr const char* Cli_Reference_Sans_Controles = "--reference ne s'emploie qu'avec --controles";
inline constexpr const char* Cli_Bulletin_Incorrect = "--bulletin attend un numéro d'enregistrement de PAIES.DTA (1 ou plus)";
inline constexpr const char* Cli_Bulletin_Exclusif =
    "--bulletin ne s'emploie pas avec --detail, --comparer, --cumuls, --controles ou --resume";
inline constexpr const char* Cli_Bulletin_Dossier = "--bulletin attend un DOSSIER seul";
// ---- The command line ----
inline constexpr const char* Usage_Cli =
    "Usage : korvex-recap [--csv | --json | --resume | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"
    "        korvex-recap --detail N [--csv | --json | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"
    "        korvex-recap --comparer MOIS_REF [--seuil P] [--csv | --json | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"
    "        korvex-recap --cumuls [--csv | --json | --xlsx FICHIER] DOSSIER MOIS MOIS_FIN\n"
    "        korvex-recap --controles [--reference MOIS_REF] [--seuil P] [--csv | --json | --xlsx FICHIER] DOSSIER MOIS\n"
    "        korvex-recap --bulletin N [--csv | --json | --xlsx FICHIER] DOSSIER\n"
    "        korvex-recap --comparer MOIS_REF --detail N [--csv | --json | --xlsx FICHIER] DOSSIER MOIS\n"
    "        korvex-recap --help\n"
    "\n"
    "Calcule la récap d'un mois (ou d'une période) du dossier de données KORVEX, comme le bouton\n"
    "«\u00A0Calculer Récap\u00A0» de la fenêtre, et l'écrit en UTF-8 sur la sortie standard : la ligne\n"
    "d'en-tête, puis une ligne par rubrique, cellules séparées par des tabulations.\n"
    "\n"
    "  DOSSIER   le dossier de données, tel qu'on le taperait dans la fenêtre (C:\\KORVEX)\n"
    "  MOIS      le mois à totaliser, sous la forme mm-aaaa (03-2011)\n"
    "  MOIS_FIN  avec lui, la période de MOIS à MOIS_FIN inclus : deux mois mm-aaaa\n"
    "            (01 à 12, année sur quatre chiffres), dans l'ordre du calendrier\n"
    "\n"
    "Options (une seule à la fois) :\n"
    "  --csv     cellules séparées par «\u00A0;\u00A0», pour un tableur en français\n"
    "  --json    un document JSON : dossier, mois, nombre de bulletins, lignes, gains,\n"
    "            retenues, net et avertissements, montants en nombres JSON (point décimal)\n"
    "  --resume  les trois lignes du résumé : bulletins, gains et retenues, net\n"
    "  --xlsx FICHIER\n"
    "            la récap dans le classeur Excel FICHIER (.xlsx), rien sur la sortie standard :\n"
    "            titre, dossier et date au-dessus du tableau, montants en nombres, résumé et\n"
    "            avertissements au-dessous\n"
    "  --detail N  au lieu de la récap, les bulletins qui font le total de la rubrique N\n"
    "            (1 à 899) : leur enregistrement dans PAIES.DTA, leurs champs et leur montant,\n"
    "            puis une ligne Total ; avec --csv ou --json, dans ce format\n"
    "  --help    affiche cette aide\n"
    "  --        fin des options (pour un DOSSIER ou un MOIS qui commence par «\u00A0-\u00A0»)\n"
    "\n"
    "Comparaison avec un autre mois :\n"
    "  --comparer MOIS_REF  compare MOIS au mois de référence MOIS_REF (mm-aaaa), souvent le mois\n"
    "            précédent : une ligne par rubrique de la récap de l'un ou de l'autre, avec les deux\n"
    "            totaux, l'écart, l'écart en % du total de référence et «\u00A0À vérifier\u00A0» pour une\n"
    "            rubrique nouvelle, disparue, ou dont l'écart atteint le seuil ; avec MOIS_FIN, la\n"
    "            période de référence commence à MOIS_REF et compte autant de mois ; avec\n"
    "            --detail N, les écarts de la rubrique N salarié par salarié, le plus grand d'abord\n"
    "  --seuil P  le seuil de contrôle en % (10 par défaut ; 12,5 ou 12.5)\n"
    "\n"
    "Contrôles avant la paie :\n"
    "  --controles  les bulletins de MOIS contrôlés un à un contre le mois de référence (le mois\n"
    "            précédent, ou --reference MOIS_REF) : entrées, sorties, bulletins multiples, nets\n"
    "            négatifs ou nuls, bulletins sans montant, rubriques sans libellé et nets qui bougent\n"
    "            d'au moins le seuil (--seuil P) ; une ligne par constat, niveau «\u00A0Anomalie\u00A0» ou\n"
    "            «\u00A0À vérifier\u00A0»\n"
    "  --bulletin N  le bulletin de l'enregistrement N de PAIES.DTA : ses rubriques et leurs\n"
    "            montants, puis ses gains, ses retenues et son net\n"
    "\n"
    "Cumuls de plusieurs mois :\n"
    "  --cumuls  de MOIS à MOIS_FIN (1 à 36 mois) : une ligne par rubrique, une colonne par mois\n"
    "            et le TOTAL, puis les bulletins, gains, retenues et net de chaque mois ; avec\n"
    "            --xlsx, le TOTAL en formules et une feuille «\u00A0Graphique\u00A0»\n"
    "\n"
    "Les totaux s'écrivent avec le séparateur décimal des paramètres régionaux de l'utilisateur\n"
    "(sauf en JSON).\n"
    "\n"
    "Codes de sortie :\n"
    "  0   la récap est écrite\n"
    "  1   message du programme (mois mal précisé, PAIES.DTA non trouvé), sur la sortie d'erreur\n"
    "  2   erreur pendant le calcul ou l'écriture du classeur, sur la sortie d'erreur ; rien n'est\n"
    "      écrit sur la sortie standard, ni dans FICHIER\n"
    "  3   la récap est écrite, mais des fichiers endommagés en ont écarté des bulletins : chaque\n"
    "      avertissement, sur la sortie d'erreur, commence par «\u00A0Attention :\u00A0» et dit lesquels\n"
    "  4   les contrôles sont écrits et comptent au moins une anomalie (3 l'emporte sur 4)\n"
    "  64  arguments incorrects\n";
inline constexpr const char* Cli_Option_Inconnue = "option inconnue : ";
inline constexpr const char* Cli_Dossier_Et_Mois = "il faut un DOSSIER et un MOIS";
inline constexpr const char* Cli_Trop_Arguments = "trop d'arguments";
inline constexpr const char* Cli_Options_Exclusives = "--csv, --json, --resume et --xlsx s'excluent";
inline constexpr const char* Cli_Periode_Incorrecte =
    "une période s'écrit MOIS MOIS_FIN : deux mois mm-aaaa (01 à 12, année sur quatre chiffres), "
    "MOIS_FIN pas avant MOIS";
inline constexpr const char* Cli_Ecriture_Impossible = "Impossible d'écrire la récap sur la sortie standard.";

// The recap of a period on the command line.
inline std::string Titre_Periode(const std::string& debut, const std::string& fin) {
  return "Récap KORVEX — période " + debut + " à " + fin;
}
inline std::string Nom_Feuille_Periode(const std::string& debut, const std::string& fin) {
  return "Récap " + debut + " à " + fin;
}
inline constexpr const char* Cli_Xlsx_Sans_Fichier = "--xlsx demande un FICHIER";

}  // namespace textes
