// Getting the recap out of the Win32 window as a user does: the summary label, Ctrl+A and Ctrl+C,
// the grid's context menu and the CSV export, on a copy of the sample folder under a French
// decimal comma; and what a screen reader gets of the window.
#include <windows.h>

#include <commdlg.h>
#include <oleacc.h>
#include <winspool.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Fenetre_Test.h"
#include "Lanceur.h"
#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "support/Dossier_Temporaire.h"
#include "win32/Commandes_Win32.h"
#include "win32/Dialogues_Win32.h"
#include "win32/Presse_Papiers.h"

namespace {

namespace fs = std::filesystem;
using test::Accessible;

// The system's decimal separator set to a comma for the test, korvex-recap.exe included.
struct ExportWin32 : test::FenetreWin32 {
  wchar_t decimal[16] = {};
  test::TDossierTemporaire dossier;
  fs::path korvex = dossier.Chemin() / "KORVEX";

  void SetUp() override {
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 16);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",");
    plateforme::Lire_Separateurs_Utilisateur();
    FenetreWin32::SetUp();
    Copier_Exemple(korvex);
  }
  void TearDown() override {
    FenetreWin32::TearDown();
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal);
    plateforme::Fixer_Separateurs(U'.', U',');
  }

  void Calculer() {
    Taper(f->EditChemin_Dossier, korvex.string());
    Taper(f->LabeledEdit_Mois, "02-2024");
    Cliquer();
    ASSERT_TRUE(Messages.empty() && Erreurs.empty());
  }
  // What korvex-recap.exe prints for the same folder and month, lines ended by CR LF.
  std::string Recap_Imprimee(const std::vector<std::string>& options = {}) {
    std::vector<std::string> arguments = options;
    arguments.insert(arguments.end(), {korvex.string(), "02-2024"});
    const test::TExecution e = test::Lancer({KORVEX_RECAP_EXE, arguments, {}, {}});
    EXPECT_EQ(e.code, 0) << e.erreur;
    std::string crlf;
    for (char c : e.sortie) {
      if (c == '\n') crlf += '\r';
      if (c != '\r') crlf += c;
    }
    return crlf;
  }
  std::string Presse_Papiers() { return win32::Lire_Presse_Papiers(f->Handle()); }
  HWND Grille() { return f->StringGridRecap->Handle(); }
  void Clic_Droit() {
    SendMessageW(Grille(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 40));
    SendMessageW(Grille(), WM_RBUTTONUP, 0, MAKELPARAM(20, 40));
  }
  static std::string Lire(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

// The grid's menu and the shortcuts are the core's command table: its entries in its order, each
// greyed by its rule, each shortcut working where its entry says.
TEST_F(ExportWin32, TheCommandTableIsTheMenuAndTheShortcuts) {
  const auto entrees = recap::Commandes(recap::TGenre_Fenetre::Recap, win32::Capacites_Win32);
  const auto menu = [&](bool a_jour) {
    std::vector<std::string> textes;
    for (const auto& e : entrees) {
      if (e.Separateur_Avant) textes.push_back("-");
      const std::string raccourci = recap::Texte_Raccourci(e);
      textes.push_back(std::string(e.Texte) + (raccourci.empty() ? "" : "\t" + raccourci) +
                       (recap::Commande_Active(e.Commande, {a_jour, a_jour, a_jour}) ? "" : " (grisé)"));
    }
    return textes;
  };
  Clic_Droit();
  Calculer();
  Clic_Droit();
  ASSERT_EQ(Menus.size(), 2u);
  EXPECT_EQ(Menus[0], menu(false));
  EXPECT_EQ(Menus[1], menu(true));  // on the first rubric's row
  // What an entry leaves behind, to tell whether a key ran it.
  const auto trace = [&](recap::TCommande c) {
    const win32::TPlage p = f->StringGridRecap->Selection();
    switch (c) {
      case recap::TCommande::Copier: return Presse_Papiers();
      case recap::TCommande::Tout_Selectionner: return std::to_string(p.Droite) + "," + std::to_string(p.Bas);
      case recap::TCommande::Exporter_Csv:
      case recap::TCommande::Exporter_Excel: return std::to_string(Demandes.size());
      case recap::TCommande::Comparer: return std::to_string(f->Comparaison != nullptr);
      case recap::TCommande::Cumuls: return std::to_string(f->Cumuls != nullptr);
      case recap::TCommande::Controles: return std::to_string(f->Controles != nullptr);
      case recap::TCommande::Detail: return std::to_string(f->Details.size());
      case recap::TCommande::Imprimer: return std::to_string(Impressions_Demandees);
      default: return std::string();
    }
  };
  for (const auto& e : entrees) {
    if (e.Touche == 0) continue;
    for (HWND ou : {f->EditChemin_Dossier, Grille()}) {
      win32::Ecrire_Presse_Papiers(f->Handle(), "avant");
      f->StringGridRecap->Selectionner({1, 1, 1, 1});
      f->Comparaison.reset();
      f->Cumuls.reset();
      f->Controles.reset();
      f->Details.clear();
      const std::string avant = trace(e.Commande);
      Ctrl(ou, e.Touche);
      EXPECT_EQ(trace(e.Commande) != avant, ou == Grille() || e.Portee == recap::TPortee::Fenetre) << e.Texte;
    }
  }
  EXPECT_TRUE(Erreurs.empty());
}

TEST_F(ExportWin32, SummaryCopyAndMenu) {
  Calculer();
  EXPECT_EQ(Texte(f->LabelResume), "12 bulletins\r\nGains : 37116,76 — Retenues : 9326,9\r\nNet : 27789,86");

  // Ctrl+A then Ctrl+C: the whole table, as korvex-recap prints it.
  EXPECT_TRUE(Ctrl(Grille(), 'A'));
  EXPECT_EQ(f->StringGridRecap->Selection(), (win32::TPlage{1, 1, 4, 26}));
  EXPECT_TRUE(Ctrl(Grille(), 'C'));
  const std::string tableau = Recap_Imprimee();
  EXPECT_EQ(Presse_Papiers(), tableau);
  EXPECT_NE(tableau.find("Salaire de base\t\t33149,34\t\r\n"), std::string::npos);

  // One cell: its text as shown. In a field, Ctrl+C and Ctrl+A are the field's own.
  f->StringGridRecap->Selectionner({3, 1, 3, 1});
  Ctrl(Grille(), 'C');
  EXPECT_EQ(Presse_Papiers(), "33149,34\r\n");
  win32::Ecrire_Presse_Papiers(f->Handle(), "avant");
  Ctrl(f->LabeledEdit_Mois, 'A');
  Ctrl(f->LabeledEdit_Mois, 'C');
  EXPECT_EQ(f->StringGridRecap->Selection(), (win32::TPlage{3, 1, 3, 1}));
  EXPECT_EQ(Presse_Papiers(), "avant");

  // The menu from a right click, then from the keyboard; an entry chosen is done.
  Choix_Menu = textes::Action_Copier_Tout;
  Clic_Droit();
  ASSERT_EQ(Menus.size(), 1u);
  EXPECT_EQ(Presse_Papiers(), tableau);
  Choix_Menu.clear();
  Touche(Grille(), VK_APPS);
  SendMessageW(Grille(), WM_KEYUP, VK_APPS, 0xC0000001);
  EXPECT_EQ(Menus.size(), 2u) << "touche menu";
  BYTE maj[256] = {};
  maj[VK_SHIFT] = 0x80;
  SetKeyboardState(maj);
  SendMessageW(Grille(), WM_SYSKEYDOWN, VK_F10, 1);
  BYTE rien[256] = {};
  SetKeyboardState(rien);
  EXPECT_EQ(Menus.size(), 3u) << "Maj+F10";
}

TEST_F(ExportWin32, ExportThroughTheSaveDialog) {
  Calculer();
  // A cancel writes nothing; the dialog proposes the month's name in Documents.
  EXPECT_TRUE(Ctrl(f->EditChemin_Dossier, 'S'));
  ASSERT_EQ(Demandes.size(), 1u);
  const auto demande = recap::Demande_Enregistrement(f->StringGridRecap->Tableau(), recap::TFormat_Fichier::Csv);
  EXPECT_EQ(Demandes[0].Chemin_Propose, demande.Chemin_Propose);
  EXPECT_EQ(Demandes[0].Extension, "csv");

  const fs::path csv = dossier.Chemin() / "sortie" / "recap.csv";
  fs::create_directories(csv.parent_path());
  Reponse_Enregistrer = csv.string();
  Choix_Menu = textes::Action_Exporter_Csv;
  Clic_Droit();
  EXPECT_TRUE(Erreurs.empty());
  EXPECT_EQ(Lire(csv), "\xEF\xBB\xBF" + Recap_Imprimee({"--csv"}));

  // A folder that does not exist: the error box names the file, nothing is written.
  Reponse_Enregistrer = (dossier.Chemin() / "absent" / "recap.csv").string();
  Ctrl(Grille(), 'S');
  ASSERT_EQ(Erreurs.size(), 1u);
  EXPECT_EQ(Erreurs[0].rfind("Impossible d'enregistrer le fichier " + *Reponse_Enregistrer, 0), 0u) << Erreurs[0];
  EXPECT_FALSE(fs::exists(dossier.Chemin() / "absent"));
}

// Wine has no printer, and its metafile contexts refuse a print job (the drawing itself is
// tested on a metafile with the GDI pages): the road is checked up to the printer's answer.
TEST_F(ExportWin32, PrintThroughThePrintDialog) {
  Calculer();
  Ctrl(Grille(), 'P');  // cancelled: nothing else happens
  EXPECT_EQ(Impressions_Demandees, 1);
  EXPECT_EQ(Demande_Impression.Document, "Récap KORVEX 02-2024");
  EXPECT_FALSE(Demande_Impression.Format.Paysage());
  EXPECT_TRUE(Erreurs.empty());

  bool rendu = false;
  Imprimante = [&] {
    return win32::TContexte_Impression(CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr), [&](HDC dc) {
      DeleteEnhMetaFile(CloseEnhMetaFile(dc));
      rendu = true;
    });
  };
  Choix_Menu = textes::Action_Imprimer;
  Clic_Droit();
  EXPECT_EQ(Impressions_Demandees, 2);
  EXPECT_EQ(Erreurs, std::vector<std::string>{plateforme::Texte_Boite_Erreur(textes::Impression_Echouee)});
  EXPECT_EQ(Occupe_Pendant_Boite, std::vector<bool>{false});  // the wait cursor ended with the job
  EXPECT_TRUE(rendu);
}

// With no printer installed, "Imprimer…" says what to do instead of ending in silence: the
// system's own print dialog, which Wine has, is never opened then.
TEST_F(ExportWin32, PrintWithNoPrinterSaysWhatToDo) {
  DWORD taille = 0, nombre = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &taille, &nombre);
  if (taille > 0 || nombre > 0) GTEST_SKIP() << "une imprimante est installée : la fenêtre d'impression bloquerait";
  Imprimante = [this] { return win32::Dialogues_Win32().Imprimer(f->Handle(), Demande_Impression); };
  Calculer();
  Ctrl(Grille(), 'P');
  EXPECT_EQ(Erreurs, std::vector<std::string>{plateforme::Texte_Boite_Erreur(textes::Aucune_Imprimante)});
}

TEST(TexteEchecImpression, NoPrinterOrTheCode) {
  const struct {
    HRESULT hr;
    DWORD erreur_etendue;
    std::string texte;
  } cas[] = {
      {E_FAIL, PDERR_NODEFAULTPRN, textes::Aucune_Imprimante},
      {E_FAIL, PDERR_NODEVICES, textes::Aucune_Imprimante},
      {E_OUTOFMEMORY, 0, "La fenêtre d'impression n'a pas pu s'ouvrir (code 2147942414)"},
  };
  for (const auto& k : cas) EXPECT_EQ(win32::Texte_Echec_Impression(k.hr, k.erreur_etendue), k.texte);
}

// ---- Screen readers ----

TEST_F(ExportWin32, WhatAScreenReaderGets) {
  Calculer();
  SetFocus(Grille());
  f->StringGridRecap->Selectionner({3, 1, 3, 1});
  Accessible grille(Grille());
  ASSERT_NE(grille.a, nullptr);
  EXPECT_EQ(grille.Nom(), textes::Nom_Grille_Accessible);
  VARIANT focus{};
  ASSERT_EQ(grille.a->get_accFocus(&focus), S_OK);
  ASSERT_EQ(focus.vt, VT_I4);
  EXPECT_EQ(grille.Nom(focus.lVal), "GAINS, rubrique 1 Salaire de base : 33149,34");
  EXPECT_EQ(grille.Valeur(focus.lVal), "33149,34");
  VARIANT role{};
  ASSERT_EQ(grille.a->get_accRole(focus, &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_CELL);

  // The system's own objects name each edit after the label just before it.
  Accessible chemin(f->EditChemin_Dossier), mois(f->LabeledEdit_Mois);
  ASSERT_NE(chemin.a, nullptr);
  ASSERT_NE(mois.a, nullptr);
  EXPECT_EQ(chemin.Nom(), textes::Libelle_Chemin);
  EXPECT_EQ(mois.Nom(), textes::Libelle_Mois);
}

}  // namespace
