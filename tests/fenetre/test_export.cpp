// Getting the recap out of the window as a user does: the summary label, Ctrl+A and Ctrl+C, the
// grid's context menu and the CSV export through a save dialog that the test answers.
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

const QString Tableau =
    "N° RUB\tLIBELLES\tBASES\tGAINS\tRETENUES\n"
    "1\tSALAIRE DE BASE\t\t1720.2\t\n"
    "2\tBASE SS\t100.1\t\t\n"
    "3\tACOMPTE\t\t\t87.25\n";

QStringList Textes_Menu(const QMenu& menu) {
  QStringList textes;
  for (const QAction* a : menu.actions()) textes << (a->isSeparator() ? "-" : a->text());
  return textes;
}

bool Actions_Actives(const TForm1& f) {
  return f.Action_Copier->isEnabled() && f.Action_Copier_Tout->isEnabled() &&
         f.Action_Tout_Selectionner->isEnabled() && f.Action_Exporter_Csv->isEnabled();
}

}  // namespace

class TestsExport : public QObject {
  Q_OBJECT

private slots:
  void copie_menu_et_export();
  void echec_d_enregistrement();
};

void TestsExport::copie_menu_et_export() {
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

  // Before a first calculation: an empty summary, greyed entries, nothing copied or saved.
  QCOMPARE(f.LabelResume->parentWidget(), f.Panel1);
  QCOMPARE(f.LabelResume->pos(), QPoint(536, 32));
  QCOMPARE(f.LabelResume->width(), 307);
  QVERIFY(f.LabelResume->wordWrap());
  QCOMPARE(f.LabelResume->text(), QString());
  QVERIFY(!f.Action_Copier->isEnabled() && !f.Action_Exporter_Csv->isEnabled());
  presse_papiers.setText("avant");
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(&g, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(presse_papiers.text(), QStringLiteral("avant"));
  QVERIFY(dialogue.Titres.isEmpty());

  f.EditChemin_Dossier->setText(QString::fromStdString(dossier.Texte()));
  f.LabeledEdit_Mois->setText("03-2011");
  QTest::mouseClick(f.Button_Calc_Recap, Qt::LeftButton);
  QVERIFY(boites.Erreurs.empty() && boites.Messages.empty());
  QCOMPARE(f.LabelResume->text(), QStringLiteral("2 bulletins\nGains : 1720.2 — Retenues : 87.25\nNet : 1632.95"));
  QVERIFY(Actions_Actives(f));

  // Ctrl+A then Ctrl+C: the whole table, as korvex-recap prints it.
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&g, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(presse_papiers.text(), Tableau);

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

  // The context menu, from a right click and from Shift+F10.
  QContextMenuEvent clic_droit(QContextMenuEvent::Mouse, QPoint(10, 10), g.viewport()->mapToGlobal(QPoint(10, 10)));
  QCoreApplication::sendEvent(g.viewport(), &clic_droit);
  QTRY_VERIFY(f.Menu_Grille->isVisible());
  QCOMPARE(Textes_Menu(*f.Menu_Grille),
           (QStringList{"Copier", "Copier tout le tableau", "Tout sélectionner", "-", "Exporter en CSV…", "Imprimer…", "Exporter en PDF…"}));
  f.Menu_Grille->hide();
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_F10, Qt::ShiftModifier);
  QTRY_VERIFY(f.Menu_Grille->isVisible());
  f.Menu_Grille->hide();
  presse_papiers.clear();
  f.Action_Copier_Tout->trigger();
  QCOMPARE(presse_papiers.text(), Tableau);

  // Export: the dialog proposes the month's name in Documents; a cancel writes nothing.
  test::TDossierTemporaire sortie;
  const std::filesystem::path csv = sortie.Chemin() / "mars.csv";
  QTest::keyClick(&g, Qt::Key_S, Qt::ControlModifier);
  QCOMPARE(dialogue.Chemins_Proposes.size(), 1);
  const QString propose = dialogue.Chemins_Proposes.first();
  QVERIFY(propose.startsWith(QString::fromStdString(plateforme::Dossier_Documents())));
  QVERIFY(propose.endsWith("/recap-KORVEX-03-2011.csv"));
  QCOMPARE(dialogue.Titres.first(), QStringLiteral("Exporter la récap en CSV"));
  QVERIFY(std::filesystem::is_empty(sortie.Chemin()));
  dialogue.Reponse = QString::fromStdString(csv.string());
  f.Action_Exporter_Csv->trigger();
  QCOMPARE(test::Contenu(csv),
           std::string("\xEF\xBB\xBF"
           "N° RUB;LIBELLES;BASES;GAINS;RETENUES\r\n"
           "1;SALAIRE DE BASE;;1720.2;\r\n"
           "2;BASE SS;100.1;;\r\n"
                       "3;ACOMPTE;;;87.25\r\n"));
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
  f.Action_Exporter_Csv->trigger();
  QCOMPARE(boites.Erreurs.size(), size_t(1));
  QVERIFY2(boites.Erreurs[0].rfind("Impossible d'enregistrer le fichier " + chemin + " : ", 0) == 0,
           boites.Erreurs[0].c_str());
  QVERIFY(!std::filesystem::exists(dossier.Chemin() / "absent"));
  QVERIFY(Actions_Actives(f));
}

KORVEX_SUITE(TestsExport);

#include "test_export.moc"
