// The French texts of the windows: captions, what a screen reader says, tables, copies, exports,
// printouts. Every text the user can meet is in platform/Textes*.h: texts with a part that varies
// are small functions that put the part in its place.
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

inline constexpr const char* Mois_Incorrect =
    "Mois non précisé correctement. Il doit être sous la forme (mm-aaaa)";
inline constexpr const char* Entetes_Grille[5] = {"N° RUB", "LIBELLES", "BASES", "GAINS", "RETENUES"};
// ---- Copy, CSV export and summary of a recap ----
inline constexpr const char* Action_Copier = "Copier";
inline constexpr const char* Action_Copier_Tout = "Copier tout le tableau";
inline constexpr const char* Action_Tout_Selectionner = "Tout sélectionner";
inline constexpr const char* Action_Exporter_Csv = "Exporter en CSV…";
// Before the letter of a shortcut, as menus show it: "Ctrl+C".
inline constexpr const char* Touche_Ctrl = "Ctrl+";
// The save dialog's title, for every table and format: "Exporter la comparaison en Excel".
inline std::string Titre_Export(const std::string& designation, const char* format) {
  return "Exporter " + designation + " en " + format;
}
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
// The summary of a month without payslips.
inline std::string Aucun_Bulletin_Mois(const std::string& mois) { return "Aucun bulletin pour le mois " + mois + "."; }
// None counted, but damage left out records that may be of that month.
inline std::string Aucun_Bulletin_Lu_Mois(const std::string& mois) {
  return "Aucun bulletin n'a pu être lu pour le mois " + mois + " : les avertissements disent lesquels manquent.";
}
inline std::string Mois_Table(const std::string& premier, const std::string& dernier) {
  return premier == dernier ? "PAIES.DTA contient le mois " + premier + "."
                            : "PAIES.DTA contient les mois de " + premier + " à " + dernier + ".";
}
inline constexpr const char* Aucun_Mois_Table = "PAIES.DTA ne contient aucun bulletin d'un mois mm-aaaa.";
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
    "Le format de papier choisi est trop petit pour l'impression : choisissez un papier plus grand "
    "ou des marges plus petites.";
inline constexpr const char* Action_Imprimer = "Imprimer…";
inline constexpr const char* Action_Exporter_Pdf = "Exporter en PDF…";
inline constexpr const char* Type_Fichiers_Pdf = "Fichiers PDF (*.pdf)";
inline std::string Document_Imprime(const std::string& mois) { return "Récap KORVEX " + mois; }
inline constexpr const char* Impression_Echouee = "L'impression a échoué";
inline constexpr const char* Pdf_Impossible = "Impossible de produire le PDF";

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
// A month compared with itself would give each payslip to one side only.
inline std::string Reference_Egale(const std::string& mois) {
  return "Le mois de référence doit être un autre mois que " + mois + " : un mois comparé à lui-même ne dit rien.";
}
inline std::string Reference_Egale_Periode(const std::string& periode) {
  return "La période de référence doit être une autre période que " + periode +
         " : une période comparée à elle-même ne dit rien.";
}
inline constexpr const char* Reference_Hors_Calendrier =
    "La période de référence irait au-delà de 12-9999 : choisissez un mois de référence plus ancien.";
inline constexpr const char* Action_Comparer = "Comparer avec un autre mois…";
// "&" comes before the Alt letter, which the windows underline.
inline constexpr const char* Bouton_Comparer = "&Comparer";
inline constexpr const char* Libelle_Mois_Reference = "Mois de &référence :";
inline constexpr const char* Libelle_Seuil = "&Seuil (%) :";
inline constexpr const char* Case_Filtre = "Seulement les lignes à &vérifier";
// The reference's column when nothing was compared.
inline constexpr const char* Entete_Sans_Reference = "TOTAL (rien n'a été comparé)";
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

// ---- The Excel workbook of a table ----
inline constexpr const char* Action_Exporter_Excel = "Exporter en Excel…";
inline constexpr const char* Type_Fichiers_Excel = "Classeurs Excel (*.xlsx)";
// A sheet whose table has no name of its own: the name Excel gives a new one.
inline constexpr const char* Feuille_Sans_Nom = "Feuil1";

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
    "Aucune imprimante n'est installée : installez-en une («\u00A0Microsoft Print to PDF\u00A0» suffit), puis relancez "
    "«\u00A0Imprimer…\u00A0»";
// A cell of a grid as a screen reader names it: its column, its row, then its text.
inline std::string Nom_Cellule(const std::string& colonne, const std::string& nom_rangee, const std::string& rangee,
                               const std::string& texte) {
  std::string lieu = colonne;
  if (!rangee.empty()) lieu += (lieu.empty() ? "" : ", ") + nom_rangee + " " + rangee;
  return (lieu.empty() ? std::string() : lieu + " : ") + (texte.empty() ? std::string("vide") : texte);
}
// What the dialogs and messages call each table, and how a screen reader names its rows.
inline constexpr const char* Designation_Recap = "la récap";
inline constexpr const char* Designation_Comparaison = "la comparaison";
inline constexpr const char* Designation_Detail = "le détail";
inline constexpr const char* Nom_Rangee_Rubrique = "rubrique";
inline constexpr const char* Nom_Rangee_Enregistrement = "enregistrement";
// ---- The cumuls of several months ----
inline std::string Titre_Cumuls(const std::string& du, const std::string& au) { return "Cumuls — du " + du + " au " + au; }
inline constexpr const char* Nom_Feuille_Cumuls = "Cumuls";
inline constexpr const char* Nom_Feuille_Graphique = "Graphique";
inline constexpr const char* Prefixe_Fichier_Cumuls = "cumuls-KORVEX-";
inline std::string Document_Cumuls(const std::string& du, const std::string& au) {
  return "Cumuls KORVEX " + du + " à " + au;
}
inline constexpr const char* Designation_Cumuls = "les cumuls";
inline constexpr const char* Entete_Total_Cumuls = "TOTAL";
inline constexpr const char* Action_Cumuls = "Cumuls de plusieurs mois…";
inline constexpr const char* Libelle_Du = "&Du :";
inline constexpr const char* Libelle_Au = "&Au :";
inline constexpr const char* Bouton_Calculer_Cumuls = "&Calculer";
inline constexpr const char* Cumuls_Mois_Incorrects =
    "Les mois «\u00A0Du\u00A0» et «\u00A0Au\u00A0» doivent être des mois mm-aaaa, de 01 à 12.";
inline constexpr const char* Cumuls_Ordre = "Le mois «\u00A0Du\u00A0» doit venir avant le mois «\u00A0Au\u00A0», ou être le même.";
inline std::string Cumuls_Trop_Long(int maximum) {
  return "Les cumuls portent sur " + std::to_string(maximum) + " mois au plus.";
}
inline std::string Mois_Sans_Bulletin(const std::string& mois) { return "Aucun bulletin en " + mois + "."; }
inline std::string Mois_Non_Lus(const std::string& mois) {
  return "Bulletins non lus en " + mois + " : les avertissements disent lesquels manquent.";
}
inline constexpr const char* Aucun_Cumul = "Aucun cumul n'a été fait : le calcul n'a pas abouti.";
inline constexpr const char* Description_Graphique = "Graphique : gains et retenues de chaque mois, et le net";
inline constexpr const char* Legende_Gains = "Gains";
inline constexpr const char* Legende_Retenues = "Retenues";
inline constexpr const char* Legende_Net = "Net";

// After a sorted column's header.
inline constexpr const char* Tri_Croissant = " \u25B2";
inline constexpr const char* Tri_Decroissant = " \u25BC";
inline constexpr const char* Nom_Tri_Croissant = ", trié par ordre croissant";
inline constexpr const char* Nom_Tri_Decroissant = ", trié par ordre décroissant";
// A table that shows only the rows to check says so in its title.
inline constexpr const char* Titre_Filtre = " (seulement les lignes à vérifier)";

}  // namespace textes
