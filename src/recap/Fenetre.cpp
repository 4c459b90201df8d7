#include "recap/Fenetre.h"

#include <algorithm>

#include "platform/Caracteres.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Periode.h"

namespace recap {

std::string Titre_Application(const std::string& Fichier_Executable) {
  const size_t separateur = Fichier_Executable.find_last_of("/\\");
  std::string nom = Fichier_Executable.substr(separateur == std::string::npos ? 0 : separateur + 1);
  nom = nom.substr(0, nom.find('.'));
  if (nom.empty()) return nom;
  const size_t premier = plateforme::Taille_Caractere_Utf8(nom, 0);
  return nom.substr(0, premier) + plateforme::Minuscules(nom.substr(premier));
}

std::string Texte_Controle_Dossier(const std::string& Chemin) { return Controler_Dossier(Chemin).Texte; }

TControle_Dossier Controler_Dossier(const std::string& Chemin) {
  if (plateforme::Fichier_Existe(Chemin_Paies(Chemin))) return {textes::Dossier_OK, true};
  // An interrupted calculation left the payslips under their temporary name.
  // The folder shows in the field beside it: the names alone keep the label short.
  if (!plateforme::Nom_Pris(Chemin_Paies(Chemin)) && plateforme::Nom_Pris(Chemin_Paies_Temporaire(Chemin)))
    return {textes::Calcul_Interrompu("PAIES.DTA", "PAIES.DBF"), false};
  return {textes::Dossier_Pas_KORVEX, false};
}

std::optional<std::string> Mois_Champ(const std::string& Texte) {
  std::string mois = Sans_Blancs(Texte);
  if (!Rang_Mois(mois)) return std::nullopt;
  return mois;
}

void Relire_Separateurs() noexcept {
  try {
    plateforme::Lire_Separateurs_Utilisateur();
  } catch (...) {
  }
}

void Sous_Garde(const TBoitesMessages& Boites, const std::function<void()>& Travail) {
  plateforme::Executer_Sous_Garde(Boites.Erreur, Travail);
}

void Calculer_Pour_Fenetre(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                           TGrille& Grille, const TAfficherMessage& Message, TDernier_Calcul& Dernier) {
  TBilan_Recap bilan;
  const auto echec = [&] {
    Dernier.Echec = true;
    if (!bilan.Grille_Commencee) return;
    Dernier.Calcul.reset();
    Dernier.Grille_Incomplete = true;
    ++Dernier.Numero;
  };
  try {
    Calculer_Recap(Chemin, Mois, TOT_RUB, Grille, Message, bilan, std::nullopt, true);
  } catch (...) {
    echec();
    throw;
  }
  if (!bilan.Grille_Remplie) return echec();
  Dernier = {Calcul_Fait(Chemin, Grille, TOT_RUB, bilan), false, false, Dernier.Numero + 1};
}

bool Grille_A_Jour(const TDernier_Calcul& Dernier) { return Dernier.Calcul && !Dernier.Echec; }

std::string Texte_Resume(const TDernier_Calcul& Dernier) {
  if (Dernier.Echec) {
    std::string texte = textes::Aucune_Recap;
    if (Dernier.Calcul) texte.append("\n").append(textes::Grille_Precedente(Dernier.Calcul->Mois, Dernier.Calcul->Dossier));
    if (Dernier.Grille_Incomplete && !Dernier.Calcul) texte += std::string("\n") + textes::Grille_Incomplete;
    return texte;
  }
  if (!Dernier.Calcul) return {};
  std::string texte;
  for (const std::string& ligne : Lignes_Resume(*Dernier.Calcul)) texte += (texte.empty() ? "" : "\n") + ligne;
  return texte;
}

const TAvertissements& Avertissements_Affiches(const TDernier_Calcul& Dernier) {
  static const TAvertissements aucun;
  return Dernier.Calcul && !Dernier.Echec ? Dernier.Calcul->Avertissements : aucun;
}

TTableau Tableau_Affiche(const TGrille& Grille, const TTAB_VALEURS& TOT_RUB, const TDernier_Calcul& Dernier) {
  TTableau t = Tableau_Recap(Grille, TOT_RUB, Dernier.Calcul ? &*Dernier.Calcul : nullptr);
  t.Perime = Dernier.Echec;
  return t;
}

namespace {

// Shows the grid however the calculation ends, before the guard shows any error.
class TAffichageFinal {
public:
  explicit TAffichageFinal(const std::function<void()>& afficher) : afficher_(afficher) {}
  ~TAffichageFinal() {
    try {
      afficher_();
    } catch (...) {
    }
  }
  TAffichageFinal(const TAffichageFinal&) = delete;
  TAffichageFinal& operator=(const TAffichageFinal&) = delete;

private:
  const std::function<void()>& afficher_;
};

}  // namespace

TBoitesMessages Boites_Curseur_Normal(const TBoitesMessages& Boites, const TCurseur& Curseur) {
  const auto normal = [Curseur](const std::function<void(const std::string&)>& boite) {
    return [Curseur, boite](const std::string& texte) {
      const auto fleche = Curseur(false);
      boite(texte);
    };
  };
  return {normal(Boites.Message), normal(Boites.Erreur)};
}

void Clic_Calculer_Recap(const std::string& Chemin, const std::string& Mois, TTAB_VALEURS& TOT_RUB,
                         TGrille& Grille, TDernier_Calcul& Dernier, const TBoitesMessages& Boites,
                         const std::function<void()>& Afficher, const TCurseur& Curseur) {
  const auto attente = Curseur(true);
  const TBoitesMessages boites = Boites_Curseur_Normal(Boites, Curseur);
  Sous_Garde(boites, [&] {
    const TAffichageFinal affichage(Afficher);
    Calculer_Pour_Fenetre(Chemin, Mois, TOT_RUB, Grille, [&](const std::string& texte) {
      Afficher();
      boites.Message(texte);
    }, Dernier);
  });
}

}  // namespace recap
