// The controls on Windows, as a user checks a month before paying it: Ctrl+K after the recap,
// the anomalies highlighted, Enter on a finding opening its payslip, a double click on a row of
// the comparison opening its gaps by employee.
#include "Fenetre_Test.h"
#include "forms/Description_Form1.h"
#include "platform/Textes.h"

namespace {

struct ControlesWin32 : test::FenetreWin32 {
  test::TDossierTemporaire dossier;
  void SetUp() override {
    FenetreWin32::SetUp();
    const auto vers = dossier.Chemin() / "KORVEX";
    std::filesystem::create_directories(vers);
    for (const char* nom : {"PAIES.DTA", "PAIES.DBT", "RUBRIQUE.DTA"})
      std::filesystem::copy_file(std::filesystem::path(KORVEX_CONTROLES) / "KORVEX" / nom, vers / nom);
    Taper(f->EditChemin_Dossier, vers.string());
    Taper(f->LabeledEdit_Mois, "02-2024");
    Cliquer();
  }
  bool Entree(HWND grille, int rangee, win32::TGrilleWin32& g) {
    g.Selectionner({1, rangee, 1, rangee});
    MSG msg{grille, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    return f->Traiter_Clavier(msg);
  }
};

TEST_F(ControlesWin32, AMonthCheckedThenAFindingsPayslip) {
  ASSERT_TRUE(Messages.empty() && Erreurs.empty());
  ASSERT_TRUE(Ctrl(f->StringGridRecap->Handle(), 'K'));
  ASSERT_NE(f->Controles, nullptr);
  win32::TFenetre_Tableau& c = *f->Controles;
  EXPECT_EQ(Texte(c.Handle()), "Contrôles — mois 02-2024 / 01-2024");
  EXPECT_EQ(Texte(c.LabelResumeTableau).rfind("4 anomalies, 7 points à vérifier", 0), 0u);
  const auto& d = description::Couleur_A_Signaler;
  EXPECT_TRUE(Contient_Couleur(c.GrilleTableau->Handle(), RGB(d.Rouge, d.Vert, d.Bleu)));

  ASSERT_TRUE(Entree(c.GrilleTableau->Handle(), 4, *c.GrilleTableau));  // the negative net
  ASSERT_EQ(f->Details.size(), 1u);
  EXPECT_EQ(Texte(f->Details[0]->Handle()), "Bulletin — enregistrement 14 — 00005 NEGATIF Emma — mois 02-2024");
  EXPECT_EQ(f->Details[0]->GrilleTableau->Tableau().Lignes.back().Cellules.back().Texte, "-200");

  // The comparison's first row: the gaps of Salaire de base, employee by employee.
  ASSERT_TRUE(Ctrl(f->StringGridRecap->Handle(), 'M'));
  win32::TFenetre_Tableau& comparaison = *f->Comparaison;
  ASSERT_TRUE(Entree(comparaison.GrilleTableau->Handle(), 1, *comparaison.GrilleTableau));
  ASSERT_EQ(f->Details.size(), 2u);
  EXPECT_EQ(Texte(f->Details[1]->Handle()), "Écarts par salarié — rubrique 1 Salaire de base — mois 02-2024 / 01-2024");
  EXPECT_TRUE(Erreurs.empty());
}

}  // namespace
