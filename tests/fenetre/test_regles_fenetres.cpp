// The window rules as a keyboard user meets them in the comparison window opened from the
// sample's recap: its frame and name, Tab, the Alt letters, the check box and a header click
// that change the rows shown (and copied), its minimum size, its amounts on the right, Escape;
// then Ctrl+W in a detail, and the main window after a second calculation and a failed one.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>

#include "Boites_Factices.h"
#include "Dialogues_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "Utilisateur.h"
#include "forms/Description_Form1.h"
#include "forms/Description_Tableaux.h"
#include "qt/Fenetre_Tableau.h"
#include "qt/Grille_Recap.h"

namespace {

const QString Exemple = QStringLiteral(KORVEX_EXEMPLES "/KORVEX");

QWidget* Focus_Apres(QWidget* depuis, Qt::KeyboardModifiers modificateurs = Qt::NoModifier) {
  QTest::keyClick(depuis, Qt::Key_Tab, modificateurs);
  return QApplication::focusWidget();
}

}  // namespace

class TestsReglesFenetres : public QObject {
  Q_OBJECT

private slots:
  void la_comparaison_au_clavier();
  void la_fenetre_principale_apres_deux_clics();
};

void TestsReglesFenetres::la_comparaison_au_clavier() {
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogue;
  TForm1 f(boites.Boites(), dialogue.Dialogues());
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  Calculer(f, Exemple, "02-2024");
  QTest::keyClick(f.StringGridRecap, Qt::Key_M, Qt::ControlModifier);
  TFenetreTableau* c = f.Fenetre_Comparaison();
  QVERIFY(c != nullptr);
  // The window it owns is "active" with it: wait for the comparison itself to take the keys.
  QTRY_COMPARE(QApplication::activeWindow(), c);

  // A frame named by its title, as the main window.
  for (QWidget* w : {static_cast<QWidget*>(&f), static_cast<QWidget*>(c)}) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    QCOMPARE(a->role(), QAccessible::Window);
    QCOMPARE(a->text(QAccessible::Name), w->windowTitle());
  }
  QCOMPARE(c->minimumSize(), QSize(description::Fenetre_Comparaison.Largeur_Min, description::Fenetre_Comparaison.Hauteur_Min));

  // Tab leaves the grid and goes round the fields, the button, the check box and the grid.
  QLineEdit* reference = c->Controle<QLineEdit>("EditMoisReference");
  c->GrilleTableau->setFocus();
  QCOMPARE(Focus_Apres(c->GrilleTableau), reference);
  QCOMPARE(Focus_Apres(reference), c->Controle<QLineEdit>("EditSeuil"));
  QCOMPARE(Focus_Apres(c->Champs[1]), c->Bouton);
  QCOMPARE(Focus_Apres(c->Bouton), c->CaseFiltre);
  QCOMPARE(Focus_Apres(c->CaseFiltre), c->GrilleTableau);
  QCOMPARE(Focus_Apres(c->GrilleTableau, Qt::ShiftModifier), c->CaseFiltre);
  // Alt+R comes to the reference month, Alt+V ticks the check box.
  QTest::keyClick(c, Qt::Key_R, Qt::AltModifier);
  QCOMPARE(QApplication::focusWidget(), reference);

  // Amounts on the right; the check box shows only the rows to check, which the copy takes.
  const QAbstractItemModel* m = c->GrilleTableau->model();
  QCOMPARE(m->data(m->index(0, 3), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
  QCOMPARE(m->data(m->index(0, 0), Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, int(Qt::AlignLeft));
  QCOMPARE(m->headerData(0, Qt::Vertical, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, int(Qt::AlignRight));
  const int toutes = m->rowCount();
  QTest::keyClick(c, Qt::Key_V, Qt::AltModifier);
  QTRY_VERIFY(c->CaseFiltre->isChecked());  // a button pressed by its letter is released a moment later
  QVERIFY(m->rowCount() < toutes);
  for (const auto& l : c->GrilleTableau->Tableau().Lignes) QVERIFY(l.A_Signaler);
  QVERIFY(c->windowTitle().endsWith("(seulement les lignes à vérifier)"));
  c->Commandes.Action(recap::TCommande::Copier_Tout)->trigger();
  QCOMPARE(QGuiApplication::clipboard()->text().count('\n'), m->rowCount() + 1);  // the header, then the rows shown

  // A click on the gap's header sorts by it, a second the other way.
  const int ecart = 5;  // the table's column, the header's section before it
  QHeaderView* entetes = c->GrilleTableau->horizontalHeader();
  QTest::mouseClick(entetes->viewport(), Qt::LeftButton, {},
                    QPoint(entetes->sectionViewportPosition(ecart - 1) + 5, entetes->height() / 2));
  QVERIFY(!c->GrilleTableau->selectionModel()->hasSelection());  // it selects no column
  const auto& lignes = c->GrilleTableau->Tableau().Lignes;
  for (size_t i = 1; i < lignes.size(); ++i) QVERIFY(lignes[i - 1].Cellules[ecart].Valeur <= lignes[i].Cellules[ecart].Valeur);
  QVERIFY(m->headerData(ecart - 1, Qt::Horizontal).toString().endsWith(QString::fromUtf8("\u25B2")));

  // A reference that is no month: its box, and the reference's header says nothing was compared.
  Saisir(reference, "2024-01");
  QTest::keyClick(reference, Qt::Key_Return);
  QCOMPARE(boites.Messages.size(), size_t{1});
  QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("TOTAL (rien n'a été comparé)"));

  // Escape from a field closes the window.
  QTest::keyClick(reference, Qt::Key_Escape);
  QTRY_VERIFY(f.Fenetre_Comparaison() == nullptr);

  // Ctrl+W closes a detail.
  f.activateWindow();  // as a window manager gives the focus back to the owner
  QTRY_COMPARE(QApplication::activeWindow(), &f);
  f.StringGridRecap->setFocus();
  QTest::keyClick(f.StringGridRecap, Qt::Key_D, Qt::ControlModifier);
  auto* d = f.findChild<TFenetreTableau*>();
  QVERIFY(d != nullptr);
  QTRY_COMPARE(QApplication::activeWindow(), d);
  QTest::keyClick(d->GrilleTableau, Qt::Key_W, Qt::ControlModifier);
  QTRY_VERIFY(f.findChild<TFenetreTableau*>() == nullptr);
}

void TestsReglesFenetres::la_fenetre_principale_apres_deux_clics() {
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  Calculer(f, Exemple, "02-2024");
  f.StringGridRecap->setFocus();
  QTest::keyClick(f.StringGridRecap, Qt::Key_A, Qt::ControlModifier);
  QVERIFY(f.StringGridRecap->selectionModel()->hasSelection());
  // The next month's recap: nothing of the last one selected.
  Calculer(f, Exemple, "03-2024");
  QVERIFY(!f.StringGridRecap->selectionModel()->hasSelection());
  QCOMPARE(f.StringGridRecap->currentIndex(), f.StringGridRecap->model()->index(0, 0));

  // A recap of a deep folder, then a failed click: the summary names the folder on lines of its
  // own, which break the path, and the panel grows to hold them.
  QTemporaryDir tmp;
  const auto profond = std::filesystem::path(tmp.path().toStdString()) / "dossier-de-paie-de-la-societe-anonyme" /
                       "exercice-comptable-deux-mille-vingt-quatre" / "sauvegarde-du-logiciel-de-paie" / "KORVEX";
  std::filesystem::create_directories(profond.parent_path());
  std::filesystem::copy(KORVEX_EXEMPLES "/KORVEX", profond);
  Calculer(f, QString::fromStdString(profond.string()), "03-2024");
  Saisir(f.LabeledEdit_Mois, "13");
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QVERIFY(f.LabelResume->text().contains(QString::fromStdString(profond.string())));
  QCOMPARE(f.LabelResume->height(), std::max(57, f.LabelResume->heightForWidth(f.LabelResume->width())));
  QVERIFY(f.LabelResume->height() > 57);
  QVERIFY(f.Panel1->height() >= f.LabelResume->y() + f.LabelResume->height());
  QVERIFY(f.StringGridRecap->Tableau().Perime);

  // An interrupted calculation's folder: the long check wraps at the summary's width, and the
  // summary comes under it.
  std::filesystem::rename(profond / "PAIES.DTA", profond / "PAIES.DBF");
  Saisir(f.EditChemin_Dossier, QString::fromStdString(profond.string()) + "/");
  QVERIFY(f.LabelFichierTrouve->text().startsWith("Le fichier PAIES.DTA est absent"));
  QCOMPARE(f.LabelFichierTrouve->width(), description::Controle("LabelResume").Width);
  QVERIFY(f.LabelResume->y() > f.LabelFichierTrouve->y() + f.LabelFichierTrouve->height());
  QVERIFY(f.Panel1->height() >= f.LabelResume->y() + f.LabelResume->height());
}

KORVEX_SUITE(TestsReglesFenetres);

#include "test_regles_fenetres.moc"
