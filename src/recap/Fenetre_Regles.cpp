#include "recap/Fenetre_Regles.h"

#include <algorithm>

#include "forms/Description_Form1.h"

namespace recap {

namespace {

// The frame with its corner at (x, y), moved into the zone.
TCadre Dans_La_Zone(int x, int y, int largeur, int hauteur, const TCadre& zone) {
  return {std::clamp(x, zone.Gauche, zone.Droite() - largeur), std::clamp(y, zone.Haut, zone.Bas() - hauteur), largeur,
          hauteur};
}

bool Coin_Pris(const TCadre& c, const std::vector<TCadre>& ouvertes) {
  return std::any_of(ouvertes.begin(), ouvertes.end(),
                     [&](const TCadre& o) { return o.Gauche == c.Gauche && o.Haut == c.Haut; });
}

}  // namespace

bool Dans_Zone(const TCadre& Cadre, const TCadre& Zone) {
  return Cadre.Gauche >= Zone.Gauche && Cadre.Haut >= Zone.Haut && Cadre.Droite() <= Zone.Droite() &&
         Cadre.Bas() <= Zone.Bas();
}

TCadre Placer_Fenetre(const TCadre& Source, int Largeur, int Hauteur, const TCadre& Zone,
                      const std::vector<TCadre>& Ouvertes, int Decalage) {
  const int largeur = std::clamp(Largeur, 0, std::max(0, Zone.Largeur));
  const int hauteur = std::clamp(Hauteur, 0, std::max(0, Zone.Hauteur));
  TCadre cadre;
  if (Source.Droite() + largeur <= Zone.Droite())
    cadre = Dans_La_Zone(Source.Droite(), Source.Haut, largeur, hauteur, Zone);
  else if (Source.Bas() + hauteur <= Zone.Bas())
    cadre = Dans_La_Zone(Source.Gauche, Source.Bas(), largeur, hauteur, Zone);
  else
    cadre = Dans_La_Zone(Source.Gauche + Decalage, Source.Haut + Decalage, largeur, hauteur, Zone);
  // The cascade: each step lower and to the right; once out of the zone, again from its top
  // edge, one step further right each time, and from its corner once out on the right. A zone
  // too small for any free corner keeps the first place.
  const TCadre depart = cadre;
  int tours = 0;
  for (int pas = 0; pas < 4096 && Coin_Pris(cadre, Ouvertes); ++pas) {
    cadre.Gauche += Decalage;
    cadre.Haut += Decalage;
    if (Dans_Zone(cadre, Zone)) continue;
    cadre = {Zone.Gauche + ++tours * Decalage, Zone.Haut, largeur, hauteur};
    if (!Dans_Zone(cadre, Zone)) {
      cadre = {Zone.Gauche, Zone.Haut, largeur, hauteur};
      tours = 0;
    }
  }
  return Coin_Pris(cadre, Ouvertes) ? depart : cadre;
}

std::vector<TTouche> Touches_Fermeture(TGenre_Fenetre Genre) {
  if (Genre == TGenre_Fenetre::Recap) return {};
  return {{Touche_Echap, false}, {'W', true}};
}

bool Touche_Ferme(TGenre_Fenetre Genre, TTouche Touche) {
  const auto touches = Touches_Fermeture(Genre);
  return std::any_of(touches.begin(), touches.end(),
                     [&](const TTouche& t) { return t.Code == Touche.Code && t.Ctrl == Touche.Ctrl; });
}

int Hauteur_Avertissements(int Hauteur_Texte, int Hauteur_Ligne, int Marges, int Hauteur_Client) {
  if (Hauteur_Texte <= 0) return 0;
  return std::min(Hauteur_Texte, std::max(Hauteur_Client / 3, 3 * Hauteur_Ligne + Marges));
}

TPanel1 Disposer_Panel1(int Hauteur_Controle, int Hauteur_Resume, int Dpi) {
  const auto echelle = [Dpi](int pixels) { return pixels * Dpi / 96; };
  const auto& panneau = description::Controle("Panel1");
  const auto& controle = description::Controle("LabelFichierTrouve");
  const auto& resume = description::Controle("LabelResume");
  const int haut = std::max(echelle(resume.Top),
                            echelle(controle.Top) + Hauteur_Controle + echelle(description::Ecart_Sous_Controle));
  const int bas = echelle(panneau.Height - resume.Top - resume.Height);
  return {haut, std::max(echelle(panneau.Height), haut + std::max(echelle(resume.Height), Hauteur_Resume) + bas)};
}

}  // namespace recap
