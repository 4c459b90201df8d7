// The command table turned into the window's menu and shortcuts, and getting the recap out as a
// user does: Ctrl+A and Ctrl+C, the CSV export through a save dialog that the test answers.
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <filesystem>
#include <optional>

#include "Boites_Factices.h"
#include "Dialogues_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "qt/Edit_Etiquete.h"
#include "qt/Commandes_Qt.h"
#include "qt/Grille_Recap.h"
#include "platform/Fichiers.h"
#include "platform/Separateurs.h"
#include "support/Dossier_Temporaire.h"
#include "support/Ecrivain_Dbase.h"

namespace {

void Ecrire_Dossier(const std::filesystem::path& dossier) {
  test::Ecrire_Rubriques(dossier, {{"SALAIRE DE BASE", "1"}, {"BASE SS", "0"}, {"ACOMPTE", "2"}});
  test::Ecrire_Paies(dossier, {{"03-2011", test::Memo_Montants({"0011520.00", "002100.10", "00387.25"})},
                               {"03-2011", test::Memo_Montants({"001200.20"})},
                               {"03-2011", test::Memo_Montants({"0019999"}), true}});
}

QStringList Textes_Menu(const QMenu& menu) {
  QStringList textes;
  for (const QAction* a : menu.actions()) textes << (a->isSeparator() ? "-" : a->text());
  return textes;
}

QAction* Action(const TForm1& f, recap::TCommande c) { return f.Commandes.Action(c); }

}  // namespace

class TestsExport : public QObject {
  Q_OBJECT

private slots:
  void commandes_du_tableau();
  void copie_et_export();
  void echec_d_enregistrement();
};

// The grid's menu and the shortcuts are the core's command table: its entries in its order, each
// shortcut where the entry says it works, each entry greyed by its rule.
void TestsExport::commandes_du_tableau() {
  test::TDossierTemporaire dossier;
  Ecrire_Dossier(dossier.Chemin());
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  const auto entrees = recap::Commandes(recap::TGenre_Fenetre::Recap, Capacites_Qt);
  QStringList attendus;
  for (const auto& e : entrees) {
    if (e.Separateur_Avant) attendus << "-";
    attendus << QString::fromUtf8(e.Texte);
    QAction* a = Action(f, e.Commande);
    QVERIFY2(a != nullptr, e.Texte);
    QCOMPARE(a->shortcut(), e.Touche ? QKeySequence(Qt::CTRL | static_cast<Qt::Key>(e.Touche)) : QKeySequence());
    const bool grille = e.Portee == recap::TPortee::Grille;
    QCOMPARE(a->shortcutContext(), grille ? Qt::WidgetWithChildrenShortcut : Qt::WindowShortcut);
    QVERIFY2(a->associatedObjects().contains(grille ? static_cast<QObject*>(f.StringGridRecap) : &f), e.Texte);
  }
  QCOMPARE(Textes_Menu(*f.Commandes.Menu), attendus);

  // After the calculation the current row is rubric 1's, whose detail may be opened.
  const auto griseees = [&](bool a_jour) {
    for (const auto& e : entrees)
      if (Action(f, e.Commande)->isEnabled() != recap::Commande_Active(e.Commande, {a_jour, a_jour, a_jour})) return false;
    return true;
  };
  QVERIFY(griseees(false));
  f.EditChemin_Dossier->setText(QString::fromStdString(dossier.Texte()));
  f.LabeledEdit_Mois->setText("03-2011");
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QVERIFY(griseees(true));

  // The menu opens from a right click and from Shift+F10.
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  TStringGridRecap& g = *f.StringGridRecap;
  QContextMenuEvent clic_droit(QContextMenuEvent::Mouse, QPoint(10, 10), g.viewport()->mapToGlobal(QPoint(10, 10)));
  QCoreApplication::sendEvent(g.viewport(), &clic_droit);
  QTRY_VERIFY(f.Commandes.Menu->isVisible());
  f.Commandes.Menu->hide();
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_F10, Qt::ShiftModifier);
  QTRY_VERIFY(f.Commandes.Menu->isVisible());
  f.Commandes.Menu->hide();
}

// Getting the recap out as a user does: Ctrl+A and Ctrl+C in the grid, a few cells, the fields
// keeping their own keys, then Ctrl+S through the save dialog.
void TestsExport::copie_et_export() {
  plateforme::Fixer_Separateurs(U'.', U' ');
  test::TDossierTemporaire dossier;
  Ecrire_Dossier(dossier.Chemin());
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogue;
  TForm1 f(boites.Boites(), dialogue.Dialogues());
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  TStringGridRecap& g = *f.StringGridRecap;
  QClipboard& presse_papiers = *QGuiApplication::clipboard();

  f.EditChemin_Dossier->setText(QString::fromStdString(dossier.Texte()));
  f.LabeledEdit_Mois->setText("03-2011");
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QVERIFY(boites.Erreurs.empty() && boites.Messages.empty());
  QCOMPARE(f.LabelResume->text(), QStringLiteral("2 bulletins\nGains : 1720.2 — Retenues : 87.25\nNet : 1632.95"));

  // Ctrl+A then Ctrl+C: the whole table, as korvex-recap prints it.
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(presse_papiers.text(),
           QStringLiteral("N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n"
                          "1\tSALAIRE DE BASE\t\t1720.2\t\n"
                          "2\tBASE SS\t100.1\t\t\n"
                          "3\tACOMPTE\t\t\t87.25\n"));

  // A few cells: those cells only, as shown.
  g.selectionModel()->select(QItemSelection(g.model()->index(0, 1), g.model()->index(1, 2)),
                             QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(presse_papiers.text(), QStringLiteral("\t1720.2\n100.1\t\n"));
  // In the fields, Ctrl+A and Ctrl+C keep their own meaning.
  f.LabeledEdit_Mois->setFocus();
  QTest::keyClick(f.LabeledEdit_Mois, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(f.LabeledEdit_Mois, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(presse_papiers.text(), QStringLiteral("03-2011"));

  // Ctrl+S from a field: the dialog gets the core's request; the file, the table's CSV.
  test::TDossierTemporaire sortie;
  const std::filesystem::path csv = sortie.Chemin() / "mars.csv";
  dialogue.Reponse = QString::fromStdString(csv.string());
  QTest::keyClick(f.LabeledEdit_Mois, Qt::Key_S, Qt::ControlModifier);
  const auto demande = recap::Demande_Enregistrement(g.Tableau(), recap::TFormat_Fichier::Csv);
  QCOMPARE(dialogue.Chemins_Proposes, QStringList{QString::fromStdString(demande.Chemin_Propose)});
  QCOMPARE(dialogue.Extensions, QStringList{"csv"});
  QCOMPARE(test::Contenu(csv), recap::Contenu_Csv(g.Tableau()));
  QVERIFY(boites.Erreurs.empty());
  plateforme::Lire_Separateurs_Utilisateur();
}

// A file that cannot be written gets the error box, naming the file, and the window goes on.
void TestsExport::echec_d_enregistrement() {
  test::TDossierTemporaire dossier;
  Ecrire_Dossier(dossier.Chemin());
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogue;
  const std::string chemin = (dossier.Chemin() / "absent" / "recap.csv").string();
  dialogue.Reponse = QString::fromStdString(chemin);
  TForm1 f(boites.Boites(), dialogue.Dialogues());
  f.EditChemin_Dossier->setText(QString::fromStdString(dossier.Texte()));
  f.LabeledEdit_Mois->setText("03-2011");
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  Action(f, recap::TCommande::Exporter_Csv)->trigger();
  QCOMPARE(boites.Erreurs.size(), size_t(1));
  QVERIFY2(boites.Erreurs[0].rfind("Impossible d'enregistrer le fichier " + chemin + " : ", 0) == 0,
           boites.Erreurs[0].c_str());
  QVERIFY(!std::filesystem::exists(dossier.Chemin() / "absent"));
}

KORVEX_SUITE(TestsExport);

#include "test_export.moc"
