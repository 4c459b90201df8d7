#include "recap/Fenetre_Comparaison.h"

#include "platform/Separateurs.h"
#include "platform/Textes.h"

namespace recap {

TFenetre_Comparaison Ouvrir_Comparaison(const TCalcul& Calcul) {
  TFenetre_Comparaison f;
  f.Calcul = Calcul;
  f.Dossier = Calcul.Dossier;
  f.Mois = Calcul.Mois;
  f.Mois_Reference = Mois_Precedent(Calcul.Mois).value_or("");
  f.Seuil = Texte_Seuil(Seuil_Defaut, plateforme::DecimalSeparator());
  return f;
}

void Clic_Comparer(TFenetre_Comparaison& Fenetre, const TBoitesMessages& Boites, const TCurseur& Curseur) {
  Fenetre.Comparaison.reset();
  Fenetre.Echec = true;
  const TBoitesMessages boites = Boites_Curseur_Normal(Boites, Curseur);
  Sous_Garde(boites, [&] {
    if (!Mois_Champ(Fenetre.Mois_Reference)) return boites.Message(textes::Mois_Reference_Pas_Un_Mois);
    const auto seuil = Lire_Seuil(Fenetre.Seuil);
    if (!seuil) return boites.Message(textes::Seuil_Incorrect);
    const auto attente = Curseur(true);
    TDemande_Comparaison demande{Fenetre.Dossier, Fenetre.Mois, Fenetre.Mois_Reference, std::nullopt, *seuil, true};
    Fenetre.Comparaison = Comparer(demande, boites.Message);
    Fenetre.Echec = !Fenetre.Comparaison;
    if (!Fenetre.Comparaison) return;
    const TComparaison& c = *Fenetre.Comparaison;
    if (!Meme_Lecture(Fenetre.Calcul, c.Resume.Bulletins, *c.Totaux_Mois, *c.Empreintes_Mois))
      Avertir_Bulletins_Changes(Fenetre.Comparaison->Avertissements);
  });
}

TTableau Tableau_Affiche(const TFenetre_Comparaison& Fenetre) {
  if (Fenetre.Comparaison) return Tableau_Comparaison(*Fenetre.Comparaison);
  TComparaison vide;
  vide.Dossier = Fenetre.Dossier;
  vide.Mois.Debut = Fenetre.Mois;
  vide.Reference.Debut = Fenetre.Mois_Reference;
  TTableau t = Tableau_Comparaison(vide);
  t.Resume.clear();
  if (Fenetre.Echec) {
    t.Titre = textes::Titre_Sans_Comparaison(Fenetre.Mois);
    t.Colonnes[Colonne_Total_Reference].Entete = textes::Entete_Sans_Reference;
  }
  return t;
}

std::string Texte_Resume(const TFenetre_Comparaison& Fenetre) {
  if (!Fenetre.Comparaison) return Fenetre.Echec ? textes::Aucune_Comparaison : "";
  std::string texte;
  for (const auto& ligne : Tableau_Comparaison(*Fenetre.Comparaison).Resume) texte += (texte.empty() ? "" : "\n") + ligne;
  return texte;
}

TEtat_Commandes Etat_Commandes(const TFenetre_Comparaison& Fenetre) { return {Fenetre.Comparaison.has_value(), false}; }

}  // namespace recap
