// The Win32 window's modal layers besides the message boxes: the save and print dialogs and the
// grid's popup menu, replaceable so that tests answer them instead of blocking.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "recap/Export.h"
#include "recap/Impression.h"

namespace win32 {

// A printer's device context, given back (DeleteDC) when the object goes.
using TContexte_Impression = std::unique_ptr<std::remove_pointer_t<HDC>, std::function<void(HDC)>>;

struct TDialogues {
  // The save dialog.
  recap::TDemander_Chemin Enregistrer;
  // The popup menu at a point of the screen: the chosen entry's identifier, 0 when none.
  std::function<UINT(HMENU menu, POINT ecran, HWND proprietaire)> Menu;
  // The print dialog, opened on the request's paper: the chosen printer's context, empty when the
  // user cancelled.
  std::function<TContexte_Impression(HWND proprietaire, const recap::TDemande_Impression& demande)> Imprimer;
};

// GetSaveFileNameW, TrackPopupMenuEx and PrintDlgExW, modal. With no printer installed, the print
// dialog is not opened: it raises plateforme::EKorvex with textes::Aucune_Imprimante.
TDialogues Dialogues_Win32();

// The message of a print dialog that failed (PrintDlgExW's result and CommDlgExtendedError).
std::string Texte_Echec_Impression(HRESULT hr, DWORD erreur_etendue);

}  // namespace win32
