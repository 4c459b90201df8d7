// The window rules as a keyboard user meets them in the Win32 comparison window opened from the
// sample's recap: its name, the Alt letters, the check box and a header click that change the
// rows shown, its minimum size, Escape; Ctrl+W in a detail; the announcements of a new summary.
#include <algorithm>
#include <filesystem>

#include "Fenetre_Test.h"
#include "forms/Description_Form1.h"
#include "forms/Description_Tableaux.h"
#include "platform/Textes.h"
#include "win32/Controles_Win32.h"

namespace {

using test::CalculFenetre;

// The live-region events the process sends, as a screen reader hooked on them receives them.
std::vector<HWND> g_annonces;
void CALLBACK Noter_Annonce(HWINEVENTHOOK, DWORD, HWND h, LONG, LONG, DWORD, DWORD) { g_annonces.push_back(h); }

struct ReglesWin32 : CalculFenetre {
  void SetUp() override {
    CalculFenetre::SetUp();
    Calculer("02-2024");
    ASSERT_TRUE(Messages.empty() && Erreurs.empty());
  }
  // A key through the message loop, as the user types it.
  bool Clavier(HWND h, UINT message, WPARAM touche, bool ctrl = false, bool alt = false) {
    BYTE etat[256] = {};
    etat[VK_CONTROL] = ctrl ? 0x80 : 0;
    etat[VK_MENU] = alt ? 0x80 : 0;
    SetKeyboardState(etat);
    MSG msg{h, message, touche, alt ? (1 | (1 << 29)) : 1, 0, {}};
    const bool pris = f->Traiter_Clavier(msg);
    BYTE relache[256] = {};
    SetKeyboardState(relache);
    return pris;
  }
};

TEST_F(ReglesWin32, TheComparisonAtTheKeyboard) {
  ASSERT_TRUE(Ctrl(f->StringGridRecap->Handle(), 'M'));
  ASSERT_NE(f->Comparaison, nullptr);
  win32::TFenetre_Tableau& c = *f->Comparaison;
  const auto& d = description::Fenetre_Comparaison;

  // Named by its title for screen readers; never smaller than its controls.
  test::Accessible fenetre(c.Handle());
  ASSERT_NE(fenetre.a, nullptr);
  EXPECT_EQ(fenetre.Nom(), Texte(c.Handle()));
  test::Accessible grille(c.GrilleTableau->Handle());
  EXPECT_EQ(grille.Nom(), Texte(c.Handle()));
  MINMAXINFO mesures{};
  SendMessageW(c.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mesures));
  RECT minimum{0, 0, MulDiv(d.Largeur_Min, c.Dpi(), 96), MulDiv(d.Hauteur_Min, c.Dpi(), 96)};
  AdjustWindowRectEx(&minimum, GetWindowLongW(c.Handle(), GWL_STYLE), FALSE, GetWindowLongW(c.Handle(), GWL_EXSTYLE));
  EXPECT_EQ(mesures.ptMinTrackSize.x, minimum.right - minimum.left);
  EXPECT_EQ(mesures.ptMinTrackSize.y, minimum.bottom - minimum.top);

  // The labels show their Alt letter: Alt+R comes to the reference month.
  EXPECT_EQ(Texte(c.Controle("LabelMoisReference")), textes::Libelle_Mois_Reference);
  EXPECT_FALSE(GetWindowLongW(c.Controle("LabelMoisReference"), GWL_STYLE) & SS_NOPREFIX);
  SetFocus(c.GrilleTableau->Handle());
  EXPECT_TRUE(Clavier(c.GrilleTableau->Handle(), WM_SYSCHAR, 'r', false, true));
  EXPECT_EQ(GetFocus(), c.Controle("EditMoisReference"));

  // The check box: only the rows to check.
  const int toutes = c.GrilleTableau->Tableau().Nombre_Rangees();
  SendMessageW(c.CaseFiltre, BM_CLICK, 0, 0);
  const auto& lignes = c.GrilleTableau->Tableau().Lignes;
  EXPECT_LT(c.GrilleTableau->Tableau().Nombre_Rangees(), toutes);
  EXPECT_TRUE(std::all_of(lignes.begin(), lignes.end(), [](const auto& l) { return l.A_Signaler; }));
  // A click on the gap's header sorts by it.
  const RECT entete = c.GrilleTableau->Rectangle_Cellule(5, 0);
  SendMessageW(c.GrilleTableau->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(entete.left + 3, entete.top + 3));
  SendMessageW(c.GrilleTableau->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(entete.left + 3, entete.top + 3));
  const auto& triees = c.GrilleTableau->Tableau().Lignes;
  for (size_t i = 1; i < triees.size(); ++i) EXPECT_LE(triees[i - 1].Cellules[5].Valeur, triees[i].Cellules[5].Valeur);
  EXPECT_EQ(c.GrilleTableau->Tableau().Colonne_Triee, 5);

  // Escape, from a field, closes it.
  EXPECT_TRUE(Clavier(c.Controle("EditSeuil"), WM_KEYDOWN, VK_ESCAPE));
  EXPECT_EQ(f->Comparaison, nullptr);

  // Ctrl+W in a detail.
  f->StringGridRecap->Selectionner({1, 1, 1, 1});
  ASSERT_TRUE(Ctrl(f->StringGridRecap->Handle(), 'D'));
  ASSERT_EQ(f->Details.size(), 1u);
  EXPECT_TRUE(Clavier(f->Details[0]->GrilleTableau->Handle(), WM_KEYDOWN, 'W', true));
  EXPECT_TRUE(f->Details.empty());
  EXPECT_TRUE(Erreurs.empty());
}

// An interrupted calculation's folder: its long check wraps at the summary's width, the summary
// under it, the panel around both.
TEST_F(ReglesWin32, ALongFolderCheckWrapsAboveTheSummary) {
  const auto korvex = dossier.Chemin() / "KORVEX";
  std::filesystem::rename(korvex / "PAIES.DTA", korvex / "PAIES.DBF");
  Taper(f->EditChemin_Dossier, korvex.string() + "\\");
  EXPECT_EQ(Texte(f->LabelFichierTrouve).rfind("Le fichier PAIES.DTA est absent", 0), 0u);
  const RECT controle = Rectangle(f->LabelFichierTrouve), resume = Rectangle(f->LabelResume);
  EXPECT_EQ(controle.right - controle.left, MulDiv(description::Controle("LabelResume").Width, f->Dpi(), 96));
  EXPECT_GT(resume.top, controle.bottom);
  EXPECT_GE(Rectangle(f->Panel1).bottom, resume.bottom);
}

// A new summary, a new folder check: each is announced as a live region changes.
TEST_F(ReglesWin32, NewStatusesAreAnnounced) {
  const HWINEVENTHOOK crochet = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                                Noter_Annonce, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(crochet, nullptr);
  g_annonces.clear();
  Calculer("03-2024");
  Taper(f->EditChemin_Dossier, "C:\\nulle-part");
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);  // out-of-context events come as messages
  UnhookWinEvent(crochet);
  EXPECT_NE(std::find(g_annonces.begin(), g_annonces.end(), f->LabelResume), g_annonces.end());
  EXPECT_NE(std::find(g_annonces.begin(), g_annonces.end(), f->LabelFichierTrouve), g_annonces.end());
}

}  // namespace
