// The windows that the main window opens on its recap, built from their description: the
// comparison with another month (its panel of fields above the grid) and a rubric's detail. Each
// is a top-level window owned by the main one, modeless; what its handlers decide is the core's
// (recap/Fenetre_Comparaison.h, recap/Fenetre_Detail.h).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "recap/Commandes.h"
#include "recap/Fenetre_Comparaison.h"
#include "recap/Fenetre_Detail.h"
#include "win32/Dialogues_Win32.h"
#include "win32/Fenetre_Base.h"
#include "win32/Grille_Win32.h"

namespace win32 {

class TFenetre_Tableau : public TFenetre_Base<TFenetre_Tableau> {
public:
  // Called when the user closes the window: its owner then deletes it.
  using TFermeture = std::function<void(TFenetre_Tableau&)>;

  // A hidden window of that kind, owned by Proprietaire, its frame's corner at Coin (moved into
  // the work area); its errors and messages go to Boites, as the main window's do.
  TFenetre_Tableau(recap::TGenre_Fenetre Genre, HWND Proprietaire, POINT Coin, recap::TBoitesMessages Boites,
                   TDialogues Dialogues, TFermeture Fermee);
  ~TFenetre_Tableau();

  // Shown in front, the focus on the grid.
  void Afficher(int commande_affichage = SW_SHOWNORMAL);

  // The detail window: the detail's table, its title and its count.
  void Montrer_Detail(const recap::TDetail& Detail);
  // The comparison window: its fields filled from Fenetre, then compared at once.
  void Comparer_Depuis(const recap::TFenetre_Comparaison& Fenetre);
  void ButtonComparerClick();

  // Runs an entry of the command table on the table the grid shows.
  void Executer(recap::TCommande Commande);
  // The window's keyboard messages before they are dispatched: its shortcuts, Tab, and Enter,
  // which presses no button. True when the message was consumed.
  bool Traiter_Clavier(MSG& msg);

  recap::TGenre_Fenetre Genre() const { return genre_; }
  bool Occupe() const { return occupe_; }
  int Dpi() const { return dpi_; }
  // The control that the description names so; null for one this kind of window lacks.
  HWND Controle(std::string_view nom) const;

  std::unique_ptr<TGrilleWin32> GrilleTableau;
  HWND PanelComparaison = nullptr;  // this and the fields in it: the comparison only
  HWND LabelMoisReference = nullptr;
  HWND EditMoisReference = nullptr;
  HWND LabelSeuil = nullptr;
  HWND EditSeuil = nullptr;
  HWND ButtonComparer = nullptr;
  HWND LabelResumeTableau = nullptr;
  HWND LabelAvertissementsTableau = nullptr;

private:
  friend class TFenetre_Base<TFenetre_Tableau>;
  LRESULT Traiter(UINT msg, WPARAM wp, LPARAM lp);
  void Creer_Controles();
  void Placer_Controles();
  void Changer_Police();
  // The table, the title, the summary and the warnings under it.
  void Montrer(recap::TTableau Tableau, const std::string& Resume);
  void Afficher_Comparaison();
  recap::TCurseur Curseur();
  int Echelle(int pixels) const { return win32::Echelle(pixels, dpi_); }
  bool Comparaison() const { return genre_ == recap::TGenre_Fenetre::Comparaison; }

  recap::TGenre_Fenetre genre_;
  recap::TBoitesMessages Boites_;
  TDialogues Dialogues_;
  TFermeture fermee_;
  recap::TFenetre_Comparaison comparaison_;  // the comparison window's fields and result
  recap::TEtat_Commandes etat_;
  HFONT police_ = nullptr;
  int dpi_ = 96;
  bool occupe_ = false;
  HWND focus_ = nullptr;  // given back when the window is active again
};

}  // namespace win32
