// The texts of the controls of a month before it is paid, of the payslip view and of the gaps by
// employee.
#pragma once

#include <string>
#include <vector>

#include "platform/Textes_Dommages.h"

namespace textes {

// ---- The controls ----
inline std::string Titre_Controles(const std::string& mois, const std::string& reference) {
  return "Contrôles — mois " + mois + " / " + reference;
}
inline std::string Titre_Sans_Controles(const std::string& mois) { return "Contrôles — mois " + mois + " : rien n'a été contrôlé"; }
inline constexpr const char* Action_Controles = "Contrôles du mois…";
inline constexpr const char* Bouton_Controler = "&Contrôler";
inline constexpr const char* Designation_Controles = "les contrôles";
inline std::string Nom_Feuille_Controles(const std::string& mois) { return "Contrôles " + mois; }
inline constexpr const char* Prefixe_Fichier_Controles = "controles-KORVEX-";
inline constexpr const char* Aucun_Controle = "Aucun contrôle n'a été fait : le calcul n'a pas abouti.";
inline constexpr const char* Nom_Rangee_Constat = "constat";

inline constexpr const char* Entete_Niveau = "NIVEAU";
inline constexpr const char* Entete_Constat = "CONSTAT";
inline constexpr const char* Niveau_Anomalie = "Anomalie";
inline constexpr const char* Niveau_Non_Verifiable = "Non vérifiable";

// The checks, as the table's first column names them.
inline constexpr const char* Controle_Entree = "Entrée";
inline constexpr const char* Controle_Sortie = "Sortie";
inline constexpr const char* Controle_Doublon = "Bulletins multiples";
inline constexpr const char* Controle_Sans_Matricule = "Bulletin sans matricule";
inline constexpr const char* Controle_Net_Negatif = "Net négatif";
inline constexpr const char* Controle_Net_Nul = "Net nul";
inline constexpr const char* Controle_Sans_Montant = "Bulletin sans montant";
inline constexpr const char* Controle_Sans_Libelle = "Rubrique sans libellé";
inline constexpr const char* Controle_Ecart_Net = "Écart de net";

// A finding's text.
inline std::string Constat_Entree(const std::string& reference) { return "Entrée : aucun bulletin en " + reference; }
inline std::string Constat_Sortie(const std::string& reference, const std::string& mois) {
  return "Sortie : bulletin en " + reference + ", aucun en " + mois;
}
inline std::string Constat_Doublon(const std::vector<std::string>& enregistrements) {
  return std::to_string(enregistrements.size()) + " bulletins ce mois (enregistrements " + Liste_Et(enregistrements) + ")";
}
inline std::string Constat_Net_Negatif(const std::string& net) { return "Net négatif : " + net; }
inline constexpr const char* Constat_Net_Nul = "Net nul";
inline constexpr const char* Constat_Sans_Montant = "Bulletin sans montant";
inline std::string Constat_Sans_Libelle(int rubrique, const std::string& montant) {
  return "Rubrique " + std::to_string(rubrique) + " sans libellé dans RUBRIQUE.DTA : " + montant;
}
// pourcent: "+20,9 %", or empty when the reference's net is nil.
inline std::string Constat_Ecart_Net(const std::string& avant, const std::string& apres, const std::string& pourcent) {
  return "Net : " + avant + " → " + apres + (pourcent.empty() ? "" : " (" + pourcent + ")");
}

// A payslip whose identity is blank cannot be told apart from another.
inline std::string Constat_Sans_Matricule(bool matricule) {
  return std::string(matricule ? "Bulletin sans matricule" : "Bulletin sans identité : aucun de ses champs n'est renseigné") +
         " ; il n'entre dans aucun contrôle d'entrée, de sortie, de bulletins multiples ni d'écart de net";
}
inline std::string Enregistrement_Sans_Identite(long long enregistrement) {
  return "Enregistrement " + std::to_string(enregistrement);
}

// What damage kept from being checked, each followed by the warning that says why.
inline std::string Constat_Entree_Non_Verifiable(const std::string& reference) {
  return "Entrée non vérifiable : aucun bulletin lu en " + reference + ".";
}
inline std::string Constat_Sortie_Non_Verifiable(const std::string& reference, const std::string& mois) {
  return "Sortie non vérifiable : bulletin en " + reference + ", aucun lu en " + mois + ".";
}
inline constexpr const char* Constat_Doublon_Non_Verifiable =
    "Bulletins multiples non vérifiables : un enregistrement de ce salarié n'a pas de mois lisible.";
inline constexpr const char* Constat_Doublons_Non_Verifiables =
    "Bulletins multiples non vérifiables : des enregistrements n'ont pas été lus.";
inline constexpr const char* Constat_Ecart_Non_Verifiable = "Écart de net non vérifiable : un de ses bulletins n'est pas compté.";
inline std::string Constat_Ecart_Lus(const std::string& ecart) {
  return ecart + ", sur les bulletins lus : non vérifiable.";
}
inline constexpr const char* Constat_Ecarts_Non_Verifiables =
    "Écart de net non vérifiable pour les salariés qui ne sont pas nommés ici : des enregistrements n'ont pas été lus.";
inline std::string Raison_Non_Verifiable(const std::string& constat, const std::string& avertissement, size_t autres) {
  return constat + " " + avertissement +
         (autres == 0 ? std::string()
                      : autres == 1 ? std::string(" (et 1 autre avertissement)")
                                    : " (et " + std::to_string(autres) + " autres avertissements)");
}

// The count line.
inline std::string Compte_Constats(int anomalies, int a_verifier, int non_verifiables) {
  std::string texte = anomalies == 0   ? std::string("Aucune anomalie")
                      : anomalies == 1 ? std::string("1 anomalie")
                                       : std::to_string(anomalies) + " anomalies";
  if (a_verifier > 0) texte += ", " + std::to_string(a_verifier) + (a_verifier == 1 ? " point à vérifier" : " points à vérifier");
  if (non_verifiables > 0)
    texte += ", " + std::to_string(non_verifiables) +
             (non_verifiables == 1 ? " constat non vérifiable" : " constats non vérifiables");
  return texte;
}
inline constexpr const char* Sans_Identite =
    "Les contrôles d'entrée, de sortie, de bulletins multiples et d'écart de net n'ont pas été faits : PAIES.DTA "
    "n'a pas de champ caractère autre que MOIS pour reconnaître les salariés.";

// ---- The payslip view ----
inline std::string Titre_Bulletin(long long enregistrement, const std::string& identite, const std::string& mois) {
  return "Bulletin — enregistrement " + std::to_string(enregistrement) + (identite.empty() ? "" : " — " + identite) +
         " — mois " + mois;
}
inline constexpr const char* Designation_Bulletin = "le bulletin";
inline std::string Nom_Feuille_Bulletin(long long enregistrement) { return "Bulletin " + std::to_string(enregistrement); }
inline std::string Nom_Fichier_Bulletin(long long enregistrement) { return "bulletin-KORVEX-" + std::to_string(enregistrement); }
inline std::string Bulletin_Introuvable(long long enregistrement) {
  return "L'enregistrement " + std::to_string(enregistrement) +
         " de PAIES.DTA n'est pas un bulletin : il n'existe pas, il est supprimé ou son mois n'est pas un mois mm-aaaa.";
}
// The month of a payslip damage left out, when its record could not be read.
inline constexpr const char* Mois_Illisible = "illisible";
inline constexpr const char* Ligne_Gains = "Gains";
inline constexpr const char* Ligne_Retenues = "Retenues";
inline constexpr const char* Ligne_Net = "Net";

// ---- The gaps by employee ----
inline std::string Titre_Ecarts(int rubrique, const std::string& libelle, const std::string& mois, const std::string& reference) {
  return "Écarts par salarié — rubrique " + std::to_string(rubrique) + (libelle.empty() ? "" : " " + libelle) + " — mois " +
         mois + " / " + reference;
}
inline constexpr const char* Designation_Ecarts = "les écarts par salarié";
inline std::string Nom_Feuille_Ecarts(int rubrique) { return "Écarts " + std::to_string(rubrique); }
inline std::string Nom_Fichier_Ecarts(int rubrique, const std::string& mois) {
  return "ecarts-KORVEX-" + std::to_string(rubrique) + "-" + mois;
}
inline std::string Compte_Salaries(size_t n) {
  return n == 1 ? std::string("1 salarié") : std::to_string(n) + " salariés";
}

}  // namespace textes
