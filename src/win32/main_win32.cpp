// The program on Windows: Form1 from its description, until the user closes it.
#include <windows.h>

#include "platform/Separateurs.h"
#include "win32/Boites_Win32.h"
#include "win32/Fenetre_Win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int commande_affichage) {
  plateforme::Lire_Separateurs_Utilisateur();
  win32::TForm1 Form1(win32::Boites_Win32());
  Form1.Afficher(commande_affichage);
  return win32::Boucle_Messages(Form1);
}
