#include "win32/Commandes_Win32.h"

#include <windowsx.h>

#include <string>

#include "platform/Caracteres.h"
#include "win32/Impression_Gdi.h"
#include "win32/Presse_Papiers.h"

namespace win32 {

namespace {

// Never 0, which means "nothing chosen".
UINT Identifiant(recap::TCommande c) { return static_cast<UINT>(c) + 1; }

}  // namespace

TMenu Menu_Commandes(recap::TGenre_Fenetre Genre, const recap::TEtat_Commandes& Etat) {
  TMenu menu(CreatePopupMenu(), &DestroyMenu);
  for (const recap::TEntree_Commande& e : recap::Commandes(Genre, Capacites_Win32)) {
    if (e.Separateur_Avant) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    const std::string raccourci = recap::Texte_Raccourci(e);
    const std::string texte = raccourci.empty() ? std::string(e.Texte) : std::string(e.Texte) + "\t" + raccourci;
    const UINT etat = recap::Commande_Active(e.Commande, Etat) ? MF_ENABLED : MF_GRAYED;
    AppendMenuW(menu.get(), MF_STRING | etat, Identifiant(e.Commande), plateforme::Vers_Utf16(texte).c_str());
  }
  return menu;
}

std::optional<recap::TCommande> Commande_Du_Menu(recap::TGenre_Fenetre Genre, UINT Identifiant_Choisi) {
  for (const recap::TEntree_Commande& e : recap::Commandes(Genre, Capacites_Win32))
    if (Identifiant(e.Commande) == Identifiant_Choisi) return e.Commande;
  return std::nullopt;
}

std::optional<recap::TCommande> Commande_Du_Clavier(const MSG& Message, HWND Grille, recap::TGenre_Fenetre Genre) {
  if (Message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return std::nullopt;
  if (Message.wParam < 'A' || Message.wParam > 'Z') return std::nullopt;
  const auto e = recap::Commande_De_Touche(Genre, Capacites_Win32, static_cast<char>(Message.wParam));
  if (!e || (e->Portee == recap::TPortee::Grille && Message.hwnd != Grille)) return std::nullopt;
  return e->Commande;
}

bool Traiter_Clavier_Tableau(MSG& Message, HWND Fenetre, HWND Grille, recap::TGenre_Fenetre Genre,
                             const std::function<void(recap::TCommande)>& Executer) {
  if (Message.hwnd != Fenetre && !IsChild(Fenetre, Message.hwnd)) return false;
  if (const auto commande = Commande_Du_Clavier(Message, Grille, Genre)) {
    Executer(*commande);
    return true;
  }
  if ((Message.message == WM_KEYDOWN || Message.message == WM_CHAR) && Message.wParam == VK_RETURN) {
    const auto activation = recap::Commande_Activation(Genre);
    if (Message.message == WM_KEYDOWN && Message.hwnd == Grille && activation) Executer(*activation);
    return true;
  }
  return IsDialogMessageW(Fenetre, &Message) != FALSE;
}

std::optional<recap::TCommande> Choisir_Au_Menu(recap::TGenre_Fenetre Genre, const recap::TEtat_Commandes& Etat,
                                                const TGrilleWin32& Grille, LPARAM Position,
                                                const TDialogues& Dialogues, HWND Proprietaire) {
  POINT ecran{GET_X_LPARAM(Position), GET_Y_LPARAM(Position)};
  if (Position == -1) {  // the menu key or Shift+F10: under the current cell
    const TPlage c = Grille.Cellule_Courante();
    const RECT r = Grille.Rectangle_Cellule(c.Gauche, c.Haut);
    ecran = IsRectEmpty(&r) ? POINT{0, 0} : POINT{r.left, r.bottom};
    ClientToScreen(Grille.Handle(), &ecran);
  }
  const TMenu menu = Menu_Commandes(Genre, Etat);
  return Commande_Du_Menu(Genre, Dialogues.Menu(menu.get(), ecran, Proprietaire));
}

recap::TServices_Fenetre Services_Win32(TGrilleWin32& Grille, HWND Fenetre, const TDialogues& Dialogues,
                                        recap::TCurseur Curseur) {
  recap::TServices_Fenetre s;
  s.Selection = [&Grille] { return Grille.Selection(); };
  s.Rangee_Courante = [&Grille] { return Grille.Cellule_Courante().Haut; };
  s.Presse_Papiers = [Fenetre](const std::string& texte) { Ecrire_Presse_Papiers(Fenetre, texte); };
  s.Tout_Selectionner = [&Grille] { Grille.Tout_Selectionner(); };
  s.Demander_Chemin = Dialogues.Enregistrer;
  s.Choisir_Imprimante = [Fenetre, imprimer = Dialogues.Imprimer](const recap::TDemande_Impression& d) -> recap::TImprimante {
    std::shared_ptr<std::remove_pointer_t<HDC>> imprimante = imprimer(Fenetre, d);
    if (!imprimante) return {};
    return [imprimante, document = d.Document](const recap::TTableau& t) {
      Imprimer_Tableau_Gdi(imprimante.get(), t, document);
    };
  };
  s.Mesure = Mesure_Ecran_Gdi();
  s.Curseur = std::move(Curseur);
  return s;
}

}  // namespace win32
