// What the windows of ours share about their controls: texts in and out of UTF-16, labels sized
// to their text, the raised panel, the font of the description and the wait cursor.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "recap/Fenetre.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0  // Windows 8.1, beyond the headers' Windows 7
#endif
#ifndef EVENT_OBJECT_LIVEREGIONCHANGED
#define EVENT_OBJECT_LIVEREGIONCHANGED 0x8019  // Windows 8
#endif

namespace win32 {

// A control of a window's description as Windows makes it: the member of the window T that holds
// it, its class (null: the panel's), its styles and identifier, and the member holding its
// caption label, created just before it (Windows names an edit after the static before it).
template <class T>
struct TControle_Win32 {
  std::string_view Nom;
  HWND T::*Membre;
  const wchar_t* Classe;
  DWORD Style, Etendu;
  int Id;
  HWND T::*Legende = nullptr;
};

// The entry of that name, null when none.
template <class T, std::size_t N>
constexpr const TControle_Win32<T>* Controle_Win32(const TControle_Win32<T> (&controles)[N], std::string_view nom) {
  for (const auto& c : controles)
    if (c.Nom == nom) return &c;
  return nullptr;
}

// What every window of ours answers alike. WM_SETCURSOR: the wait cursor while it is busy (true
// when set). WM_ACTIVATE: the control that had the focus gets it back, or defaut. WM_DPICHANGED:
// the frame the system proposes.
bool Montrer_Attente(bool occupe);
// WM_NEXTDLGCTL, which IsDialogMessage sends for a label's Alt letter: a window of ours is no
// dialog box, so it moves the focus itself, to that control or to the next one in tab order.
void Controle_Suivant(HWND fenetre, WPARAM controle, LPARAM est_controle);
void Garder_Focus(HWND fenetre, WPARAM activation, HWND& focus, HWND defaut);
void Prendre_Cadre_Propose(HWND fenetre, LPARAM propose);

std::wstring Large(const char* utf8);

// The control's text, in UTF-8.
std::string Texte(HWND controle);

// A static control breaks its lines at CR LF.
std::wstring Lignes_Win32(const std::string& texte);

// The label's text is a status that changes under the user: a polite live region, each new
// text set through Changer_Texte announced with the live-region event.
void Rendre_Vivante(HWND etiquette);
// Sets the control's text (UTF-8, lines at "\n"); a new one of a live region is announced.
void Changer_Texte(HWND controle, const std::string& texte);

// The warnings area's text, the area shown only when there is one.
void Montrer_Avertissements(HWND etiquette, const std::string& texte);

// The height of the control's text wrapped at that width in its font, as a static with
// SS_EDITCONTROL breaks it: between words, and inside a word too long for a line.
int Hauteur_Lignes(HWND controle, int largeur);

// Shown, whether its parents are yet or not.
bool Montre(HWND controle);

// The monitor's screen without its taskbar.
RECT Zone_Travail(HMONITOR moniteur);

// A frame of that size with its corner at coin, moved and if need be shrunk into the zone.
RECT Dans_La_Zone(const RECT& zone, POINT coin, SIZE taille);

// The label as wide and high as its text in that font, no smaller than minimum.
void Ajuster_A_Son_Texte(HWND etiquette, HFONT police, SIZE minimum = {0, 0});

// The description's font at dpi; the caller deletes it.
HFONT Creer_Police(int dpi);

// Registers a class of top-level window of ours: the program's icon, the arrow cursor, the
// button face. A second call finds it registered and does nothing.
void Enregistrer_Classe_Fenetre(const wchar_t* nom, WNDPROC procedure);

// The class of a raised panel in the button-face colour that passes its controls' notifications
// to its parent (Panel1, PanelComparaison); registered on the first call.
const wchar_t* Classe_Panneau();

// The wait cursor while occupe is set, the arrow while a box waits for the user; occupe is the
// window's, which shows the wait cursor over itself while it is set.
recap::TCurseur Curseur_Fenetre(bool& occupe);

}  // namespace win32
