// The program on Windows: Form1 from its description, until the user closes it.
#include <windows.h>

#include <objbase.h>

#include "platform/Precision.h"
#include "platform/Separateurs.h"
#include "win32/Boites_Win32.h"
#include "win32/Dialogues_Win32.h"
#include "win32/Fenetre_Win32.h"

namespace {

// COM for the thread's life: the save dialog and the screen readers' queries need it.
struct TCom {
  TCom() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); }
  ~TCom() { CoUninitialize(); }
  TCom(const TCom&) = delete;
  TCom& operator=(const TCom&) = delete;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int commande_affichage) {
  plateforme::Fixer_Precision_Etendue();
  const TCom com;
  plateforme::Lire_Separateurs_Utilisateur();
  win32::TForm1 Form1(win32::Boites_Win32(), win32::Dialogues_Win32());
  Form1.Afficher(commande_affichage);
  return win32::Boucle_Messages(Form1);
}
