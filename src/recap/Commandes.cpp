#include "recap/Commandes.h"

#include <algorithm>

#include "platform/Fichiers.h"
#include "recap/Classeur.h"
#include "platform/Textes.h"

namespace recap {

namespace {

void Imprimer(const TTableau& tableau, const TServices_Fenetre& s) {
  const TImprimante imprimante = s.Choisir_Imprimante(Demande_Impression(tableau, s.Mesure));
  if (!imprimante) return;
  const auto attente = s.Curseur(true);
  imprimante(tableau);
}

void Exporter_Pdf(const TTableau& tableau, const TServices_Fenetre& s) {
  if (!s.Pdf) return;
  const auto chemin = s.Demander_Chemin(Demande_Enregistrement(tableau, TFormat_Fichier::Pdf));
  if (!chemin) return;
  const auto attente = s.Curseur(true);
  plateforme::Enregistrer_Fichier(*chemin, s.Pdf(tableau, Demande_Impression(tableau, s.Mesure)));
}

}  // namespace

std::optional<int> Rubrique_De_Rangee(const TTableau& Tableau, int Rangee) {
  if (Rangee < 1 || Rangee >= Tableau.Nombre_Rangees() || Tableau.Lignes[Rangee - 1].Cellules.empty()) return std::nullopt;
  const TCellule& cellule = Tableau.Lignes[Rangee - 1].Cellules.front();
  if (cellule.Genre != TGenre_Cellule::Entier || cellule.Vide()) return std::nullopt;
  const long double n = cellule.Valeur;
  if (n < TTAB_VALEURS::Premier || n > TTAB_VALEURS::Dernier) return std::nullopt;
  return static_cast<int>(n);
}

TEtat_Commandes Etat_Commandes(const TDernier_Calcul& Dernier, const TTableau& Tableau, int Rangee, bool Dossier_KORVEX) {
  const bool a_jour = Grille_A_Jour(Dernier);
  return {a_jour, a_jour && Rubrique_De_Rangee(Tableau, Rangee).has_value(), Dossier_KORVEX};
}

// Every table window has the same entries, in the order users know from the recap; the main
// window adds the two that open the others.
std::vector<TEntree_Commande> Commandes(TGenre_Fenetre Fenetre, const TCapacites& Capacites) {
  std::vector<TEntree_Commande> entrees{
      {TCommande::Copier, textes::Action_Copier, 'C', TPortee::Grille},
      {TCommande::Copier_Tout, textes::Action_Copier_Tout, 0, TPortee::Grille},
      {TCommande::Tout_Selectionner, textes::Action_Tout_Selectionner, 'A', TPortee::Grille},
  };
  if (Fenetre == TGenre_Fenetre::Recap) {
    entrees.push_back({TCommande::Detail, textes::Action_Detail, 'D', TPortee::Grille, true});
    entrees.push_back({TCommande::Comparer, textes::Action_Comparer, 'M', TPortee::Fenetre});
    entrees.push_back({TCommande::Cumuls, textes::Action_Cumuls, 'U', TPortee::Fenetre});
    entrees.push_back({TCommande::Controles, textes::Action_Controles, 'K', TPortee::Fenetre});
  }
  entrees.push_back({TCommande::Exporter_Csv, textes::Action_Exporter_Csv, 'S', TPortee::Fenetre, true});
  entrees.push_back({TCommande::Exporter_Excel, textes::Action_Exporter_Excel, 'E', TPortee::Fenetre});
  entrees.push_back({TCommande::Imprimer, textes::Action_Imprimer, 'P', TPortee::Fenetre});
  if (Capacites.Pdf) entrees.push_back({TCommande::Exporter_Pdf, textes::Action_Exporter_Pdf, 0, TPortee::Fenetre});
  return entrees;
}

std::optional<TCommande> Commande_Activation(TGenre_Fenetre Fenetre) {
  if (Fenetre == TGenre_Fenetre::Recap) return TCommande::Detail;
  return std::nullopt;
}

std::string Texte_Raccourci(const TEntree_Commande& Entree) {
  return Entree.Touche != 0 ? textes::Touche_Ctrl + std::string(1, Entree.Touche) : std::string();
}

// Only the last click's recap leaves the window: a stale or partial grid is not taken away,
// compared or detailed.
bool Commande_Active(TCommande Commande, const TEtat_Commandes& Etat) {
  if (Commande == TCommande::Detail) return Etat.Rubrique_Courante;
  // The cumuls read the folder, whatever the grid holds.
  if (Commande == TCommande::Cumuls) return Etat.Dossier_KORVEX;
  return Etat.Tableau_A_Jour;
}

std::optional<TEntree_Commande> Commande_De_Touche(TGenre_Fenetre Fenetre, const TCapacites& Capacites, char Touche) {
  const auto entrees = Commandes(Fenetre, Capacites);
  const auto e = std::find_if(entrees.begin(), entrees.end(), [Touche](const auto& e) { return Touche != 0 && e.Touche == Touche; });
  if (e == entrees.end()) return std::nullopt;
  return *e;
}

void Executer_Commande(TCommande Commande, const TTableau& Tableau, const TEtat_Commandes& Etat,
                       const TServices_Fenetre& Services) {
  if (!Commande_Active(Commande, Etat)) return;
  switch (Commande) {
    case TCommande::Copier: {
      const std::string texte = Texte_Copie(Tableau, Services.Selection());
      if (!texte.empty()) Services.Presse_Papiers(texte);
      break;
    }
    case TCommande::Copier_Tout: {
      const std::string texte = Texte_Copie(Tableau, Zone_Donnees(Tableau));
      if (!texte.empty()) Services.Presse_Papiers(texte);
      break;
    }
    case TCommande::Tout_Selectionner: Services.Tout_Selectionner(); break;
    case TCommande::Exporter_Csv: Exporter_Csv(Tableau, Services.Demander_Chemin); break;
    case TCommande::Imprimer: Imprimer(Tableau, Services); break;
    case TCommande::Exporter_Pdf: Exporter_Pdf(Tableau, Services); break;
    case TCommande::Exporter_Excel: Exporter_Excel(Tableau, Services.Demander_Chemin); break;
    case TCommande::Comparer: Services.Ouvrir_Comparaison(); break;
    case TCommande::Cumuls: Services.Ouvrir_Cumuls(); break;
    case TCommande::Controles: Services.Ouvrir_Controles(); break;
    case TCommande::Detail:
      if (const auto rubrique = Rubrique_De_Rangee(Tableau, Services.Rangee_Courante())) Services.Ouvrir_Detail(*rubrique);
      break;
  }
}

}  // namespace recap
