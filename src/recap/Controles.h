// A month's payslips checked before they are paid, against a reference month: who entered, who
// left, who has several payslips, which payslip names nobody, whose net is negative or nil, who
// has no amount, which rubric has no label, whose net moved. Both months are read in one scan.
// What damage left out is never taken for an absence: a check it may change is "Non vérifiable",
// with the warning that says why.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "recap/Comparaison.h"
#include "recap/Paies.h"
#include "recap/Seuil.h"
#include "recap/Tableau.h"

namespace recap {

// In the table's order of checks.
enum class TControle {
  Entree, Sortie, Doublon, Sans_Matricule, Net_Negatif, Net_Nul, Sans_Montant, Sans_Libelle, Ecart_Net
};
enum class TNiveau { A_Verifier, Anomalie, Non_Verifiable };

struct TConstat {
  TControle Controle = TControle::Entree;
  TNiveau Niveau = TNiveau::A_Verifier;
  // Of the month's payslip, or of the reference's for a leaver; 0 for a check that damage kept
  // from being made for all.
  int64_t Enregistrement = 0;
  TChamps_Bulletin Identite;
  std::string Texte;
  std::optional<long double> Montant;
};

struct TDemande_Controles {
  std::string Chemin;          // the folder as typed
  std::string Mois;            // a month mm-aaaa, blanks around it ignored
  std::string Mois_Reference;  // likewise; empty for the month before
  TSeuil Seuil = Seuil_Defaut;  // a net moves when it changes by this share of the reference's
};

struct TControles {
  std::string Dossier, Mois, Reference;
  TSeuil Seuil = Seuil_Defaut;
  std::time_t Date_Heure = 0;
  std::vector<std::string> Noms_Champs;  // the identity's fields
  bool Identite = true;  // false: no character field but MOIS, the checks by employee not made
  std::vector<TConstat> Constats;  // by check, then by record
  int Anomalies = 0, A_Verifier = 0, Non_Verifiables = 0;
  int Bulletins = 0, Bulletins_Reference = 0;
  // Each of the month's payslips, by record, with its net in ten-thousandths.
  std::vector<std::pair<int64_t, TSomme_Exacte>> Nets;
  TAvertissements Avertissements;
};

// Reads PAIES.DTA once, behind the rename, then RUBRIQUE.DTA. Nothing, after the message, for a
// month or a reference that is not a month, a reference that is the month, or when PAIES.DTA is
// not there. Raises
// plateforme::EKorvex on every other failure, as a recap does.
std::optional<TControles> Controler(const TDemande_Controles& Demande, const TAfficherMessage& Message);

// A check as the table names it, and as JSON does ("entree", "net_negatif").
const char* Nom_Controle(TControle Controle);
const char* Code_Controle(TControle Controle);
const char* Nom_Niveau(TNiveau Niveau);

// CONTRÔLE, NIVEAU, ENREG., the identity's fields, CONSTAT, MONTANT; the anomalies highlighted.
TTableau Tableau_Controles(const TControles& Controles);
// The count line, then why checks were not made.
std::vector<std::string> Lignes_Resume_Controles(const TControles& Controles);

}  // namespace recap
