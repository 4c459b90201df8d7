// The scaffolding of the table-driven damage tests: a case (a damage, a month, and the error or
// the warnings with the records they name), the damage builders, and the check of a case.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Dommages.h"
#include "support/Dossier_Temporaire.h"

namespace test {

using TDommage = std::function<void(TFichiers&)>;

struct TCas {
  std::string nom;
  std::string fixture;  // "" for the sample folder
  TDommage dommage;
  std::string mois;
  // "$" stands for the folder as typed. An error, or else the warnings and the records they name.
  std::string erreur = {};
  std::vector<std::string> avertissements = {};
  TPlages sans = {};
  // The payslips the warnings say are left out, when not the records they name: those named
  // beyond the first ten, a deleted record that is no payslip.
  int64_t non_comptes = -1;
};

inline std::string Dans(std::string texte, const std::string& dossier) {
  for (size_t i = texte.find('$'); i != std::string::npos; i = texte.find('$', i + dossier.size()))
    texte.replace(i, 1, dossier);
  return texte;
}

inline void Remplacer(std::string& octets, size_t position, const std::string& par) {
  octets.replace(position, par.size(), par);
}

// ---- Damage to a table ----
inline TDommage Couper(const std::string& fichier, int64_t enregistrement, size_t octets_gardes) {
  return [=](TFichiers& f) { f[fichier].resize(Debut_Enregistrement(f[fichier], enregistrement) + octets_gardes); };
}
inline TDommage Annoncer(const std::string& fichier, uint32_t nombre) {
  return [=](TFichiers& f) { Ecrire_32(f[fichier], 4, nombre); };
}
inline TDommage Entete_16(const std::string& fichier, size_t position, uint16_t valeur) {
  return [=](TFichiers& f) { Ecrire_16(f[fichier], position, valeur); };
}
inline TDommage Octet(const std::string& fichier, size_t position, char valeur) {
  return [=](TFichiers& f) { f[fichier].at(position) = valeur; };
}
inline TDommage Indicateurs(const std::string& fichier, std::vector<int64_t> enregistrements, char valeur) {
  return [=](TFichiers& f) {
    for (int64_t e : enregistrements) f[fichier].at(Debut_Enregistrement(f[fichier], e)) = valeur;
  };
}
inline TDommage Ensemble(std::vector<TDommage> dommages) {
  return [=](TFichiers& f) {
    for (const TDommage& d : dommages) d(f);
  };
}

// ---- Damage to a memo: bytes from where the memo of an enregistrement starts ----
inline TDommage Memo(int64_t enregistrement, size_t decalage, std::string octets) {
  return [=](TFichiers& f) {
    Remplacer(f[Nom_Memo(f)], Debut_Memo(f, enregistrement) + decalage, octets);
  };
}
// Its bloc-th block (from 0) zeroed.
inline TDommage Memo_Zero(int64_t enregistrement, size_t bloc = 0) {
  return [=](TFichiers& f) {
    const size_t taille = Taille_Bloc_Memo(f);
    Remplacer(f[Nom_Memo(f)], Debut_Memo(f, enregistrement) + bloc * taille, std::string(taille, '\0'));
  };
}
inline TDommage Pointeur(int64_t enregistrement, std::string octets) {
  return [=](TFichiers& f) { Remplacer(f["PAIES.DTA"], Debut_Montants(f["PAIES.DTA"], enregistrement), octets); };
}
inline TDommage Couper_Memo(int64_t enregistrement, size_t octets_gardes) {
  return [=](TFichiers& f) { f[Nom_Memo(f)].resize(Debut_Memo(f, enregistrement) + octets_gardes); };
}

inline const std::string Paies = "PAIES.DTA", Rubriques = "RUBRIQUE.DTA";
inline const std::string Table_Paies = "Attention : la table $\\PAIES.DTA est endommagée : ";
inline const std::string Non_Lu = " n'a pas été lu : le calcul ne compte pas son bulletin.";
inline const std::string Non_Lus = " n'ont pas été lus : le calcul ne compte pas leurs bulletins.";
inline const std::string Erreur_Rubriques = "La table $\\RUBRIQUE.DTA est endommagée : ";
inline const std::string Erreur_Paies = "La table $\\PAIES.DTA est endommagée : ";
inline const std::string Indicateur = " un indicateur de suppression incorrect (ni un blanc ni «\u00A0*\u00A0»)";

inline std::string Bulletin(int64_t enregistrement, const std::string& identite, const std::string& defaut) {
  return "Attention : le bulletin de l'enregistrement " + std::to_string(enregistrement) + " de la table $\\PAIES.DTA (" +
         identite + ") n'est pas compté dans le calcul : le mémo de son champ MONTANTS " + defaut + ".";
}
inline const std::string Durand = "MATRICULE 00001, NOM DURAND Élodie";
inline const std::string Pas_Texte = "n'est pas du texte : il contient des octets binaires ou nuls";
inline const std::string Eleve = "NOM Élève Noël";
inline const std::string Fin_Effacee = "se termine par un bloc d'octets nuls : la fin de son texte est effacée";

// Each case on a copy of the undamaged folder: the folder stays as it was, and the totals are
// the undamaged folder's without exactly the payslips that the warnings name.
struct DommagesTest : ::testing::Test {
  TDossierTemporaire intact, abime;

  void Verifier(const TCas& k) {
    SCOPED_TRACE(k.nom);
    TFichiers f = k.fixture.empty() ? Exemple() : Avec_Fixture(k.fixture);
    Ecrire_Fichiers(intact.Chemin(), f);
    k.dommage(f);
    Ecrire_Fichiers(abime.Chemin(), f);
    const TIssue r = Calculer(abime.Chemin(), k.mois);
    EXPECT_TRUE(r.dossier_intact);
    EXPECT_EQ(r.messages, std::vector<std::string>{});
    const std::string dossier = abime.Texte();
    EXPECT_EQ(r.erreur, Dans(k.erreur, dossier));
    if (!k.erreur.empty()) {
      EXPECT_FALSE(r.bilan.Grille_Commencee);
      return;
    }
    std::vector<std::string> attendus;
    for (const std::string& a : k.avertissements) attendus.push_back(Dans(a, dossier));
    EXPECT_EQ(r.bilan.Avertissements, attendus);
    EXPECT_EQ(Non_Comptes(r.bilan.Avertissements), k.sans);
    int64_t nommes = 0;  // the count that heads the warnings on screen
    for (const auto& [premier, dernier] : k.sans) nommes += dernier - premier + 1;
    EXPECT_EQ(r.bilan.Avertissements.Non_Comptes, k.non_comptes >= 0 ? k.non_comptes : nommes);
    const TReference attendu = Reference(intact.Chemin(), k.mois, k.sans);
    EXPECT_TRUE(Totaux_Identiques(r.TOT_RUB, attendu.TOT_RUB));
    EXPECT_EQ(r.bilan.Bulletins, attendu.Bulletins);
    EXPECT_TRUE(r.bilan.Grille_Remplie);
  }
};

}  // namespace test
