// Every French text the user can meet, in one place: messages, labels, errors and formats.
// Texts with a part that varies are small functions that put the part in its place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace textes {

// ---- The main window ----
inline constexpr const char* Dossier_OK = "Dossier KORVEX OK";
inline constexpr const char* Dossier_Pas_KORVEX = "Ce n'est pas un dossier KORVEX";

// ---- What a screen reader says of the window ----
inline constexpr const char* Nom_Grille_Accessible = "Récap du mois";
inline constexpr const char* Description_Controle_Dossier = "Résultat du contrôle du dossier KORVEX";
inline constexpr const char* Description_Resume = "Résumé du calcul : bulletins, gains, retenues et net";
inline constexpr const char* Description_Avertissements = "Avertissements du calcul : bulletins non comptés";
inline constexpr const char* Description_Resume_Tableau = "Résumé du tableau";
// A row that a table marks for checking, beside what its own cells say of it.
inline constexpr const char* Ligne_A_Signaler = "Ligne à vérifier";

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

// ---- What a calculation could not count: its warnings ----
inline constexpr const char* Attention = "Attention : ";
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
inline constexpr const char* Raison_Inattendue = "erreur inattendue";
inline constexpr const char* Memoire_Insuffisante = "Mémoire insuffisante";

// ---- Saved files ----
inline std::string Enregistrement_Impossible(const std::string& chemin, const std::string& raison) {
  return "Impossible d'enregistrer le fichier " + chemin + " : " + raison;
}

// ---- Copy, CSV export and summary of a recap ----
inline constexpr const char* Action_Copier = "Copier";
inline constexpr const char* Action_Copier_Tout = "Copier tout le tableau";
inline constexpr const char* Action_Tout_Selectionner = "Tout sélectionner";
inline constexpr const char* Action_Exporter_Csv = "Exporter en CSV…";
// Before the letter of a shortcut, as menus show it: "Ctrl+C".
inline constexpr const char* Touche_Ctrl = "Ctrl+";
inline constexpr const char* Titre_Export_Csv = "Exporter la récap en CSV";
// The save dialog's two file types; each window writes them in its own filter syntax.
inline constexpr const char* Type_Fichiers_Csv = "Fichiers CSV (*.csv)";
inline constexpr const char* Type_Tous_Fichiers = "Tous les fichiers (*.*)";

inline std::string Resume_Bulletins(int n) {
  return std::to_string(n) + (n > 1 ? " bulletins" : " bulletin");
}
inline std::string Resume_Gains_Retenues(const std::string& gains, const std::string& retenues) {
  return "Gains : " + gains + " — Retenues : " + retenues;
}
inline std::string Resume_Net(const std::string& net) { return "Net : " + net; }
// The summary after a click that made no recap.
inline constexpr const char* Aucune_Recap = "Aucune récap n'a été faite : le calcul n'a pas abouti.";
inline std::string Grille_Precedente(const std::string& mois, const std::string& dossier) {
  return "La grille montre encore la récap du mois " + mois + "\ndu dossier " + dossier + ".";
}
inline constexpr const char* Grille_Incomplete = "La grille n'en montre que les lignes écrites avant l'arrêt.";

// ---- The recap as a table: its names ----
inline std::string Nom_Feuille_Recap(const std::string& mois) { return "Récap " + mois; }
inline constexpr const char* Prefixe_Fichier_Recap = "recap-KORVEX-";

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
inline constexpr const char* Type_Fichiers_Pdf = "Fichiers PDF (*.pdf)";
inline std::string Document_Imprime(const std::string& mois) { return "Récap KORVEX " + mois; }
inline constexpr const char* Impression_Echouee = "L'impression de la récap a échoué";
inline constexpr const char* Pdf_Impossible = "Impossible de produire le PDF de la récap";

// ---- The payslips behind a rubric's total ----
inline constexpr const char* Entete_Enregistrement = "ENREG.";
inline constexpr const char* Entete_Montant = "MONTANT";
inline constexpr const char* Ligne_Total = "Total";
inline constexpr const char* Bulletins_Changes = "les bulletins ont changé depuis le calcul : recalculez la récap.";
inline std::string Periode_Affichee(const std::string& debut, const std::string& fin) { return debut + " à " + fin; }
inline std::string Titre_Detail(int rubrique, const std::string& libelle, const std::string& mois) {
  return "Détail — rubrique " + std::to_string(rubrique) + (libelle.empty() ? "" : " " + libelle) + " — mois " + mois;
}
inline std::string Nom_Feuille_Detail(int rubrique, const std::string& mois) {
  return "Détail " + std::to_string(rubrique) + " " + mois;
}
inline std::string Nom_Fichier_Detail(int rubrique, const std::string& mois) {
  return "detail-KORVEX-" + std::to_string(rubrique) + "-" + mois;
}
inline constexpr const char* Action_Detail = "Détail de la rubrique…";
inline constexpr const char* Cli_Rubrique_Incorrecte = "--detail attend un numéro de rubrique de 1 à 899";
inline constexpr const char* Cli_Detail_Sans_Resume = "--detail et --resume s'excluent";
inline constexpr const char* Cli_Detail_Et_Comparer = "--detail et --comparer s'excluent";

// ---- The comparison of a month with another ----
inline constexpr const char* Mois_Reference_Incorrect =
    "Mois de référence non précisé correctement. Il doit être sous la forme (mm-aaaa)";
inline std::string Titre_Comparaison(const std::string& mois, const std::string& reference) {
  return "Comparaison — mois " + mois + " / " + reference;
}
inline std::string Titre_Sans_Comparaison(const std::string& mois) {
  return "Comparaison — mois " + mois + " : rien n'a été comparé";
}
// A month field of our windows holds no month: the window says so, whatever its field.
inline constexpr const char* Mois_Reference_Pas_Un_Mois = "Le mois de référence doit être un mois mm-aaaa, de 01 à 12.";
inline constexpr const char* Action_Comparer = "Comparer avec un autre mois…";
inline constexpr const char* Bouton_Comparer = "Comparer";
inline constexpr const char* Libelle_Mois_Reference = "Mois de référence :";
inline constexpr const char* Libelle_Seuil = "Seuil (%) :";
inline constexpr const char* Seuil_Incorrect =
    "Seuil non précisé correctement. Il doit être un nombre de pour cent positif (par exemple 10 ou 12,5)";
inline constexpr const char* Aucune_Comparaison = "Aucune comparaison n'a été faite : le calcul n'a pas abouti.";
inline std::string Nom_Feuille_Comparaison(const std::string& mois) { return "Comparaison " + mois; }
inline constexpr const char* Prefixe_Fichier_Comparaison = "comparaison-KORVEX-";
inline constexpr const char* Entete_Colonne = "COLONNE";
inline std::string Entete_Total(const std::string& mois) { return "TOTAL " + mois; }
inline constexpr const char* Entete_Ecart = "ÉCART";
inline constexpr const char* Entete_Ecart_Pourcent = "ÉCART %";
inline constexpr const char* Entete_Controle = "CONTRÔLE";
inline constexpr const char* A_Verifier = "À vérifier";
inline constexpr const char* A_Verifier_Nouvelle = "À vérifier (nouvelle)";
inline constexpr const char* A_Verifier_Disparue = "À vérifier (disparue)";
// A summary line: "Gains — 01-2024 : 37116,76 ; 02-2024 : 37621,16 ; écart : 504,4".
inline std::string Resume_Compare(const char* quoi, const std::string& reference, const std::string& valeur_reference,
                                  const std::string& mois, const std::string& valeur, const std::string& ecart) {
  return std::string(quoi) + " — " + reference + " : " + valeur_reference + " ; " + mois + " : " + valeur +
         " ; écart : " + ecart;
}
inline constexpr const char* Quoi_Bulletins = "Bulletins";
inline constexpr const char* Quoi_Gains = "Gains";
inline constexpr const char* Quoi_Retenues = "Retenues";
inline constexpr const char* Quoi_Net = "Net";
inline std::string Regle_Controle(const std::string& seuil) {
  return "À vérifier : les rubriques nouvelles, disparues, ou dont l'écart atteint " + seuil + " %";
}
// On the command line.
inline constexpr const char* Cli_Mois_Reference_Incorrect =
    "--comparer attend le mois de référence MOIS_REF : un mois mm-aaaa (01 à 12, année sur quatre chiffres)";
inline constexpr const char* Cli_Seuil_Incorrect = "--seuil attend un pourcentage positif ou nul (10, 12,5 ou 12.5)";
inline constexpr const char* Cli_Seuil_Sans_Comparer = "--seuil ne s'emploie qu'avec --comparer";
inline constexpr const char* Cli_Resume_Comparaison = "--resume ne s'emploie pas avec --comparer";

// ---- The command line ----
inline constexpr const char* Usage_Cli =
    "Usage : korvex-recap [--csv | --json | --resume | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"
    "        korvex-recap --detail N [--csv | --json | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"
    "        korvex-recap --comparer MOIS_REF [--seuil P] [--csv | --json | --xlsx FICHIER] DOSSIER MOIS [MOIS_FIN]\n"
    "        korvex-recap --help\n"
    "\n"
    "Calcule la récap d'un mois (ou d'une période) du dossier de données KORVEX, comme le bouton\n"
    "« Calculer Récap » de la fenêtre, et l'écrit en UTF-8 sur la sortie standard : la ligne\n"
    "d'en-tête, puis une ligne par rubrique, cellules séparées par des tabulations.\n"
    "\n"
    "  DOSSIER   le dossier de données, tel qu'on le taperait dans la fenêtre (C:\\KORVEX)\n"
    "  MOIS      le mois à totaliser, sous la forme mm-aaaa (03-2011)\n"
    "  MOIS_FIN  avec lui, la période de MOIS à MOIS_FIN inclus : deux mois mm-aaaa\n"
    "            (01 à 12, année sur quatre chiffres), dans l'ordre du calendrier\n"
    "\n"
    "Options (une seule à la fois) :\n"
    "  --csv     cellules séparées par « ; », pour un tableur en français\n"
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
    "  --        fin des options (pour un DOSSIER ou un MOIS qui commence par « - »)\n"
    "\n"
    "Comparaison avec un autre mois :\n"
    "  --comparer MOIS_REF  compare MOIS au mois de référence MOIS_REF (mm-aaaa), souvent le mois\n"
    "            précédent : une ligne par rubrique de la récap de l'un ou de l'autre, avec les deux\n"
    "            totaux, l'écart, l'écart en % du total de référence et « À vérifier » pour une\n"
    "            rubrique nouvelle, disparue, ou dont l'écart atteint le seuil ; avec MOIS_FIN, la\n"
    "            période de référence commence à MOIS_REF et compte autant de mois\n"
    "  --seuil P  le seuil de contrôle en % (10 par défaut ; 12,5 ou 12.5)\n"
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
    "      avertissement, sur la sortie d'erreur, commence par « Attention : » et dit lesquels\n"
    "  64  arguments incorrects\n";
inline constexpr const char* Cli_Option_Inconnue = "option inconnue : ";
inline constexpr const char* Cli_Dossier_Et_Mois = "il faut un DOSSIER et un MOIS";
inline constexpr const char* Cli_Trop_Arguments = "trop d'arguments";
inline constexpr const char* Cli_Options_Exclusives = "--csv, --json, --resume et --xlsx s'excluent";
inline constexpr const char* Cli_Periode_Incorrecte =
    "une période s'écrit MOIS MOIS_FIN : deux mois mm-aaaa (01 à 12, année sur quatre chiffres), "
    "MOIS_FIN pas avant MOIS";
inline constexpr const char* Cli_Ecriture_Impossible = "Impossible d'écrire la récap sur la sortie standard.";

// ---- The Excel workbook of a table ----
inline constexpr const char* Action_Exporter_Excel = "Exporter en Excel…";
inline constexpr const char* Titre_Export_Excel = "Exporter le tableau en Excel";
inline constexpr const char* Type_Fichiers_Excel = "Classeurs Excel (*.xlsx)";
// A sheet whose table has no name of its own: the name Excel gives a new one.
inline constexpr const char* Feuille_Sans_Nom = "Feuil1";
// The recap of a period on the command line.
inline std::string Titre_Periode(const std::string& debut, const std::string& fin) {
  return "Récap KORVEX — période " + debut + " à " + fin;
}
inline std::string Nom_Feuille_Periode(const std::string& debut, const std::string& fin) {
  return "Récap " + debut + " à " + fin;
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
inline constexpr const char* Cli_Xlsx_Sans_Fichier = "--xlsx demande un FICHIER";

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
inline std::string Table_Endommagee(const std::string& table, const std::string& detail) {
  return "La table " + table + " est endommagée : " + detail;
}
inline std::string Table_Trop_Courte(const std::string& fichier, uint64_t taille) {
  return "Le fichier " + fichier + " est trop court pour être une table dBase (" + std::to_string(taille) +
         " octets)";
}
inline std::string Table_Non_Reconnue(const std::string& fichier, const std::string& version) {
  return "Le fichier " + fichier + " n'est pas une table dBase reconnue (octet de version " + version + ")";
}
inline std::string Table_Plus_Courte_Que_Entete(const std::string& fichier, uint64_t taille, uint64_t entete) {
  return "Le fichier " + fichier + " est plus court que son en-tête (" + std::to_string(taille) +
         " octets pour un en-tête de " + std::to_string(entete) + ")";
}
inline std::string Entete_Tronquee(const std::string& fichier) {
  return "Le fichier " + fichier + " est plus court que son en-tête";
}
inline std::string Entete_Trop_Petite(uint64_t entete) {
  return "la longueur d'en-tête (" + std::to_string(entete) +
         " octets) ne peut pas contenir ses descripteurs de champs";
}
inline std::string Entete_Incoherente(uint64_t entete) {
  return "la longueur d'en-tête (" + std::to_string(entete) + " octets) ne correspond pas à ses descripteurs de champs";
}
inline constexpr const char* Descripteurs_Sans_Fin = "la marque de fin des descripteurs de champs (0x0D) manque";
inline std::string Enregistrement_Incoherent(uint64_t annoncee, uint64_t champs) {
  return "la longueur d'enregistrement (" + std::to_string(annoncee) +
         " octets) ne correspond pas à celle de ses champs (" + std::to_string(champs) + " octets)";
}
inline std::string Longueur_Champ_Imposee(const std::string& champ, char type, uint64_t longueur,
                                          uint64_t imposee) {
  return "le champ " + champ + " de type " + std::string(1, type) + " a une longueur de " +
         std::to_string(longueur) + " octets au lieu de " + std::to_string(imposee);
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
  return "la taille du fichier (" + std::to_string(taille) + " octets) ne correspond pas à son en-tête (" +
         std::to_string(annonces) + " enregistrements de " + std::to_string(longueur) +
         " octets après un en-tête de " + std::to_string(entete) + " octets)";
}
inline std::string Champ_Pas_Memo(const std::string& champ) { return "le champ " + champ + " n'est pas un mémo"; }

// ---- dBase tables: records a damaged table keeps from being read ----
inline std::string Plage_Enregistrements(int64_t premier, int64_t dernier) {
  if (premier == dernier) return "l'enregistrement " + std::to_string(premier);
  return "les enregistrements " + std::to_string(premier) + " à " + std::to_string(dernier);
}
inline std::string Omission_Tronquee(int64_t annonces, int64_t complets) {
  return "son en-tête annonce " + std::to_string(annonces) + " enregistrements, mais le fichier n'en contient " +
         (complets == 0 ? std::string("aucun complet") :
          "que " + std::to_string(complets) + (complets == 1 ? " complet" : " complets"));
}
inline std::string Omission_Surplus(int64_t annonces, int64_t en_plus) {
  return "le fichier contient " + std::to_string(en_plus) + " enregistrement" + (en_plus > 1 ? "s" : "") +
         " de plus que les " + std::to_string(annonces) + " annoncés par son en-tête";
}
inline std::string Omission_Marque_Fin(int64_t enregistrement, int64_t annonces) {
  return "une marque de fin de table (0x1A) se trouve au début de l'enregistrement " + std::to_string(enregistrement) +
         ", avant la fin des " + std::to_string(annonces) + " enregistrements annoncés par son en-tête";
}
inline std::string Omission_Indicateur(int64_t premier, int64_t dernier) {
  return Plage_Enregistrements(premier, dernier) + (premier == dernier ? " a" : " ont") +
         " un indicateur de suppression incorrect (ni un blanc ni « * »)";
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
  return "a une longueur incorrecte (" + std::to_string(longueur) + " octets)";
}
inline std::string Memo_Depasse_Fin(uint64_t longueur) {
  return "a une longueur de " + std::to_string(longueur) + " octets qui dépasse la fin du fichier mémo";
}
inline std::string Memo_Trop_Long(uint64_t longueur, uint64_t mo) {
  return "a une longueur de " + std::to_string(longueur) + " octets, au-delà des " + std::to_string(mo) +
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

// ---- The Windows window: clipboard, save dialog, screen reader ----
inline constexpr const char* Presse_Papiers_Occupe =
    "Le presse-papiers est occupé par un autre programme : rien n'a été copié. Réessayez";
inline std::string Dialogue_Enregistrement_Impossible(unsigned long code) {
  return "La fenêtre d'enregistrement n'a pas pu s'ouvrir (code " + std::to_string(code) + ")";
}
inline std::string Dialogue_Impression_Impossible(unsigned long code) {
  return "La fenêtre d'impression n'a pas pu s'ouvrir (code " + std::to_string(code) + ")";
}
inline constexpr const char* Aucune_Imprimante =
    "Aucune imprimante n'est installée : installez-en une (« Microsoft Print to PDF » suffit), puis relancez "
    "« Imprimer… »";
// A cell of the recap grid as a screen reader names it: its column, then its rubric.
inline std::string Nom_Cellule(const std::string& colonne, const std::string& rubrique) {
  return colonne + (rubrique.empty() ? std::string() : ", rubrique " + rubrique);
}

}  // namespace textes
