// The Win32 window as a user meets it: its description, the folder check, a click, and the
// separators after a change of the regional settings.
#include <filesystem>

#include "Fenetre_Test.h"
#include "forms/Description_Form1.h"
#include "platform/Fichiers.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "recap/Recap.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"
#include "win32/Boites_Win32.h"
#include "win32/Etiquette_Defilante_Win32.h"

namespace {

namespace fs = std::filesystem;
using test::FenetreWin32;

TEST_F(FenetreWin32, IsBuiltFromTheDescription) {
  const auto& d = description::Form1;
  const int dpi = f->Dpi();
  const auto px = [dpi](int n) { return MulDiv(n, dpi, 96); };
  EXPECT_EQ(Texte(f->Handle()), d.Titre);
  RECT client, cadre, attendu{0, 0, px(d.Largeur_Client), px(d.Hauteur_Client)};
  GetClientRect(f->Handle(), &client);
  EXPECT_EQ(client.right, attendu.right);
  EXPECT_EQ(client.bottom, attendu.bottom);
  // The outer size is the client's with the frame of this system around it (859 x 540 on Windows).
  AdjustWindowRectEx(&attendu, GetWindowLongW(f->Handle(), GWL_STYLE), FALSE, GetWindowLongW(f->Handle(), GWL_EXSTYLE));
  GetWindowRect(f->Handle(), &cadre);
  EXPECT_EQ(cadre.right - cadre.left, attendu.right - attendu.left);
  EXPECT_EQ(cadre.bottom - cadre.top, attendu.bottom - attendu.top);
  // At its designed place, moved into the work area where it would not fit (Wine's 1024 x 768).
  MONITORINFO ecran{sizeof ecran, {}, {}, 0};
  GetMonitorInfoW(MonitorFromWindow(f->Handle(), MONITOR_DEFAULTTONEAREST), &ecran);
  const RECT place = win32::Cadre_Initial(dpi, ecran.rcWork);
  EXPECT_TRUE(EqualRect(&cadre, &place));
  EXPECT_TRUE(GetWindowLongW(f->Handle(), GWL_STYLE) & WS_THICKFRAME);  // sizeable

  LOGFONTW police{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(f->Button_Calc_Recap, WM_GETFONT, 0, 0)), sizeof police, &police);
  EXPECT_STREQ(police.lfFaceName, plateforme::Vers_Utf16(d.Police).c_str());
  EXPECT_EQ(police.lfHeight, -MulDiv(d.Points, dpi, 72));

  for (const auto& dc : description::Controles) {
    const HWND h = f->Controle(dc.Nom);
    SCOPED_TRACE(dc.Nom);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GetParent(h), std::string_view(dc.Parent) == "Form1" ? f->Handle() : f->Panel1);
    EXPECT_EQ(IsWindowVisible(h) != FALSE, !dc.Cache);
    const RECT r = Rectangle(h);
    EXPECT_EQ(r.left, px(dc.Left));
    EXPECT_EQ(r.top, px(dc.Top));
    if (dc.Cache) {
      EXPECT_EQ(r.bottom - r.top, 0);  // a hidden area takes no room
    } else if (dc.Width > 0) {
      EXPECT_EQ(r.right - r.left, px(dc.Width));
      EXPECT_EQ(r.bottom - r.top, px(dc.Height));
    } else {
      EXPECT_EQ(r.right - r.left > 0, !Texte(h).empty());  // sized to its text
    }
    if (h != f->LabelFichierTrouve && h != f->StringGridRecap->Handle() && h != f->Panel1) {
      EXPECT_EQ(Texte(h), dc.Texte);
    }
    EXPECT_EQ((GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP) != 0, dc.Ordre_Tab >= 0 && h != f->Panel1);
  }
  const auto& e = description::Etiquette_Mois;
  const RECT etiquette = Rectangle(f->Etiquette_Mois), mois = Rectangle(f->LabeledEdit_Mois);
  EXPECT_EQ(Texte(f->Etiquette_Mois), e.Texte);
  EXPECT_EQ(etiquette.left, mois.left);
  EXPECT_EQ(etiquette.bottom + px(e.Espace), mois.top);
  EXPECT_GE(etiquette.right - etiquette.left, px(e.Width));

  EXPECT_EQ(GetWindowLongW(f->Button_Calc_Recap, GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  for (HWND champ : {f->EditChemin_Dossier, f->LabeledEdit_Mois})
    EXPECT_GE(static_cast<unsigned long>(SendMessageW(champ, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEul);
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) EXPECT_EQ(f->TOT_RUB[i], 0.0L);
  EXPECT_TRUE(Messages.empty() && Erreurs.empty());
}

// Where Form1 opens: its designed frame, moved and if need be shrunk into the work area. At 144
// DPI the designed frame is wider than a 1280-pixel screen, and lower than 900 - 40 pixels.
TEST(CadreInitial, InsideTheWorkArea) {
  const RECT partout{-100000, -100000, 100000, 100000};
  const RECT ecran{0, 0, 1280, 860}, second_ecran{1280, 0, 3200, 1040};
  const RECT a_96 = win32::Cadre_Initial(96, partout), a_144 = win32::Cadre_Initial(144, partout);
  EXPECT_EQ(a_96.left, description::Form1.Left);
  EXPECT_EQ(a_96.top, description::Form1.Top);
  ASSERT_GT(a_144.right - a_144.left, 1280);
  const struct {
    int dpi;
    RECT zone, attendu;
  } cas[] = {
      {96, ecran, a_96},
      {144, ecran, {0, 860 - (a_144.bottom - a_144.top), 1280, 860}},
      {192, ecran, ecran},
      {144, second_ecran, {1280, a_144.top, 1280 + a_144.right - a_144.left, a_144.bottom}},
  };
  for (const auto& k : cas) {
    const RECT r = win32::Cadre_Initial(k.dpi, k.zone);
    EXPECT_TRUE(EqualRect(&r, &k.attendu)) << k.dpi << " dpi, " << k.zone.left << ": " << r.left << "," << r.top
                                           << "," << r.right << "," << r.bottom;
  }
}

TEST_F(FenetreWin32, FollowsTheWindowsSize) {
  SetWindowPos(f->Handle(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(f->Handle(), &client);
  const RECT panneau = Rectangle(f->Panel1), grille = Rectangle(f->StringGridRecap->Handle());
  EXPECT_EQ(panneau.right, client.right);
  EXPECT_EQ(grille.top, panneau.bottom);
  EXPECT_EQ(grille.right, client.right);
  EXPECT_EQ(grille.bottom, client.bottom);
}

// However small the user makes it, the summary label and a row of the grid stay in view.
TEST_F(FenetreWin32, NeverSmallerThanItsSummary) {
  SetWindowPos(f->Handle(), nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
  RECT client;
  GetClientRect(f->Handle(), &client);
  EXPECT_LE(Rectangle(f->LabelResume).right, client.right);  // the panel starts at the client's corner
  EXPECT_GE(client.bottom - Rectangle(f->Panel1).bottom, 2 * f->StringGridRecap->Hauteur_Ligne());
}

// Tab goes round the grid, the folder, the month and the button; Enter presses nothing.
TEST_F(FenetreWin32, FocusTabAndEnter) {
  EXPECT_EQ(GetFocus(), f->StringGridRecap->Handle());
  for (HWND attendu : {f->EditChemin_Dossier, f->LabeledEdit_Mois, f->Button_Calc_Recap, f->StringGridRecap->Handle()}) {
    MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 1, 0, {}};
    EXPECT_TRUE(f->Traiter_Clavier(tab));
    EXPECT_EQ(GetFocus(), attendu);
  }
  for (HWND cible : {f->EditChemin_Dossier, f->LabeledEdit_Mois, f->Button_Calc_Recap}) {
    SetFocus(cible);
    MSG entree{cible, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_TRUE(f->Traiter_Clavier(entree));
  }
  EXPECT_TRUE(Messages.empty());  // a press with the empty month would have shown one
}

TEST_F(FenetreWin32, TheLabelFollowsTheFolderField) {
  EXPECT_FALSE(Texte(f->LabelFichierTrouve).empty());  // FormCreate checked C:\KORVEX
  test::TDossierTemporaire dossier;
  Copier_Exemple(dossier.Chemin() / "KORVEX");
  const int large_avant = Rectangle(f->LabelFichierTrouve).right;
  Taper(f->EditChemin_Dossier, (dossier.Chemin() / "KORVEX").string());
  EXPECT_EQ(Texte(f->LabelFichierTrouve), textes::Dossier_OK);
  EXPECT_LT(Rectangle(f->LabelFichierTrouve).right, large_avant);  // sized to its shorter text
  Taper(f->EditChemin_Dossier, (dossier.Chemin() / "ABSENT").string());
  EXPECT_EQ(Texte(f->LabelFichierTrouve), textes::Dossier_Pas_KORVEX);
}

TEST_F(FenetreWin32, AWrongMonthIsAPlainMessage) {
  Cliquer();
  EXPECT_EQ(Messages, std::vector<std::string>{textes::Mois_Incorrect});
  EXPECT_EQ(Occupe_Pendant_Boite, std::vector<bool>{false});  // the user answers with the arrow
  EXPECT_FALSE(f->Occupe());
  EXPECT_EQ(f->Cellules_Recap.RowCount(), 5);
  EXPECT_EQ(f->Cellules_Recap.Cells(0, 0), "");
}

// One whole calculation: the grid holds what korvex-recap prints for the folder and month.
TEST_F(FenetreWin32, ACalculationFillsTheGrid) {
  plateforme::Fixer_Separateurs(U'.', U',');
  test::TDossierTemporaire dossier;
  const fs::path korvex = dossier.Chemin() / "KORVEX";
  Copier_Exemple(korvex);
  Taper(f->EditChemin_Dossier, korvex.string());
  Taper(f->LabeledEdit_Mois, "02-2024");
  // The cursor while the payslip table is renamed, in the middle of the calculation.
  bool attente = false;
  plateforme::Installer_Injecteur_Pannes([&](plateforme::TOperationFichier op, const std::string&) {
    if (op == plateforme::TOperationFichier::Renommer)
      attente = f->Occupe() && GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
    return std::optional<std::string>{};
  });
  Cliquer();
  plateforme::Installer_Injecteur_Pannes({});
  ASSERT_TRUE(Messages.empty() && Erreurs.empty());
  EXPECT_TRUE(attente);
  EXPECT_FALSE(f->Occupe());

  TTAB_VALEURS totaux;
  recap::TGrille attendue;
  recap::Calculer_Recap(korvex.string(), "02-2024", totaux, attendue, [](const std::string&) {});
  const recap::TGrille& grille = f->Cellules_Recap;
  ASSERT_EQ(grille.RowCount(), attendue.RowCount());
  EXPECT_EQ(grille.RowCount(), 27);
  for (int l = 0; l < grille.RowCount(); ++l)
    for (int c = 0; c < recap::TGrille::ColCount; ++c) EXPECT_EQ(grille.Cells(c, l), attendue.Cells(c, l)) << c << "," << l;
  EXPECT_EQ(grille.Cells(1, 1), "Salaire de base");
  EXPECT_EQ(grille.Cells(3, 1), "33149.34");
  EXPECT_TRUE(fs::exists(korvex / "PAIES.DTA"));
  EXPECT_FALSE(fs::exists(korvex / "PAIES.DBF"));
}

using test::CalculFenetre;

// A new recap shows from its first row and column, its first cell current; a click that the
// month refuses leaves the view as it was.
TEST_F(CalculFenetre, ANewRecapShowsFromItsFirstCell) {
  win32::TGrilleWin32& g = *f->StringGridRecap;
  Calculer("02-2024");
  Touche(g.Handle(), VK_END, false, true);  // the last cell: scrolled down and sideways
  const int ligne = g.Premiere_Ligne_Visible(), colonne = g.Premiere_Colonne_Visible();
  ASSERT_GT(ligne, 1);
  ASSERT_GT(colonne, 1);
  const struct {
    const char* mois;
    int ligne, colonne;
    win32::TPlage courante;
  } cas[] = {{"2-2024", ligne, colonne, {4, 26, 4, 26}}, {"02-2024", 1, 1, {1, 1, 1, 1}}};
  for (const auto& k : cas) {
    Calculer(k.mois);
    EXPECT_EQ(g.Premiere_Ligne_Visible(), k.ligne) << k.mois;
    EXPECT_EQ(g.Premiere_Colonne_Visible(), k.colonne) << k.mois;
    EXPECT_EQ(g.Selection(), k.courante) << k.mois;
  }
  EXPECT_EQ(Messages, std::vector<std::string>{textes::Mois_Incorrect});
}

// Once a calculation has filled the grid, the grid has the keys: Ctrl+A works at once. A refused
// click leaves the focus on the button.
TEST_F(CalculFenetre, AFilledGridTakesTheKeys) {
  const struct {
    const char* mois;
    bool grille;
  } cas[] = {{"2-2024", false}, {"02-2024", true}};
  for (const auto& k : cas) {
    Calculer(k.mois);
    EXPECT_EQ(GetFocus(), k.grille ? f->StringGridRecap->Handle() : f->Button_Calc_Recap) << k.mois;
  }
  EXPECT_TRUE(Ctrl(GetFocus(), 'A'));
  EXPECT_EQ(f->StringGridRecap->Selection(), (win32::TPlage{1, 1, 4, 26}));
}

// A calculation that leaves a payslip out, then a click that makes no recap, as a user meets them:
// the warning in red between the panel and the grid, read by screen readers as the summary is;
// then the summary saying the grid is stale, and every entry of the grid's menu greyed.
TEST_F(FenetreWin32, AWarningThenAFailedClick) {
  test::TDossierTemporaire dossier;
  const fs::path korvex = dossier.Chemin() / "KORVEX";
  Copier_Exemple_Endommage(korvex);
  Taper(f->EditChemin_Dossier, korvex.string());
  Taper(f->LabeledEdit_Mois, "02-2024");
  EXPECT_FALSE(IsWindowVisible(f->LabelAvertissements));
  Cliquer();
  ASSERT_TRUE(Messages.empty() && Erreurs.empty());
  EXPECT_EQ(f->StringGridRecap->Tableau().Nombre_Rangees(), 27);

  const HWND avertissements = f->LabelAvertissements;
  EXPECT_TRUE(IsWindowVisible(avertissements));
  const std::string texte = Texte(avertissements);
  EXPECT_EQ(texte.rfind("1 bulletin n'est pas compté :\r\nAttention : la table ", 0), 0u) << texte;
  EXPECT_NE(texte.find("l'enregistrement 37 n'a pas été lu"), std::string::npos) << texte;
  EXPECT_EQ(Rectangle(f->StringGridRecap->Handle()).top, Rectangle(avertissements).bottom);
  const auto& rouge = description::Couleur_Erreur;
  EXPECT_TRUE(Contient_Couleur(avertissements, RGB(rouge.Rouge, rouge.Vert, rouge.Bleu)));
  test::Accessible lu(avertissements);
  ASSERT_NE(lu.a, nullptr);
  EXPECT_EQ(lu.Nom(), texte);
  // As high as its two lines; with forty, a third of the window, and its bar scrolls them.
  EXPECT_EQ(Rectangle(avertissements).bottom - Rectangle(avertissements).top,
            win32::Hauteur_Voulue(avertissements, Rectangle(avertissements).right));
  std::string beaucoup;
  for (int i = 0; i < 40; ++i) beaucoup += "Attention : ...\r\n";
  Taper(avertissements, beaucoup);
  SendMessageW(f->Handle(), WM_SIZE, 0, 0);
  RECT client;
  GetClientRect(f->Handle(), &client);
  EXPECT_EQ(Rectangle(avertissements).bottom - Rectangle(avertissements).top, client.bottom / 3);
  EXPECT_TRUE(GetWindowLongW(avertissements, GWL_STYLE) & WS_VSCROLL);
  EXPECT_EQ(Rectangle(f->StringGridRecap->Handle()).top, Rectangle(avertissements).bottom);

  Taper(f->LabeledEdit_Mois, "13");
  Cliquer();
  EXPECT_EQ(Messages, std::vector<std::string>{textes::Mois_Incorrect});
  const std::string resume = std::string(textes::Aucune_Recap) + "\r\nLa grille montre encore la récap du mois 02-2024\r\n" +
                             "du dossier " + korvex.string() + ".";
  EXPECT_EQ(Texte(f->LabelResume), resume);
  // Its lines fit the label.
  HDC dc = GetDC(f->LabelResume);
  const HGDIOBJ police = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(f->LabelResume, WM_GETFONT, 0, 0)));
  RECT place = Rectangle(f->LabelResume);
  OffsetRect(&place, -place.left, -place.top);
  const LONG hauteur = place.bottom;
  const std::wstring large = plateforme::Vers_Utf16(resume);
  DrawTextW(dc, large.c_str(), static_cast<int>(large.size()), &place, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, police);
  ReleaseDC(f->LabelResume, dc);
  EXPECT_LE(place.bottom, hauteur);
  SendMessageW(f->StringGridRecap->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(f->StringGridRecap->Handle()), -1);
  ASSERT_EQ(Menus.size(), 1u);
  // Only the cumuls stay: the folder is still a KORVEX folder.
  for (const std::string& entree : Menus[0])
    EXPECT_TRUE(entree == "-" || entree.ends_with(" (grisé)") || entree.starts_with(textes::Action_Cumuls)) << entree;
  // The grid's rows stay, grey; the warnings of their calculation go with it.
  EXPECT_EQ(f->StringGridRecap->Tableau().Nombre_Rangees(), 27);
  EXPECT_TRUE(f->StringGridRecap->Tableau().Perime);
  EXPECT_TRUE(Contient_Couleur(f->StringGridRecap->Handle(), GetSysColor(COLOR_GRAYTEXT)));
  EXPECT_FALSE(IsWindowVisible(avertissements));
}

TEST_F(FenetreWin32, AnErrorKeepsTheRowsWritten) {
  test::TDossierTemporaire dossier;
  test::Ecrire_Paies(dossier.Chemin(), {{"01-2024", "EN-TETE\r\n00110.00\r\n00220.00\r\n"}});
  test::Ecrire_Table(dossier.Chemin() / "RUBRIQUE.DTA", {{"LIBELLE", 'C', 10}, {"CLASSE", 'C', 3}},
                     {{{"Un", "1"}}, {{"Deux", "x"}}});
  Taper(f->EditChemin_Dossier, dossier.Texte());
  Taper(f->LabeledEdit_Mois, "01-2024");
  Cliquer();
  EXPECT_EQ(Erreurs, std::vector<std::string>{"'x' n'est pas une valeur entière correcte."});
  EXPECT_EQ(Occupe_Pendant_Boite, std::vector<bool>{false});
  const recap::TGrille& grille = f->Cellules_Recap;
  EXPECT_EQ(grille.RowCount(), 3);
  EXPECT_EQ(grille.Cells(1, 1), "Un");
  EXPECT_EQ(grille.Cells(3, 1), "10");
  EXPECT_EQ(grille.Cells(1, 2), "Deux");  // the row being written: its number and label
  EXPECT_TRUE(IsWindowEnabled(f->Handle()));
}

// Wine does not announce a change of SetLocaleInfoW by itself: the test broadcasts it as Windows does.
struct SeparateursFenetre : FenetreWin32 {
  std::wstring decimal = Reglage(LOCALE_SDECIMAL);
  static std::wstring Reglage(LCTYPE type) {
    wchar_t texte[16] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, type, texte, 16);
    return texte;
  }
  static void Annoncer() {
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"), SMTO_ABORTIFHUNG,
                        5000, nullptr);
  }
  void TearDown() override {
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal.c_str());
    Annoncer();
    plateforme::Fixer_Separateurs(U'.', U',');
    FenetreWin32::TearDown();
  }
};

TEST_F(SeparateursFenetre, ReadAgainWhenTheSystemAnnouncesAChange) {
  plateforme::Fixer_Separateurs(U'.', U',');
  ASSERT_TRUE(SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L","));
  EXPECT_EQ(plateforme::DecimalSeparator(), U'.');  // not before the announcement
  Annoncer();
  EXPECT_EQ(plateforme::DecimalSeparator(), U',');

  test::TDossierTemporaire dossier;
  Copier_Exemple(dossier.Chemin() / "KORVEX");
  Taper(f->EditChemin_Dossier, (dossier.Chemin() / "KORVEX").string());
  Taper(f->LabeledEdit_Mois, "02-2024");
  Cliquer();
  EXPECT_EQ(f->Cellules_Recap.Cells(3, 1), "33149,34");
}

}  // namespace
