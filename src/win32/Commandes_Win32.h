// The core's command table turned into Win32: the grid's popup menu (AppendMenuW) and the
// shortcuts of the message loop, each entry greyed by its rule; and what a Win32 window can do
// for the commands. What each entry does is the core's (recap::Executer_Commande).
#pragma once

#include <windows.h>

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

// What the window of that grid can do for the commands: its grid, the clipboard, its dialogs,
// the printed fonts on the screen and on the printer, and its cursor.
recap::TServices_Fenetre Services_Win32(TGrilleWin32& Grille, HWND Fenetre, const TDialogues& Dialogues,
                                        recap::TCurseur Curseur);

}  // namespace win32
