// The window as a user sees it: controls, texts, geometry, focus, and the recap grid.
#include <QAbstractButton>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>

#include "Boites_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "qt/Edit_Etiquete.h"
#include "qt/Grille_Recap.h"
#include "forms/Description_Form1.h"
#include "support/Grilles.h"

namespace {

void Afficher(QWidget& w) {
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
}

// The centre of a data cell (model row r, column c) in the grid's own coordinates.
QPoint Centre_Cellule(TStringGridRecap& g, int r, int c) {
  return g.viewport()->mapTo(&g, g.visualRect(g.model()->index(r, c)).center());
}

QColor Couleur(const QImage& image, QPoint p) { return image.pixelColor(p); }

}  // namespace

class TestsFenetre : public QObject {
  Q_OBJECT

private slots:
  void description();
  void le_panneau_et_la_grille_suivent_la_fenetre();
  void l_etiquette_du_mois_suit_son_champ();
  void focus_initial_et_tabulation();
  void entree_ne_presse_pas_le_bouton();
  void aucun_champ_ne_limite_son_texte();
  void grille_initiale();
  void grille_couleurs_des_cellules();
  void grille_selection_par_plage_sans_edition();
  void grille_colonnes_redimensionnables_lignes_non();
  void grille_affiche_un_tableau();
};

void TestsFenetre::description() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  // The .ui against the description the Win32 window is built from, field by field.
  const auto& d = description::Form1;
  QCOMPARE(f.objectName(), QStringLiteral("Form1"));
  QCOMPARE(f.windowTitle(), QString::fromUtf8(d.Titre));
  QCOMPARE(f.font().family(), QString::fromUtf8(d.Police));
  QCOMPARE(f.font().pointSize(), d.Points);
  QCOMPARE(f.pos(), QPoint(d.Left, d.Top));
  QCOMPARE(f.size(), QSize(d.Largeur_Client, d.Hauteur_Client));
  QCOMPARE(f.backgroundRole(), QPalette::Button);
  QCOMPARE(f.Panel1->backgroundRole(), QPalette::Button);
  QCOMPARE(f.Panel1->frameShape(), QFrame::Panel);

  for (const auto& c : description::Controles) {
    auto* w = f.findChild<QWidget*>(QString::fromUtf8(c.Nom));
    QVERIFY2(w != nullptr, c.Nom);
    QVERIFY2(w->parentWidget()->objectName() == QString::fromUtf8(c.Parent), c.Nom);
    QVERIFY2(w->isVisible() == !c.Cache, c.Nom);
    if (c.Cache) {  // placed where it shows
      w->show();
      QVERIFY2(QTest::qWaitFor([&] { return w->geometry() == QRect(c.Left, c.Top, c.Width, c.Height); }), c.Nom);
    }
    QVERIFY2(w->pos() == QPoint(c.Left, c.Top), c.Nom);
    QString texte;
    auto* etiquette = qobject_cast<QLabel*>(w);
    if (c.Width == 0) {
      QVERIFY2(etiquette != nullptr && etiquette->size() == etiquette->sizeHint(), c.Nom);  // sized to its text
    } else {
      QVERIFY2(w->size() == QSize(c.Width, c.Height), c.Nom);
    }
    if (etiquette != nullptr) {
      texte = etiquette->text();
    } else {
      if (auto* champ = qobject_cast<QLineEdit*>(w)) texte = champ->text();
      if (auto* bouton = qobject_cast<QPushButton*>(w)) texte = bouton->text();
    }
    // LabelFichierTrouve, empty in the description, already holds the check of the default folder.
    if (w != f.LabelFichierTrouve) QVERIFY2(texte == QString::fromUtf8(c.Texte), c.Nom);
    QVERIFY2((c.Ordre_Tab >= 0) == ((w->focusPolicy() & Qt::TabFocus) != 0) || w == f.Panel1, c.Nom);
  }

  // The caption: as designed, wider only where the font needs it, above the edit.
  const auto& e = description::Etiquette_Mois;
  QLabel* mois = f.LabeledEdit_Mois->EditLabel();
  QCOMPARE(mois->text(), QString::fromUtf8(e.Texte));
  QCOMPARE(mois->parentWidget(), f.Panel1);
  QCOMPARE(mois->size(), QSize(e.Width, e.Height).expandedTo(mois->sizeHint()));
  QCOMPARE(mois->pos(), QPoint(32, 56 - e.Espace - mois->height()));
  QVERIFY(!f.Button_Calc_Recap->isDefault());
  QVERIFY(!f.Button_Calc_Recap->autoDefault());
  for (int i = TTAB_VALEURS::Premier; i <= TTAB_VALEURS::Dernier; ++i) QCOMPARE(f.TOT_RUB[i], 0.0L);
  QVERIFY(boites.Messages.empty() && boites.Erreurs.empty());
}

void TestsFenetre::le_panneau_et_la_grille_suivent_la_fenetre() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  f.resize(1000, 700);
  QTRY_COMPARE(f.Panel1->geometry(), QRect(0, 0, 1000, 97));
  QTRY_COMPARE(f.StringGridRecap->geometry(), QRect(0, 97, 1000, 603));
  QCOMPARE(f.EditChemin_Dossier->pos(), QPoint(184, 8));  // the inputs stay where designed
}

void TestsFenetre::l_etiquette_du_mois_suit_son_champ() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  QLabel* etiquette = f.LabeledEdit_Mois->EditLabel();
  QCOMPARE(etiquette->buddy(), f.LabeledEdit_Mois);
  const QSize taille = etiquette->size();
  f.LabeledEdit_Mois->move(100, 70);
  QCOMPARE(etiquette->geometry(), QRect(QPoint(100, 70 - 3 - taille.height()), taille));
}

void TestsFenetre::focus_initial_et_tabulation() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  f.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&f));
  QCOMPARE(QApplication::focusWidget(), f.StringGridRecap);

  const QList<QWidget*> avant = {f.EditChemin_Dossier, f.LabeledEdit_Mois, f.Button_Calc_Recap,
                                 f.StringGridRecap, f.EditChemin_Dossier};
  for (QWidget* attendu : avant) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), attendu);
  }
  const QList<QWidget*> arriere = {f.StringGridRecap, f.Button_Calc_Recap, f.LabeledEdit_Mois,
                                   f.EditChemin_Dossier};
  for (QWidget* attendu : arriere) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), attendu);
  }
}

void TestsFenetre::entree_ne_presse_pas_le_bouton() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  QSignalSpy clics(f.Button_Calc_Recap, &QPushButton::clicked);
  for (QLineEdit* champ : {f.EditChemin_Dossier, static_cast<QLineEdit*>(f.LabeledEdit_Mois)}) {
    champ->setFocus();
    QTest::keyClick(champ, Qt::Key_Return);
    QTest::keyClick(champ, Qt::Key_Enter);
  }
  QCOMPARE(clics.count(), 0);
  QVERIFY(boites.Messages.empty());
  // The same button does answer a click: the month is empty, so the month message shows.
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QCOMPARE(clics.count(), 1);
  QCOMPARE(boites.Messages.size(), size_t(1));
}

void TestsFenetre::aucun_champ_ne_limite_son_texte() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  const QString long_texte(40000, u'x');
  for (QLineEdit* champ : {f.EditChemin_Dossier, static_cast<QLineEdit*>(f.LabeledEdit_Mois)}) {
    champ->setText(long_texte);
    QCOMPARE(champ->text().size(), long_texte.size());
  }
}

void TestsFenetre::grille_initiale() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  TStringGridRecap& g = *f.StringGridRecap;
  QAbstractItemModel& m = *g.model();
  // Five columns and five rows, fixed ones included, every cell empty.
  QCOMPARE(m.columnCount(), 4);
  QCOMPARE(m.rowCount(), 4);
  QCOMPARE(g.Texte_Coin(), QString());
  for (int c = 0; c < 4; ++c) QCOMPARE(m.headerData(c, Qt::Horizontal).toString(), QString());
  for (int r = 0; r < 4; ++r) {
    QCOMPARE(m.headerData(r, Qt::Vertical).toString(), QString());
    for (int c = 0; c < 4; ++c) QCOMPARE(m.data(m.index(r, c)).toString(), QString());
  }
  QCOMPARE(g.verticalHeader()->width(), 64);
  const int largeurs[] = {290, 172, 175, 139};
  for (int c = 0; c < 4; ++c) QCOMPARE(g.columnWidth(c), largeurs[c]);
  QCOMPARE(g.horizontalHeader()->height(), 24);
  for (int r = 0; r < 4; ++r) QCOMPARE(g.rowHeight(r), 24);
  QVERIFY(g.showGrid());
  QVERIFY(!g.wordWrap());
  QCOMPARE(g.textElideMode(), Qt::ElideNone);
}

void TestsFenetre::grille_couleurs_des_cellules() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  TStringGridRecap& g = *f.StringGridRecap;
  const QImage image = g.grab().toImage();
  const QColor face = g.palette().color(QPalette::Button), fenetre = g.palette().color(QPalette::Base);
  QVERIFY(face != fenetre);
  const QHeaderView* ligne0 = g.horizontalHeader();
  const QHeaderView* colonne0 = g.verticalHeader();
  const QPoint fixes[] = {
      ligne0->mapTo(&g, QPoint(ligne0->sectionViewportPosition(1) + 40, 12)),
      colonne0->mapTo(&g, QPoint(40, colonne0->sectionViewportPosition(2) + 12)),
      QPoint(colonne0->width() / 2 + 10, ligne0->height() / 2 + 5),  // the corner
  };
  for (QPoint p : fixes) QCOMPARE(Couleur(image, p), face);
  // Below the last row and right of the last column: the grid's window colour.
  const QPoint au_dela[] = {colonne0->mapTo(&g, QPoint(30, colonne0->length() + 40)),
                            ligne0->mapTo(&g, QPoint(ligne0->length() + 4, 12))};
  for (QPoint p : au_dela) QCOMPARE(Couleur(image, p), fenetre);
  for (auto [r, c] : {std::pair{1, 1}, {2, 3}, {3, 0}}) QCOMPARE(Couleur(image, Centre_Cellule(g, r, c)), fenetre);
}

void TestsFenetre::grille_selection_par_plage_sans_edition() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  TStringGridRecap& g = *f.StringGridRecap;
  QAbstractItemModel& m = *g.model();
  auto centre = [&](int r, int c) { return g.visualRect(m.index(r, c)).center(); };

  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, centre(0, 0));
  QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(2, 1));
  QCOMPARE(g.selectionModel()->selectedIndexes().size(), 6);
  // A second range replaces the first: selections stay one rectangle.
  QTest::mouseClick(g.viewport(), Qt::LeftButton, Qt::ControlModifier, centre(3, 3));
  QCOMPARE(g.selectionModel()->selection().size(), 1);
  QVERIFY(g.selectionModel()->isSelected(m.index(3, 3)));

  // Double-click and typing open no editor and change nothing.
  QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre(1, 1));
  QTest::keyClicks(&g, "abc");
  QTest::keyClick(&g, Qt::Key_F2);
  QCOMPARE(g.viewport()->findChild<QLineEdit*>(), nullptr);  // no editor opened
  QCOMPARE(m.data(m.index(1, 1)).toString(), QString());
  QVERIFY(!(m.flags(m.index(1, 1)) & Qt::ItemIsEditable));
  // A click on a fixed cell selects nothing.
  g.clearSelection();
  QTest::mouseClick(g.horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(g.horizontalHeader()->sectionViewportPosition(1) + 20, 12));
  QTest::mouseClick(g.verticalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(20, g.verticalHeader()->sectionViewportPosition(1) + 12));
  QVERIFY(g.selectionModel()->selectedIndexes().isEmpty());
}

void TestsFenetre::grille_colonnes_redimensionnables_lignes_non() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  TStringGridRecap& g = *f.StringGridRecap;
  // Drag the right edge of the LIBELLES column, then the bottom edge of row 1.
  QHeaderView* ligne0 = g.horizontalHeader();
  const int bord = ligne0->sectionViewportPosition(0) + ligne0->sectionSize(0) - 1;
  QTest::mousePress(ligne0->viewport(), Qt::LeftButton, {}, QPoint(bord, 12));
  QTest::mouseMove(ligne0->viewport(), QPoint(bord + 40, 12));
  QTest::mouseRelease(ligne0->viewport(), Qt::LeftButton, {}, QPoint(bord + 40, 12));
  QCOMPARE(g.columnWidth(0), 330);

  QHeaderView* colonne0 = g.verticalHeader();
  const int bas = colonne0->sectionViewportPosition(0) + colonne0->sectionSize(0) - 1;
  QTest::mousePress(colonne0->viewport(), Qt::LeftButton, {}, QPoint(30, bas));
  QTest::mouseMove(colonne0->viewport(), QPoint(30, bas + 30));
  QTest::mouseRelease(colonne0->viewport(), Qt::LeftButton, {}, QPoint(30, bas + 30));
  QCOMPARE(g.rowHeight(0), 24);
}

// Whatever table it is given: its header row and first column fixed, the user's widths kept while
// the columns stay, the table's own widths for other columns, rows to check highlighted.
void TestsFenetre::grille_affiche_un_tableau() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  Afficher(f);
  TStringGridRecap& g = *f.StringGridRecap;
  QAbstractItemModel& m = *g.model();
  auto* coin = g.findChild<QAbstractButton*>();
  QVERIFY(coin != nullptr);
  const QImage coin_vide = coin->grab().toImage();
  g.horizontalHeader()->resizeSection(0, 300);  // as the user would

  g.Afficher(test::Tableau_Grille({{"N° RUB", "LIBELLES", "", "", "RETENUES"}, {"12", "Salaire de base"}, {"", "", "", "1520"}}));
  QCOMPARE(m.rowCount(), 2);
  QCOMPARE(g.Texte_Coin(), QStringLiteral("N° RUB"));
  QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("LIBELLES"));
  QCOMPARE(m.headerData(3, Qt::Horizontal).toString(), QStringLiteral("RETENUES"));
  QCOMPARE(m.headerData(0, Qt::Vertical).toString(), QStringLiteral("12"));
  QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("Salaire de base"));
  QCOMPARE(m.data(m.index(1, 2)).toString(), QStringLiteral("1520"));
  QVERIFY(coin->grab().toImage() != coin_vide);
  // A change of row count keeps the columns as they were.
  QCOMPARE(g.columnWidth(0), 300);
  QCOMPARE(g.columnWidth(1), 172);

  // Many rows: rows keep their height, the grid scrolls, column 0 stays in view.
  g.Afficher(test::Tableau_Grille(std::vector<std::vector<std::string>>(60, {"1"})));
  QCOMPARE(m.rowCount(), 59);
  QCOMPARE(g.rowHeight(58), 24);
  QTRY_VERIFY(g.verticalScrollBar()->isVisible());
  g.horizontalHeader()->resizeSection(3, 2000);
  QTRY_VERIFY(g.horizontalScrollBar()->isVisible());
  g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum());
  QVERIFY(g.verticalHeader()->isVisible());
  QCOMPARE(g.verticalHeader()->x(), g.frameWidth());

  // Another table: its columns, its widths; its second row to be checked.
  recap::TTableau autre;
  autre.Colonnes = {{"N°", 40}, {"Libellé", 120}, {"Contrôle", 90}};
  autre.Lignes = {{{recap::Cellule_Entier(1), recap::Cellule_Texte("a"), recap::Cellule_Texte("")}},
                  {{recap::Cellule_Entier(2), recap::Cellule_Texte("b"), recap::Cellule_Texte("hausse")}, true}};
  g.Afficher(autre);
  QCOMPARE(m.columnCount(), 2);
  QCOMPARE(g.verticalHeader()->width(), 40);
  QCOMPARE(g.columnWidth(0), 120);
  QCOMPARE(g.columnWidth(1), 90);
  g.clearSelection();
  g.setCurrentIndex({});
  const QImage image = g.grab().toImage();
  const auto& c = description::Couleur_A_Signaler;
  QCOMPARE(Couleur(image, Centre_Cellule(g, 1, 0)), QColor(c.Rouge, c.Vert, c.Bleu));
  QCOMPARE(Couleur(image, Centre_Cellule(g, 0, 1)), g.palette().color(QPalette::Base));
  QCOMPARE(m.data(m.index(1, 1), Qt::AccessibleDescriptionRole).toString(), QStringLiteral("Ligne à vérifier"));
  QVERIFY(!m.data(m.index(0, 1), Qt::AccessibleDescriptionRole).isValid());
}

KORVEX_SUITE(TestsFenetre);

#include "test_fenetre.moc"
