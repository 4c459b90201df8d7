// The cumuls window as a payroll user closes a quarter with it: Ctrl+U from the recap of the
// sample, the quarter to date prefilled, the fixed columns, the chart, a month's cell and the
// total opening their details, a period refused with its message.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include "Boites_Factices.h"
#include "Dialogues_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "Utilisateur.h"
#include "platform/Textes.h"
#include "qt/Etiquette_Defilante.h"
#include "qt/Fenetre_Tableau.h"
#include "qt/Graphique_Qt.h"
#include "qt/Grille_Recap.h"

namespace {

const QString Exemple = QStringLiteral(KORVEX_EXEMPLES "/KORVEX");

TFenetreTableau* Fenetre_De(const TForm1& f, recap::TGenre_Fenetre genre) {
  for (TFenetreTableau* t : f.findChildren<TFenetreTableau*>())
    if (t->Genre() == genre) return t;
  return nullptr;
}

}  // namespace

class TestsCumulsFenetre : public QObject {
  Q_OBJECT

private slots:
  void un_trimestre();
};

void TestsCumulsFenetre::un_trimestre() {
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogue;
  TForm1 f(boites.Boites(), dialogue.Dialogues());
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  // Enabled by the folder check alone, before any calculation.
  QVERIFY(!f.Commandes.Action(recap::TCommande::Cumuls)->isEnabled());
  Saisir(f.EditChemin_Dossier, Exemple);
  Saisir(f.LabeledEdit_Mois, "03-2024");
  QVERIFY(f.Commandes.Action(recap::TCommande::Cumuls)->isEnabled());
  QTest::keyClick(f.EditChemin_Dossier, Qt::Key_U, Qt::ControlModifier);
  TFenetreTableau* c = Fenetre_De(f, recap::TGenre_Fenetre::Cumuls);
  QVERIFY(c != nullptr);
  QCOMPARE(c->windowTitle(), QStringLiteral("Cumuls — du 01-2024 au 03-2024"));
  QCOMPARE(c->Controle<QLineEdit>("EditDu")->text(), QStringLiteral("01-2024"));
  QCOMPARE(c->Controle<QLineEdit>("EditAu")->text(), QStringLiteral("03-2024"));
  QVERIFY(boites.Messages.empty() && boites.Erreurs.empty());

  // N° RUB, LIBELLES and COLONNE fixed; a column a month, then TOTAL; the summaries under.
  const QAbstractItemModel* m = c->GrilleTableau->model();
  QCOMPARE(m->columnCount(), 4);
  QCOMPARE(m->headerData(0, Qt::Vertical, TModeleTableau::Role_Cellules_Fixes).toStringList(),
           (QStringList{"1", "Salaire de base", "GAINS"}));
  QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QStringLiteral("TOTAL"));
  QCOMPARE(m->headerData(m->rowCount() - 1, Qt::Vertical, TModeleTableau::Role_Cellules_Fixes).toStringList()[1],
           QStringLiteral("Net"));
  QVERIFY(c->LabelResumeTableau->text().startsWith("36 bulletins"));
  // The chart: two bars and a mark a month, three squares of legend.
  QVERIFY(c->Graphique != nullptr);
  QTRY_VERIFY(c->Graphique->isVisible());
  QCOMPARE(c->Graphique->Dessin().Barres.size(), size_t{3 * 3 + 3});

  // A double click on February's salary: that month's detail; Enter on its total: the quarter's.
  QTRY_COMPARE(QApplication::activeWindow(), c);
  TStringGridRecap& g = *c->GrilleTableau;
  QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(m->index(0, 1)).center());
  TFenetreTableau* fevrier = Fenetre_De(f, recap::TGenre_Fenetre::Detail);
  QVERIFY(fevrier != nullptr);
  QCOMPARE(fevrier->windowTitle(), QStringLiteral("Détail — rubrique 1 Salaire de base — mois 02-2024"));
  QVERIFY(!fevrier->LabelAvertissementsTableau->isVisible());  // it read what the cumuls read
  fevrier->close();
  QTRY_VERIFY(Fenetre_De(f, recap::TGenre_Fenetre::Detail) == nullptr);
  g.setCurrentIndex(m->index(0, 3));
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_Return);
  TFenetreTableau* trimestre = Fenetre_De(f, recap::TGenre_Fenetre::Detail);
  QVERIFY(trimestre != nullptr);
  QVERIFY2(trimestre->windowTitle().endsWith("01-2024 à 03-2024"), qPrintable(trimestre->windowTitle()));

  // A period the core refuses: its box, and no cumuls to export.
  Saisir(c->Controle<QLineEdit>("EditDu"), "04-2024");
  QTest::mouseClick(c->Bouton, Qt::LeftButton);
  QCOMPARE(boites.Messages, std::vector<std::string>{textes::Cumuls_Ordre});
  QVERIFY(!c->Commandes.Action(recap::TCommande::Exporter_Excel)->isEnabled());
  QCOMPARE(c->LabelResumeTableau->text(), QString::fromUtf8(textes::Aucun_Cumul));
}

KORVEX_SUITE(TestsCumulsFenetre);

#include "test_cumuls_fenetre.moc"
