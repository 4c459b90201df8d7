// The table windows that the main window opens on its recap, and that their rows open: one
// class built from its kind's description (a panel of fields above the grid for the kinds that
// have one), around a model of the core that decides what it shows (recap/Fenetre_Tableau.h).
// Each is a top-level window owned by the main one, modeless.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "recap/Commandes.h"
#include "recap/Fenetre_Regles.h"
#include "recap/Fenetre_Tableau.h"
#include "win32/Dialogues_Win32.h"
#include "win32/Fenetre_Base.h"
#include "win32/Grille_Win32.h"

namespace win32 {

// A window's frame on the screen, as the core's rules read it.
recap::TCadre Cadre_De(HWND fenetre);

class TFenetre_Tableau : public TFenetre_Base<TFenetre_Tableau> {
public:
  // Called when the user closes the window: its owner then deletes it.
  using TFermeture = std::function<void(TFenetre_Tableau&)>;
  // A row asked for a window of ours: its owner opens it.
  using TOuverture = std::function<void(std::unique_ptr<recap::TModele_Fenetre>, const TFenetre_Tableau& Source)>;

  // A hidden window of the model's kind, owned by Proprietaire, placed by the window rules from
  // Source among the windows Ouvertes; its errors and messages go to Boites, as the main
  // window's do. A window with a panel is validated at once.
  TFenetre_Tableau(std::unique_ptr<recap::TModele_Fenetre> Modele, HWND Proprietaire, HWND Source,
                   const std::vector<recap::TCadre>& Ouvertes, recap::TBoitesMessages Boites, TDialogues Dialogues,
                   TFermeture Fermee, TOuverture Ouvrir);
  ~TFenetre_Tableau();

  // Shown in front, the focus on the grid.
  void Afficher(int commande_affichage = SW_SHOWNORMAL);
  // Starts again from this model of the same kind: its fields, validated at once.
  void Remplacer(std::unique_ptr<recap::TModele_Fenetre> Modele);
  // The panel's button, or Enter in one of its fields.
  void Valider();

  // Runs an entry of the command table on the table the grid shows.
  void Executer(recap::TCommande Commande);
  // The window's keyboard messages before they are dispatched: its closing keys, its shortcuts,
  // Tab and the Alt letters, and Enter, which validates in a field and presses no button. True
  // when the message was consumed.
  bool Traiter_Clavier(MSG& msg);

  recap::TGenre_Fenetre Genre() const { return modele_->Genre(); }
  bool Occupe() const { return occupe_; }
  int Dpi() const { return dpi_; }
  // The control that the description names so; null for one this window lacks.
  HWND Controle(std::string_view nom) const;

  std::unique_ptr<TGrilleWin32> GrilleTableau;
  HWND PanelTableau = nullptr;
  std::vector<HWND> Champs;  // the panel's fields, in the description's order
  HWND Bouton = nullptr;
  HWND CaseFiltre = nullptr;
  HWND LabelResumeTableau = nullptr;
  HWND LabelAvertissementsTableau = nullptr;
  HWND Graphique = nullptr;  // the chart under the grid, for the kinds that have one

private:
  friend class TFenetre_Base<TFenetre_Tableau>;
  LRESULT Traiter(UINT msg, WPARAM wp, LPARAM lp);
  void Creer_Controles();
  void Placer_Controles();
  void Changer_Police();
  void Demarrer();
  // What the model shows: the table, the title, the summary and the warnings under it.
  void Montrer();
  void Commande_Panneau(int id, WORD notification);
  void Activer_Rangee();
  recap::TCurseur Curseur();
  int Echelle(int pixels) const { return win32::Echelle(pixels, dpi_); }
  const description::TFenetre_Tableau& Description() const { return modele_->Description(); }

  std::unique_ptr<recap::TModele_Fenetre> modele_;
  recap::TBoitesMessages Boites_;
  TDialogues Dialogues_;
  TFermeture fermee_;
  TOuverture ouvrir_;
  std::vector<std::pair<std::string_view, HWND>> panneau_;  // the panel's controls, by name
  recap::TEtat_Commandes etat_;
  HFONT police_ = nullptr;
  int dpi_ = 96;
  bool occupe_ = false;
  HWND focus_ = nullptr;  // given back when the window is active again
};

}  // namespace win32
