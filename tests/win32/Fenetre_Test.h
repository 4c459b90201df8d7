// What the Win32 window tests share: a window whose boxes are recorded, and the user's gestures.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Caracteres.h"
#include "win32/Fenetre_Win32.h"

namespace test {

struct FenetreWin32 : ::testing::Test {
  std::vector<std::string> Messages, Erreurs;
  std::vector<bool> Occupe_Pendant_Boite;  // the wait cursor was on while a box waited
  std::unique_ptr<win32::TForm1> f;

  void SetUp() override {
    f = std::make_unique<win32::TForm1>(recap::TBoitesMessages{
        [this](const std::string& t) { Boite(Messages, t); }, [this](const std::string& t) { Boite(Erreurs, t); }});
    f->Afficher(SW_SHOWNOACTIVATE);
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
};

}  // namespace test
