// The core's command table turned into Win32: the grid's popup menu (AppendMenuW) and the
// shortcuts of the message loop, each entry greyed by its rule; and what a Win32 window can do
// for the commands. What each entry does is the core's (recap::Executer_Commande).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

#include "recap/Commandes.h"
#include "win32/Dialogues_Win32.h"
#include "win32/Grille_Win32.h"

namespace win32 {

// The Win32 windows make no PDF: Windows prints to Microsoft Print to PDF.
inline constexpr recap::TCapacites Capacites_Win32{false};

// A popup menu, destroyed with the object.
using TMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, decltype(&DestroyMenu)>;

// The grid's menu of a window of that kind: the entries in their order, each with its shortcut
// after a tab, greyed as its rule says in this state.
TMenu Menu_Commandes(recap::TGenre_Fenetre Genre, const recap::TEtat_Commandes& Etat);

// The entry of a menu item's identifier, as TrackPopupMenuEx gives it back (0: none chosen).
std::optional<recap::TCommande> Commande_Du_Menu(recap::TGenre_Fenetre Genre, UINT Identifiant);

// The entry that a key message calls (Ctrl and its letter, without Alt), if it works where the
// key was pressed: the grid's shortcuts only in the grid.
std::optional<recap::TCommande> Commande_Du_Clavier(const MSG& Message, HWND Grille, recap::TGenre_Fenetre Genre);

// A keyboard message of a table window (fenetre, or a control in it) before it is dispatched: the
// command table's shortcuts run through Executer; Enter in the grid runs the window's activation
// command and presses no button elsewhere, none being a default one; Tab and the arrows move
// through the controls. True when the message was consumed.
bool Traiter_Clavier_Tableau(MSG& Message, HWND Fenetre, HWND Grille, recap::TGenre_Fenetre Genre,
                             const std::function<void(recap::TCommande)>& Executer);

// The grid's menu at a point of the screen (-1: from the keyboard, under the current cell), shown
// through the dialogs: the entry chosen, if any.
std::optional<recap::TCommande> Choisir_Au_Menu(recap::TGenre_Fenetre Genre, const recap::TEtat_Commandes& Etat,
                                                const TGrilleWin32& Grille, LPARAM Position,
                                                const TDialogues& Dialogues, HWND Proprietaire);

// What the window of that grid can do for the commands: its grid, the clipboard, its dialogs,
// the printed fonts on the screen and on the printer, and its cursor.
recap::TServices_Fenetre Services_Win32(TGrilleWin32& Grille, HWND Fenetre, const TDialogues& Dialogues,
                                        recap::TCurseur Curseur);

}  // namespace win32
