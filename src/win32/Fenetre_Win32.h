// The main window Form1 on Windows, built on the Win32 API from the window's description. It
// only creates the controls, wires their events and draws; what a handler decides is shared with
// the Qt window (recap/Fenetre.h).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "KORVEX_procs.h"
#include "recap/Commandes.h"
#include "recap/Fenetre.h"
#include "win32/Dialogues_Win32.h"
#include "win32/Fenetre_Base.h"
#include "win32/Fenetre_Tableau_Win32.h"
#include "win32/Grille_Win32.h"

namespace win32 {

// The outer frame of Form1 when it opens: the description's client size at dpi, at the
// description's place, moved and if need be shrunk into the monitor's work area (the screen
// without its taskbar).
RECT Cadre_Initial(int dpi, const RECT& zone_travail);

class TForm1 : public TFenetre_Base<TForm1> {
public:
  // Boites shows the program's messages and errors, Dialogues the save dialog and the grid's
  // menu; tests give recording ones.
  TForm1(recap::TBoitesMessages Boites, TDialogues Dialogues);
  ~TForm1();

  // Shows the window, the focus on the grid.
  void Afficher(int commande_affichage = SW_SHOWNORMAL);

  std::unique_ptr<TGrilleWin32> StringGridRecap;
  HWND Panel1 = nullptr;
  HWND EditChemin_Dossier = nullptr;
  HWND LabelFichierTrouve = nullptr;
  HWND LabeledEdit_Mois = nullptr;
  HWND Etiquette_Mois = nullptr;  // the caption label of LabeledEdit_Mois
  HWND Button_Calc_Recap = nullptr;
  HWND Label1 = nullptr;
  HWND LabelResume = nullptr;
  HWND LabelAvertissements = nullptr;
  TTAB_VALEURS TOT_RUB;
  // The cells a calculation writes, as the string grid holds them; StringGridRecap shows them as
  // a table after every step.
  recap::TGrille Cellules_Recap;
  // What the window keeps of its last calculation.
  recap::TDernier_Calcul Dernier_Calcul;

  void FormCreate();
  void EditChemin_DossierChange();
  void Button_Calc_RecapClick();
  // Runs an entry of the command table on the table the grid shows.
  void Executer(recap::TCommande Commande);

  // The windows it opened, each deleted when the user closes it: one comparison at most,
  // re-initialised from the last calculation when it is asked for again, and any number of
  // others (details, and those their rows open), the last opened last.
  std::unique_ptr<TFenetre_Tableau> Comparaison;
  std::unique_ptr<TFenetre_Tableau> Cumuls;     // one at most, as the comparison
  std::unique_ptr<TFenetre_Tableau> Controles;  // likewise
  std::vector<std::unique_ptr<TFenetre_Tableau>> Details;
  void Ouvrir_Comparaison();
  void Ouvrir_Detail(int Rubrique);
  void Ouvrir_Cumuls();
  void Ouvrir_Controles();
  // Every window it opened, the single ones first.
  std::vector<TFenetre_Tableau*> Ouvertes() const;
  // Opens a window of that model from the window Source, where the window rules put it.
  void Ouvrir(std::unique_ptr<recap::TModele_Fenetre> Modele, HWND Source);

  // Every keyboard message goes through here before it is dispatched, its own and those of the
  // windows it opened: shortcuts, dialog navigation (Tab), and Enter, which opens the current
  // row's detail in the grid and presses nothing elsewhere. True when the message was consumed.
  bool Traiter_Clavier(MSG& msg);

  // True while a calculation runs and no box waits for the user (the wait cursor).
  bool Occupe() const { return occupe_; }
  // The control that the description names so; null for a name it does not hold.
  HWND Controle(std::string_view nom) const;
  int Dpi() const { return dpi_; }

private:
  friend class TFenetre_Base<TForm1>;
  LRESULT Traiter(UINT msg, WPARAM wp, LPARAM lp);
  void Creer_Controles();
  void Placer_Controles();
  void Changer_Police();
  recap::TEtat_Commandes Etat_Commandes() const;
  std::vector<recap::TCadre> Fenetres_Ouvertes() const;
  std::unique_ptr<TFenetre_Tableau> Nouvelle_Fenetre(std::unique_ptr<recap::TModele_Fenetre> Modele, HWND Source);
  void Fermer(TFenetre_Tableau& Fenetre);
  // A window of which there is one at most: started again from Modele, or opened; to the front.
  void Ouvrir_Unique(std::unique_ptr<TFenetre_Tableau>& Fenetre, std::unique_ptr<recap::TModele_Fenetre> Modele);
  // The grid, the summary and the warnings, after every step of a calculation.
  void Afficher_Calcul();
  // The wait cursor over the window, or the arrow, for as long as the returned object lives.
  recap::TCurseur Curseur();
  // The smallest outer size that keeps the summary label in view.
  SIZE Taille_Minimale() const;
  int Echelle(int pixels) const { return win32::Echelle(pixels, dpi_); }

  recap::TBoitesMessages Boites_;
  TDialogues Dialogues_;
  HFONT police_ = nullptr;
  int dpi_ = 96;
  bool pret_ = false;    // FormCreate has run: changes of the folder field are the user's
  bool occupe_ = false;
  bool dossier_korvex_ = false;  // what the last folder check found
  HWND focus_ = nullptr;  // given back when the window is active again
};

// The message loop of the program, until Form1 is closed; returns the process's exit code.
int Boucle_Messages(TForm1& Form1);

}  // namespace win32
