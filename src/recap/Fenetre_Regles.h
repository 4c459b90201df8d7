// The rules of our windows that every shell applies alike: where a new window opens, which keys
// close one, how high the warnings area and the main window's panel grow. Sizes are pixels of
// the screen the window is on.
#pragma once

#include <vector>

#include "recap/Commandes.h"

namespace recap {

// A window's frame, or a screen's work area.
struct TCadre {
  int Gauche = 0, Haut = 0, Largeur = 0, Hauteur = 0;
  int Droite() const { return Gauche + Largeur; }
  int Bas() const { return Haut + Hauteur; }
  bool operator==(const TCadre&) const = default;
};

// Whether the frame lies wholly inside the zone.
bool Dans_Zone(const TCadre& Cadre, const TCadre& Zone);

// Where a new window of that frame size opens from the window it comes from (Source): to its
// right, else below it, else offset from it, always wholly inside the work area of Source's
// screen (shrunk to it if need be). A corner that a window of ours already open takes (Ouvertes)
// moves on by the offset, as windows cascade, and starts again from the zone's corner when the
// cascade would leave the zone.
TCadre Placer_Fenetre(const TCadre& Source, int Largeur, int Hauteur, const TCadre& Zone,
                      const std::vector<TCadre>& Ouvertes, int Decalage);

// A key: Touche_Echap, or a letter in upper case; with Ctrl or not.
inline constexpr int Touche_Echap = 0x1B;
struct TTouche {
  int Code;
  bool Ctrl;
};
// The keys that close a table window from any of its controls: Escape and Ctrl+W. The main
// window has none but the system's Alt+F4: Escape there would lose the recap.
std::vector<TTouche> Touches_Fermeture(TGenre_Fenetre Genre);
bool Touche_Ferme(TGenre_Fenetre Genre, TTouche Touche);

// The warnings area's height for a text of that height, its margins included: all of it up to
// a third of the window's client height, never less than three lines once it scrolls, so that
// its bar keeps both arrows and a thumb. 0 when there is no text.
int Hauteur_Avertissements(int Hauteur_Texte, int Hauteur_Ligne, int Marges, int Hauteur_Client);

// The main window's panel. The folder check and the summary wrap at the summary's width (the
// check on one line while it fits); the summary comes under the check, at its designed place
// while the check keeps to one line; the panel keeps its designed height, grown to hold the
// summary, which keeps at least its designed room. Heights in pixels of the screen; Dpi scales
// the description's.
struct TPanel1 {
  int Haut_Resume, Hauteur;
};
TPanel1 Disposer_Panel1(int Hauteur_Controle, int Hauteur_Resume, int Dpi);

}  // namespace recap
