// The windows the main window opens on its recap, as a user meets them: the comparison with
// another month (Ctrl+M) and a rubric's detail (double click, Enter, Ctrl+D), their grids,
// summaries and warnings, their menus and the Excel export.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "Fenetre_Test.h"
#include "forms/Description_Form1.h"
#include "forms/Description_Tableaux.h"
#include "platform/Textes.h"
#include "win32/Controles_Win32.h"

namespace {

namespace fs = std::filesystem;
using test::CalculFenetre;
using test::FenetreWin32;

struct TableauxWin32 : CalculFenetre {
  void SetUp() override {
    CalculFenetre::SetUp();
    Calculer("02-2024");
    ASSERT_TRUE(Messages.empty() && Erreurs.empty());
  }
  win32::TGrilleWin32& Recap() { return *f->StringGridRecap; }
  // The recap's row made current, as a click on it does.
  void Choisir_Rangee(int rangee) { Recap().Selectionner({1, rangee, 1, rangee}); }
  static int Rangees_A_Signaler(const win32::TFenetre_Tableau& fenetre) {
    const auto& lignes = fenetre.GrilleTableau->Tableau().Lignes;
    return static_cast<int>(std::count_if(lignes.begin(), lignes.end(), [](const auto& l) { return l.A_Signaler; }));
  }
  static void Double_Clic(const win32::TGrilleWin32& grille, int col, int rangee) {
    const RECT r = grille.Rectangle_Cellule(col, rangee);
    const LPARAM point = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageW(grille.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(grille.Handle(), WM_LBUTTONUP, 0, point);
    SendMessageW(grille.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    SendMessageW(grille.Handle(), WM_LBUTTONUP, 0, point);
  }
  bool Entree(HWND h) {
    MSG msg{h, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    return f->Traiter_Clavier(msg);
  }
  static void Comparer(const win32::TFenetre_Tableau& c) { SendMessageW(c.Bouton, BM_CLICK, 0, 0); }
  static COLORREF Couleur(const description::TCouleur& c) { return RGB(c.Rouge, c.Vert, c.Bleu); }
  // The client area at the description's size, or the whole work area's where that is smaller
  // (Wine's null display is 1024 pixels wide, narrower than the comparison).
  static void Taille_Decrite(const win32::TFenetre_Tableau& fenetre, const description::TFenetre_Tableau& d) {
    RECT client, cadre;
    GetClientRect(fenetre.Handle(), &client);
    GetWindowRect(fenetre.Handle(), &cadre);
    MONITORINFO ecran{sizeof(MONITORINFO), {}, {}, 0};
    GetMonitorInfoW(MonitorFromWindow(fenetre.Handle(), MONITOR_DEFAULTTONEAREST), &ecran);
    const auto attendre = [](LONG taille, int decrite, LONG cadre, LONG zone) {
      if (cadre >= zone) EXPECT_EQ(cadre, zone);
      else EXPECT_EQ(taille, decrite);
    };
    attendre(client.right, MulDiv(d.Largeur_Client, fenetre.Dpi(), 96), cadre.right - cadre.left,
             ecran.rcWork.right - ecran.rcWork.left);
    attendre(client.bottom, MulDiv(d.Hauteur_Client, fenetre.Dpi(), 96), cadre.bottom - cadre.top,
             ecran.rcWork.bottom - ecran.rcWork.top);
  }
};

TEST_F(TableauxWin32, TheComparisonOpensComparedWithTheMonthBefore) {
  EXPECT_TRUE(Ctrl(f->EditChemin_Dossier, 'M'));  // anywhere in the window
  ASSERT_NE(f->Comparaison, nullptr);
  win32::TFenetre_Tableau& c = *f->Comparaison;
  EXPECT_TRUE(IsWindowVisible(c.Handle()));
  EXPECT_EQ(GetWindow(c.Handle(), GW_OWNER), f->Handle());
  EXPECT_EQ(Texte(c.Handle()), textes::Titre_Comparaison("02-2024", "01-2024"));
  EXPECT_EQ(Texte(c.Controle("EditMoisReference")), "01-2024");
  EXPECT_EQ(Texte(c.Controle("EditSeuil")), "10");
  EXPECT_EQ(c.GrilleTableau->Tableau().Nombre_Rangees(), 28);
  EXPECT_EQ(Rangees_A_Signaler(c), 7);
  EXPECT_TRUE(Contient_Couleur(c.GrilleTableau->Handle(), Couleur(description::Couleur_A_Signaler)));
  EXPECT_NE(Texte(c.LabelResumeTableau).find("01-2024"), std::string::npos);
  EXPECT_FALSE(IsWindowVisible(c.LabelAvertissementsTableau));
  Taille_Decrite(c, description::Fenetre_Comparaison);
  RECT client;
  GetClientRect(c.Handle(), &client);
  EXPECT_EQ(Rectangle(c.GrilleTableau->Handle()).top, Rectangle(c.PanelTableau).bottom);
  EXPECT_LE(Rectangle(c.GrilleTableau->Handle()).bottom, Rectangle(c.LabelResumeTableau).top);
  EXPECT_LE(Rectangle(c.LabelResumeTableau).bottom, client.bottom);

  // Tab goes round the fields, the button and the grid, where the window opened.
  EXPECT_EQ(GetFocus(), c.GrilleTableau->Handle());
  for (HWND attendu : {c.Controle("EditMoisReference"), c.Controle("EditSeuil"), c.Bouton, c.CaseFiltre,
                       c.GrilleTableau->Handle()}) {
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_TRUE(f->Traiter_Clavier(tab));
    EXPECT_EQ(GetFocus(), attendu);
  }

  // Another threshold, compared with Enter in its field.
  Taper(c.Controle("EditSeuil"), "50");
  EXPECT_TRUE(Entree(c.Controle("EditSeuil")));
  EXPECT_EQ(Rangees_A_Signaler(c), 5);
  // One the core refuses: the main window's message box, and no comparison shown.
  Taper(c.Controle("EditSeuil"), "beaucoup");
  Comparer(c);
  EXPECT_EQ(Messages, std::vector<std::string>{textes::Seuil_Incorrect});
  EXPECT_EQ(c.GrilleTableau->Tableau().Nombre_Rangees(), 1);

  // A reference that is no month: its box, an empty grid, and a title that says so.
  Taper(c.Controle("EditSeuil"), "10");
  Taper(c.Controle("EditMoisReference"), "2024-01");
  Comparer(c);
  EXPECT_EQ(Messages.back(), textes::Mois_Reference_Pas_Un_Mois);
  EXPECT_EQ(c.GrilleTableau->Tableau().Nombre_Rangees(), 1);
  EXPECT_EQ(Texte(c.Handle()), "Comparaison — mois 02-2024 : rien n'a été comparé");

  // Asked for again: the same window, back on the calculation's month before.
  Taper(c.Controle("EditMoisReference"), "12-2023");
  EXPECT_TRUE(Ctrl(Recap().Handle(), 'M'));
  EXPECT_EQ(f->Comparaison.get(), &c);
  EXPECT_EQ(Texte(c.Controle("EditMoisReference")), "01-2024");
  EXPECT_EQ(Texte(c.Controle("EditSeuil")), "10");
  EXPECT_EQ(Rangees_A_Signaler(c), 7);

  // Its menu has the table's entries, not those that open windows; closed, it is gone.
  SendMessageW(c.GrilleTableau->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(c.GrilleTableau->Handle()), -1);
  ASSERT_EQ(Menus.size(), 1u);
  for (const std::string& entree : Menus[0]) {
    EXPECT_EQ(entree.find(textes::Action_Detail), std::string::npos);
    EXPECT_EQ(entree.find(textes::Action_Comparer), std::string::npos);
  }
  EXPECT_NE(std::find(Menus[0].begin(), Menus[0].end(), std::string(textes::Action_Exporter_Excel) + "\tCtrl+E"),
            Menus[0].end());
  SendMessageW(c.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(f->Comparaison, nullptr);
  EXPECT_EQ(Messages.size(), 2u);
  EXPECT_TRUE(Erreurs.empty());
}

// Nothing to compare or detail before a calculation has filled the grid.
TEST_F(FenetreWin32, NoSubWindowBeforeACalculation) {
  for (char touche : {'M', 'D'}) EXPECT_TRUE(Ctrl(f->StringGridRecap->Handle(), touche));
  EXPECT_EQ(f->Comparaison, nullptr);
  EXPECT_TRUE(f->Details.empty());
}

TEST_F(TableauxWin32, DetailsOpenByDoubleClickEnterAndCtrlD) {
  const struct {
    const char* geste;
    int rangee;
    std::function<bool()> faire;
  } cas[] = {
      {"double clic", 1, [&] { Double_Clic(Recap(), 2, 1); return true; }},
      {"Entrée", 2, [&] { Choisir_Rangee(2); return Entree(Recap().Handle()); }},
      {"Ctrl+D", 5, [&] { Choisir_Rangee(5); return Ctrl(Recap().Handle(), 'D'); }},
  };
  for (size_t i = 0; i < std::size(cas); ++i) {
    const auto& k = cas[i];
    SCOPED_TRACE(k.geste);
    EXPECT_TRUE(k.faire());
    ASSERT_EQ(f->Details.size(), i + 1);
    const win32::TFenetre_Tableau& d = *f->Details.back();
    const recap::TTableau& t = d.GrilleTableau->Tableau();
    const int rubrique = *recap::Rubrique_De_Rangee(Recap().Tableau(), k.rangee);
    EXPECT_EQ(Texte(d.Handle()), textes::Titre_Detail(rubrique, Recap().Tableau().Texte(1, k.rangee), "02-2024"));
    EXPECT_EQ(GetWindow(d.Handle(), GW_OWNER), f->Handle());
    EXPECT_TRUE(IsWindowVisible(d.Handle()));
    EXPECT_GT(t.Nombre_Rangees(), 2);
    EXPECT_EQ(t.Texte(0, t.Nombre_Rangees() - 1), textes::Ligne_Total);
    EXPECT_EQ(Texte(d.LabelResumeTableau), textes::Resume_Bulletins(t.Nombre_Rangees() - 2));
    EXPECT_EQ(d.Controle(description::Nom_Panneau), nullptr);
    Taille_Decrite(d, description::Fenetre_Detail);
    EXPECT_FALSE(IsWindowVisible(d.LabelAvertissementsTableau));
  }
  // Each wholly in the work area, none at another's corner.
  const RECT zone = win32::Zone_Travail(MonitorFromWindow(f->Handle(), MONITOR_DEFAULTTONEAREST));
  const recap::TCadre travail{zone.left, zone.top, zone.right - zone.left, zone.bottom - zone.top};
  for (size_t i = 0; i < f->Details.size(); ++i) {
    const recap::TCadre cadre = win32::Cadre_De(f->Details[i]->Handle());
    EXPECT_TRUE(recap::Dans_Zone(cadre, travail));
    for (size_t j = 0; j < i; ++j) {
      const recap::TCadre autre = win32::Cadre_De(f->Details[j]->Handle());
      EXPECT_FALSE(autre.Gauche == cadre.Gauche && autre.Haut == cadre.Haut);
    }
  }
  // Enter in a detail's grid opens its current payslip; closing one leaves the others open.
  EXPECT_TRUE(Entree(f->Details[0]->GrilleTableau->Handle()));
  ASSERT_EQ(f->Details.size(), 4u);
  EXPECT_EQ(Texte(f->Details[3]->Handle()).rfind("Bulletin — enregistrement ", 0), 0u);
  SendMessageW(f->Details[1]->Handle(), WM_CLOSE, 0, 0);
  ASSERT_EQ(f->Details.size(), 3u);
  EXPECT_NE(Texte(f->Details[1]->Handle()).find("rubrique 5"), std::string::npos);
  EXPECT_TRUE(Messages.empty() && Erreurs.empty());
}

// The grid's total no longer that of the payslips: the detail says so in its red label.
TEST_F(TableauxWin32, ADetailWarnsInRed) {
  auto lus = *f->Dernier_Calcul.Calcul->Totaux;
  lus[1] += 1;
  f->Dernier_Calcul.Calcul->Totaux = std::make_shared<const TTAB_VALEURS>(lus);
  Choisir_Rangee(1);
  EXPECT_TRUE(Ctrl(Recap().Handle(), 'D'));
  ASSERT_EQ(f->Details.size(), 1u);
  const win32::TFenetre_Tableau& d = *f->Details[0];
  EXPECT_TRUE(IsWindowVisible(d.LabelAvertissementsTableau));
  EXPECT_NE(Texte(d.LabelAvertissementsTableau).find(textes::Bulletins_Changes), std::string::npos);
  EXPECT_TRUE(Contient_Couleur(d.LabelAvertissementsTableau, Couleur(description::Couleur_Erreur)));
  EXPECT_LE(Rectangle(d.LabelResumeTableau).bottom, Rectangle(d.LabelAvertissementsTableau).top);
}

// Ctrl+E in either window: the save dialog asked for the window's workbook, which is written.
TEST_F(TableauxWin32, CtrlESavesTheWindowsWorkbook) {
  Ctrl(Recap().Handle(), 'M');
  Choisir_Rangee(1);
  Ctrl(Recap().Handle(), 'D');
  ASSERT_NE(f->Comparaison, nullptr);
  ASSERT_EQ(f->Details.size(), 1u);
  for (win32::TFenetre_Tableau* fenetre : {f->Comparaison.get(), f->Details[0].get()}) {
    const fs::path classeur = dossier.Chemin() / (std::to_string(Demandes.size()) + ".xlsx");
    Reponse_Enregistrer = classeur.string();
    EXPECT_TRUE(Ctrl(fenetre->GrilleTableau->Handle(), 'E'));
    ASSERT_FALSE(Demandes.empty());
    const auto attendue =
        recap::Demande_Enregistrement(fenetre->GrilleTableau->Tableau(), recap::TFormat_Fichier::Excel);
    EXPECT_EQ(Demandes.back().Extension, "xlsx");
    EXPECT_EQ(Demandes.back().Chemin_Propose, attendue.Chemin_Propose);
    std::ifstream lu(classeur, std::ios::binary);
    std::string debut(2, '\0');
    lu.read(debut.data(), 2);
    EXPECT_EQ(debut, "PK");  // a zip, as every workbook is
  }
  EXPECT_EQ(Demandes.size(), 2u);
  EXPECT_TRUE(Messages.empty() && Erreurs.empty());
}

}  // namespace
