// The cumuls window on Windows, as a user closes a quarter: Ctrl+U once the folder is typed, the
// quarter to date, three fixed columns, the chart, a month's cell opening its detail.
#include "Fenetre_Test.h"
#include "platform/Textes.h"

namespace {

using test::CalculFenetre;

TEST_F(CalculFenetre, TheCumulsOfAQuarter) {
  Taper(f->LabeledEdit_Mois, "03-2024");
  ASSERT_TRUE(Ctrl(f->EditChemin_Dossier, 'U'));
  ASSERT_NE(f->Cumuls, nullptr);
  win32::TFenetre_Tableau& c = *f->Cumuls;
  EXPECT_EQ(Texte(c.Handle()), "Cumuls — du 01-2024 au 03-2024");
  EXPECT_EQ(Texte(c.Controle("EditDu")), "01-2024");
  EXPECT_TRUE(Messages.empty() && Erreurs.empty());
  const recap::TTableau& t = c.GrilleTableau->Tableau();
  EXPECT_EQ(t.Nombre_Colonnes(), 7);
  // The three first columns stay where they are when the grid scrolls sideways.
  const RECT colonne = c.GrilleTableau->Rectangle_Cellule(2, 1);
  SendMessageW(c.GrilleTableau->Handle(), WM_HSCROLL, SB_LINEDOWN, 0);
  const RECT apres = c.GrilleTableau->Rectangle_Cellule(2, 1);
  EXPECT_EQ(apres.left, colonne.left);
  EXPECT_FALSE(IsRectEmpty(&apres));
  EXPECT_TRUE(IsWindowVisible(c.Graphique));
  EXPECT_TRUE(Contient_Couleur(c.Graphique, RGB(0x2E, 0x75, 0xB6)));  // the gains' bars

  // A double click on January's salary: that month's detail.
  SendMessageW(c.GrilleTableau->Handle(), WM_HSCROLL, SB_TOP, 0);
  const RECT janvier = c.GrilleTableau->Rectangle_Cellule(3, 1);
  const LPARAM point = MAKELPARAM((janvier.left + janvier.right) / 2, (janvier.top + janvier.bottom) / 2);
  SendMessageW(c.GrilleTableau->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(c.GrilleTableau->Handle(), WM_LBUTTONUP, 0, point);
  SendMessageW(c.GrilleTableau->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
  SendMessageW(c.GrilleTableau->Handle(), WM_LBUTTONUP, 0, point);
  ASSERT_EQ(f->Details.size(), 1u);
  EXPECT_EQ(Texte(f->Details[0]->Handle()), "Détail — rubrique 1 Salaire de base — mois 01-2024");

  // More than 36 months: its box, no cumuls.
  Taper(c.Controle("EditDu"), "01-2021");
  SendMessageW(c.Bouton, BM_CLICK, 0, 0);
  EXPECT_EQ(Messages, std::vector<std::string>{textes::Cumuls_Trop_Long(36)});
  EXPECT_EQ(Texte(c.LabelResumeTableau), textes::Aucun_Cumul);
}

}  // namespace
