// What the Win32 window tests share: a window whose boxes are recorded, and the user's gestures.
#pragma once

#include <gtest/gtest.h>
#include <objbase.h>
#include <oleacc.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Caracteres.h"
#include "support/Dossier_Temporaire.h"
#include "win32/Fenetre_Win32.h"

namespace test {

struct FenetreWin32 : ::testing::Test {
  std::vector<std::string> Messages, Erreurs;
  std::vector<bool> Occupe_Pendant_Boite;  // the wait cursor was on while a box waited
  // The save dialog: what it was asked, and its answer (nothing: the user cancels).
  std::vector<recap::TDemande_Enregistrement> Demandes;
  std::optional<std::string> Reponse_Enregistrer;
  // The menus shown, entry by entry ("-" for a separator, "(grisé)" after a greyed entry); the
  // entry whose text starts with Choix_Menu is chosen.
  std::vector<std::vector<std::string>> Menus;
  std::string Choix_Menu;
  // The print dialog: how often it was shown, what it was asked, and the context it gives (none:
  // the user cancels).
  int Impressions_Demandees = 0;
  recap::TDemande_Impression Demande_Impression;
  std::function<win32::TContexte_Impression()> Imprimante = [] { return win32::TContexte_Impression(); };
  std::unique_ptr<win32::TForm1> f;

  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    f = std::make_unique<win32::TForm1>(
        recap::TBoitesMessages{[this](const std::string& t) { Boite(Messages, t); },
                               [this](const std::string& t) { Boite(Erreurs, t); }},
        win32::TDialogues{[this](const recap::TDemande_Enregistrement& d) {
                            Demandes.push_back(d);
                            return Reponse_Enregistrer;
                          },
                          [this](HMENU menu, POINT, HWND) { return Menu(menu); },
                          [this](HWND, const recap::TDemande_Impression& d) {
                            ++Impressions_Demandees;
                            Demande_Impression = d;
                            return Imprimante();
                          }});
    f->Afficher(SW_SHOWNOACTIVATE);
  }
  void TearDown() override {
    f.reset();
    CoUninitialize();
  }

  UINT Menu(HMENU menu) {
    std::vector<std::string> entrees;
    UINT choix = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t texte[128] = {};
      GetMenuStringW(menu, static_cast<UINT>(i), texte, 128, MF_BYPOSITION);
      const UINT etat = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      std::string entree = (etat & MF_SEPARATOR) ? "-" : plateforme::Vers_Utf8(texte);
      if (!Choix_Menu.empty() && entree.rfind(Choix_Menu, 0) == 0) choix = GetMenuItemID(menu, i);
      if ((etat & MF_GRAYED) && !(etat & MF_SEPARATOR)) entree += " (grisé)";
      entrees.push_back(entree);
    }
    Menus.push_back(entrees);
    return choix;
  }

  static void Copier_Exemple(const std::filesystem::path& vers) {
    std::filesystem::create_directories(vers);
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      std::filesystem::copy_file(std::filesystem::path(KORVEX_EXEMPLES) / "KORVEX" / nom, vers / nom);
  }

  void Boite(std::vector<std::string>& boites, const std::string& texte) {
    boites.push_back(texte);
    Occupe_Pendant_Boite.push_back(f && f->Occupe());
  }

  static std::string Texte(HWND h) {
    std::wstring t(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
    t.resize(static_cast<size_t>(GetWindowTextW(h, t.data(), static_cast<int>(t.size()))));
    return plateforme::Vers_Utf8(t);
  }

  // Typing replaces the field's text; SetWindowTextW sends EN_CHANGE as a keystroke does.
  static void Taper(HWND champ, const std::string& texte) {
    SetWindowTextW(champ, plateforme::Vers_Utf16(texte).c_str());
  }

  void Cliquer() { SendMessageW(f->Button_Calc_Recap, BM_CLICK, 0, 0); }

  // A copy of the sample folder whose PAIES.DTA announces one record less than it holds: its
  // last record is not read, and the calculation warns so.
  static void Copier_Exemple_Endommage(const std::filesystem::path& vers) {
    Copier_Exemple(vers);
    std::fstream paies(vers / "PAIES.DTA", std::ios::in | std::ios::out | std::ios::binary);
    uint32_t annonces = 0;
    paies.seekg(4);
    paies.read(reinterpret_cast<char*>(&annonces), 4);  // little-endian, as Windows is
    --annonces;
    paies.seekp(4);
    paies.write(reinterpret_cast<const char*>(&annonces), 4);
  }

  // The control drawn into a bitmap of our own, as WM_PRINTCLIENT asks it: does it hold that colour?
  static bool Contient_Couleur(HWND h, COLORREF couleur) {
    RECT client;
    GetClientRect(h, &client);
    HDC ecran = GetDC(h);
    HDC dc = CreateCompatibleDC(ecran);
    HBITMAP image = CreateCompatibleBitmap(ecran, client.right, client.bottom);
    HGDIOBJ ancienne = SelectObject(dc, image);
    SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    bool trouvee = false;
    for (int y = 0; y < client.bottom && !trouvee; ++y)
      for (int x = 0; x < client.right && !trouvee; ++x) trouvee = GetPixel(dc, x, y) == couleur;
    SelectObject(dc, ancienne);
    DeleteObject(image);
    DeleteDC(dc);
    ReleaseDC(h, ecran);
    return trouvee;
  }

  // The control's rectangle in its parent's client area.
  static RECT Rectangle(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  // A key pressed with the modifiers held, as the keyboard state tells them to the window.
  static void Touche(HWND h, WPARAM touche, bool maj = false, bool ctrl = false) {
    BYTE etat[256] = {};
    etat[VK_SHIFT] = maj ? 0x80 : 0;
    etat[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(etat);
    SendMessageW(h, WM_KEYDOWN, touche, 1);
    BYTE relache[256] = {};
    SetKeyboardState(relache);
  }

  // Ctrl and a letter, as the message loop meets it.
  bool Ctrl(HWND h, char lettre) {
    BYTE etat[256] = {};
    etat[VK_CONTROL] = 0x80;
    SetKeyboardState(etat);
    MSG msg{h, WM_KEYDOWN, static_cast<WPARAM>(lettre), 1, 0, {}};
    const bool pris = f->Traiter_Clavier(msg);
    BYTE relache[256] = {};
    SetKeyboardState(relache);
    return pris;
  }
};

// A calculation on a copy of the sample folder, 26 rubrics for 02-2024.
struct CalculFenetre : FenetreWin32 {
  test::TDossierTemporaire dossier;
  void SetUp() override {
    FenetreWin32::SetUp();
    Copier_Exemple(dossier.Chemin() / "KORVEX");
    Taper(f->EditChemin_Dossier, (dossier.Chemin() / "KORVEX").string());
  }
  void Calculer(const char* mois) {
    SetFocus(f->Button_Calc_Recap);
    Taper(f->LabeledEdit_Mois, mois);
    Cliquer();
  }
};

// What a screen reader gets of a window's control through Active Accessibility.
struct Accessible {
  IAccessible* a = nullptr;
  explicit Accessible(HWND h) {
    AccessibleObjectFromWindow(h, OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&a));
  }
  ~Accessible() {
    if (a != nullptr) a->Release();
  }
  // A text property of the object itself or of a child; "(rien)" when it has none.
  std::string Texte(HRESULT (STDMETHODCALLTYPE IAccessible::*lire)(VARIANT, BSTR*), LONG enfant) {
    BSTR b = nullptr;
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = enfant;
    const HRESULT hr = (a->*lire)(v, &b);
    std::string t = hr == S_OK && b != nullptr ? plateforme::Vers_Utf8(b) : "(rien)";
    SysFreeString(b);
    return t;
  }
  std::string Nom(LONG enfant = CHILDID_SELF) { return Texte(&IAccessible::get_accName, enfant); }
  std::string Valeur(LONG enfant) { return Texte(&IAccessible::get_accValue, enfant); }
  std::string Description(LONG enfant) { return Texte(&IAccessible::get_accDescription, enfant); }
};

}  // namespace test
