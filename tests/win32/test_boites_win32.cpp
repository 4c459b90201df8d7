// The real message boxes of the Win32 window, read then closed, and the program's manifest.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/Caracteres.h"
#include "recap/Fenetre.h"
#include "win32/Boites_Win32.h"

namespace {

// The real boxes, closed by a timer of this thread once it has read them.
struct TBoiteVue {
  std::wstring titre, texte;
  bool icone = false;
  RECT zone_texte{}, cadre{};
};
TBoiteVue g_vue;

BOOL CALLBACK Lire_Enfant(HWND h, LPARAM) {
  wchar_t classe[32] = {};
  GetClassNameW(h, classe, 32);
  if (std::wstring_view(classe) != L"Static" || !IsWindowVisible(h)) return TRUE;
  if ((GetWindowLongW(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    g_vue.icone = g_vue.icone || SendMessageW(h, STM_GETICON, 0, 0) != 0;
  } else {
    wchar_t texte[256] = {};
    GetWindowTextW(h, texte, 256);
    if (texte[0] != L'\0') {
      g_vue.texte = texte;
      GetWindowRect(h, &g_vue.zone_texte);
    }
  }
  return TRUE;
}

BOOL CALLBACK Trouver_Boite(HWND h, LPARAM trouvee) {
  wchar_t classe[32] = {};
  GetClassNameW(h, classe, 32);
  if (std::wstring_view(classe) != L"#32770" || !IsWindowVisible(h)) return TRUE;
  *reinterpret_cast<HWND*>(trouvee) = h;
  return FALSE;
}

void CALLBACK Fermer_Boite(HWND, UINT, UINT_PTR minuterie, DWORD) {
  HWND boite = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), Trouver_Boite, reinterpret_cast<LPARAM>(&boite));
  if (boite == nullptr) return;
  KillTimer(nullptr, minuterie);
  wchar_t titre[128] = {};
  GetWindowTextW(boite, titre, 128);
  g_vue.titre = titre;
  GetWindowRect(boite, &g_vue.cadre);
  EnumChildWindows(boite, Lire_Enfant, 0);
  PostMessageW(boite, WM_COMMAND, IDOK, 0);
}

void Montrer(const std::function<void(const std::string&)>& boite, const std::string& texte) {
  g_vue = {};
  SetTimer(nullptr, 0, 20, Fermer_Boite);
  boite(texte);
}

// The program's manifest lets it open paths beyond 260 characters where Windows allows them.
TEST(ManifesteWin32, DeclaresLongPathAwareness) {
  const HMODULE programme = LoadLibraryExW(plateforme::Vers_Utf16(KORVEX_FENETRE_EXE).c_str(), nullptr,
                                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(programme, nullptr);
  const HRSRC ressource = FindResourceW(programme, MAKEINTRESOURCEW(1), RT_MANIFEST);
  ASSERT_NE(ressource, nullptr);
  const std::string manifeste(static_cast<const char*>(LockResource(LoadResource(programme, ressource))),
                              SizeofResource(programme, ressource));
  FreeLibrary(programme);
  EXPECT_NE(manifeste.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
                           "</longPathAware>"),
            std::string::npos);
}

TEST(BoitesWin32, CaptionIconAndText) {
  const recap::TBoitesMessages boites = win32::Boites_Win32();
  EXPECT_EQ(win32::Titre_Application(), "tests_win32");  // tests_win32.exe
  const struct {
    const std::function<void(const std::string&)>& boite;
    bool icone;
  } cas[] = {{boites.Message, false}, {boites.Erreur, true}};
  for (const auto& k : cas) {
    Montrer(k.boite, "Fichier C:\\KORVEX\\PAIES.DTA Non trouvé");
    EXPECT_EQ(g_vue.titre, L"tests_win32");
    EXPECT_EQ(g_vue.texte, L"Fichier C:\\KORVEX\\PAIES.DTA Non trouv\u00e9");
    EXPECT_EQ(g_vue.icone, k.icone);
  }
}

TEST(BoitesWin32, ThePlainBoxWrapsAtHalfTheScreenAndIsCentred) {
  const int demi = GetSystemMetrics(SM_CXSCREEN) / 2;
  std::string longue;
  for (int i = 0; i < 60; ++i) longue += "rubrique ";
  Montrer(win32::Boites_Win32().Message, longue);
  const RECT& t = g_vue.zone_texte;
  EXPECT_LE(t.right - t.left, demi);
  EXPECT_GT(t.right - t.left, demi * 3 / 4);
  EXPECT_GE(t.bottom - t.top, 3 * 13);  // three lines at least
  const RECT& c = g_vue.cadre;
  EXPECT_LE(std::abs((c.left + c.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
  EXPECT_LE(std::abs((c.top + c.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);

  Montrer(win32::Boites_Win32().Message, "Court");
  EXPECT_LT(g_vue.zone_texte.right - g_vue.zone_texte.left, demi / 4);
  EXPECT_LT(g_vue.zone_texte.bottom - g_vue.zone_texte.top, 2 * 13);
}

}  // namespace
