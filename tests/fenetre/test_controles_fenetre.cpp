// The controls before paying as a payroll user runs them: Ctrl+K from the recap, the anomalies
// highlighted, a finding's payslip on Enter; a comparison row's gaps by employee, and a detail
// row's payslip, on a double click.
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
#include "qt/Grille_Recap.h"

namespace {

const QString Controles = QStringLiteral(KORVEX_CONTROLES "/KORVEX");

QList<TFenetreTableau*> Fenetres(const TForm1& f, recap::TGenre_Fenetre genre) {
  QList<TFenetreTableau*> liste;
  for (TFenetreTableau* t : f.findChildren<TFenetreTableau*>())
    if (t->Genre() == genre) liste << t;
  return liste;
}

// Enter on a row of a window's grid, its focus there.
void Entree_Sur(TFenetreTableau& t, int rangee) {
  TStringGridRecap& g = *t.GrilleTableau;
  g.setCurrentIndex(g.model()->index(rangee, 0));
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_Return);
}

}  // namespace

class TestsControlesFenetre : public QObject {
  Q_OBJECT

private slots:
  void un_mois_controle();
};

void TestsControlesFenetre::un_mois_controle() {
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogue;
  TForm1 f(boites.Boites(), dialogue.Dialogues());
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  QVERIFY(!f.Commandes.Action(recap::TCommande::Controles)->isEnabled());  // no calculation yet
  Calculer(f, Controles, "02-2024");
  QVERIFY(f.Commandes.Action(recap::TCommande::Controles)->isEnabled());
  QTest::keyClick(f.StringGridRecap, Qt::Key_K, Qt::ControlModifier);
  QCOMPARE(Fenetres(f, recap::TGenre_Fenetre::Controles).size(), 1);
  TFenetreTableau& c = *Fenetres(f, recap::TGenre_Fenetre::Controles).front();
  QCOMPARE(c.windowTitle(), QStringLiteral("Contrôles — mois 02-2024 / 01-2024"));
  QCOMPARE(c.Controle<QLineEdit>("EditMoisReference")->text(), QStringLiteral("01-2024"));
  QCOMPARE(c.Controle<QLineEdit>("EditSeuil")->text(), QStringLiteral("10"));
  QVERIFY(c.LabelResumeTableau->text().startsWith(QStringLiteral("4 anomalies, 7 points à vérifier")));
  // The anomalies, and they alone, are painted.
  const TStringGridRecap& g = *c.GrilleTableau;
  for (int r = 0; r < g.model()->rowCount(); ++r) {
    const bool anomalie = g.Tableau().Lignes[static_cast<size_t>(r)].Cellules[1].Texte == textes::Niveau_Anomalie;
    QCOMPARE(g.model()->data(g.model()->index(r, 0), Qt::BackgroundRole).isValid(), anomalie);
  }

  // Enter on the finding of the two payslips: the first of them.
  Entree_Sur(c, 2);
  QCOMPARE(Fenetres(f, recap::TGenre_Fenetre::Bulletin).size(), 1);
  TFenetreTableau& b = *Fenetres(f, recap::TGenre_Fenetre::Bulletin).front();
  QCOMPARE(b.windowTitle(), QStringLiteral("Bulletin — enregistrement 12 — 00004 DOUBLE Denis — mois 02-2024"));
  QCOMPARE(b.LabelResumeTableau->text(), QStringLiteral("Gains : 1500 — Retenues : 300\nNet : 1200"));

  // Another reference, and a threshold that is none.
  Saisir(c.Controle<QLineEdit>("EditSeuil"), "x");
  QTest::mouseClick(c.Bouton, Qt::LeftButton);
  QCOMPARE(boites.Messages, std::vector<std::string>{textes::Seuil_Incorrect});
  QCOMPARE(c.windowTitle(), QStringLiteral("Contrôles — mois 02-2024 : rien n'a été contrôlé"));
  QCOMPARE(c.LabelResumeTableau->text(), QString::fromUtf8(textes::Aucun_Controle));

  // The comparison's first row, Salaire de base: who made it move.
  QTest::keyClick(f.StringGridRecap, Qt::Key_M, Qt::ControlModifier);
  TFenetreTableau& comparaison = *Fenetres(f, recap::TGenre_Fenetre::Comparaison).front();
  Entree_Sur(comparaison, 0);
  QCOMPARE(Fenetres(f, recap::TGenre_Fenetre::Ecarts).size(), 1);
  TFenetreTableau& e = *Fenetres(f, recap::TGenre_Fenetre::Ecarts).front();
  QCOMPARE(e.windowTitle(), QStringLiteral("Écarts par salarié — rubrique 1 Salaire de base — mois 02-2024 / 01-2024"));
  QCOMPARE(e.GrilleTableau->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("2"));  // 00003 left: -2500

  // A detail's row: that payslip.
  TStringGridRecap& recap = *f.StringGridRecap;
  QTest::mouseDClick(recap.viewport(), Qt::LeftButton, {}, recap.visualRect(recap.model()->index(0, 1)).center());
  const auto details = Fenetres(f, recap::TGenre_Fenetre::Detail);
  QCOMPARE(details.size(), 1);
  Entree_Sur(*details.front(), 0);
  QCOMPARE(Fenetres(f, recap::TGenre_Fenetre::Bulletin).size(), 2);
  QVERIFY(boites.Erreurs.empty());
}

KORVEX_SUITE(TestsControlesFenetre);

#include "test_controles_fenetre.moc"
