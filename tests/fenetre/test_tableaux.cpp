// The windows opened from the recap of the sample folder, as a user opens them: the comparison
// with the month before (Ctrl+M), rubrics' details (double click, Enter, Ctrl+D), and their own
// menus' Excel export; then the recap's workbook written under the user's French locale.
#include <QAction>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <clocale>
#include <filesystem>

#include "Boites_Factices.h"
#include "Dialogues_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "Utilisateur.h"
#include "platform/Textes.h"
#include "qt/Etiquette_Defilante.h"
#include "qt/Fenetre_Tableau.h"
#include "qt/Grille_Recap.h"
#include "support/Dossier_Temporaire.h"

namespace {

const QString Exemple = QStringLiteral(KORVEX_EXEMPLES "/KORVEX");

// The rows the table marks for checking, by their first cell; the grid paints those and only those.
QStringList Rangees_A_Signaler(const TStringGridRecap& g) {
  QStringList rangees;
  for (int r = 0; r < g.model()->rowCount(); ++r) {
    const bool peinte = g.model()->data(g.model()->index(r, 0), Qt::BackgroundRole).isValid();
    if (peinte != g.Tableau().Lignes[static_cast<size_t>(r)].A_Signaler) return {"peinte sans être signalée"};
    if (peinte) rangees << g.model()->headerData(r, Qt::Vertical).toString();
  }
  return rangees;
}

QList<TFenetreTableau*> Details(const TForm1& f) {
  QList<TFenetreTableau*> details;
  for (TFenetreTableau* t : f.findChildren<TFenetreTableau*>())
    if (t->Genre() == recap::TGenre_Fenetre::Detail) details << t;
  return details;
}

QLineEdit* Champ(const TFenetreTableau& t, const char* nom) { return t.Controle<QLineEdit>(nom); }

// The grid's last row's first cell.
QString Derniere_Rangee(const TStringGridRecap& g) {
  return g.model()->headerData(g.model()->rowCount() - 1, Qt::Vertical).toString();
}

// The main window with the sample's recap of 02-2024, its boxes and dialogs recorded.
struct TRecap_Exemple {
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogue;
  TForm1 f{boites.Boites(), dialogue.Dialogues()};

  bool Calculer_Fevrier() {
    f.show();
    if (!QTest::qWaitForWindowExposed(&f)) return false;
    Calculer(f, Exemple, "02-2024");
    return boites.Messages.empty() && boites.Erreurs.empty();
  }
};

void Double_Clic(TStringGridRecap& g, int rangee) {
  const QPoint centre = g.visualRect(g.model()->index(rangee, 1)).center();
  QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centre);
}

}  // namespace

class TestsTableaux : public QObject {
  Q_OBJECT

private slots:
  void comparaison();
  void details();
  void classeur_en_francais();
};

void TestsTableaux::comparaison() {
  TRecap_Exemple r;
  QVERIFY(r.Calculer_Fevrier());
  auto& [boites, dialogue, f] = r;
  QCOMPARE(f.Fenetre_Comparaison(), nullptr);

  // Ctrl+M from the grid: the comparison with the month before is made at once.
  f.StringGridRecap->setFocus();
  QTest::keyClick(f.StringGridRecap, Qt::Key_M, Qt::ControlModifier);
  TFenetreTableau* c = f.Fenetre_Comparaison();
  QVERIFY(c != nullptr);
  QVERIFY(QTest::qWaitForWindowExposed(c));
  QCOMPARE(c->windowTitle(), QStringLiteral("Comparaison — mois 02-2024 / 01-2024"));
  QCOMPARE(Champ(*c, "EditMoisReference")->text(), QStringLiteral("01-2024"));
  QCOMPARE(Champ(*c, "EditSeuil")->text(), QStringLiteral("10"));
  QVERIFY(c->GrilleTableau->model()->rowCount() > 0);
  const QStringList a_dix = Rangees_A_Signaler(*c->GrilleTableau);
  QVERIFY2(!a_dix.isEmpty(), "aucune rangée à vérifier au seuil de 10 %");
  QVERIFY(!c->LabelResumeTableau->text().isEmpty());
  QVERIFY(c->Commandes.Action(recap::TCommande::Exporter_Excel)->isEnabled());

  // A higher threshold marks fewer rows; another reference month renames the window.
  Saisir(Champ(*c, "EditSeuil"), "1000");
  QTest::mouseClick(c->Bouton, Qt::LeftButton);
  QVERIFY(Rangees_A_Signaler(*c->GrilleTableau).size() < a_dix.size());
  Saisir(Champ(*c, "EditMoisReference"), "03-2024");
  QTest::keyClick(Champ(*c, "EditMoisReference"), Qt::Key_Return);
  QCOMPARE(c->windowTitle(), QStringLiteral("Comparaison — mois 02-2024 / 03-2024"));
  QVERIFY(boites.Messages.empty() && boites.Erreurs.empty());

  // A reference that is no month: a box says so, the grid empties, and the title says that
  // nothing was compared.
  Saisir(Champ(*c, "EditMoisReference"), "13-2024");
  QTest::mouseClick(c->Bouton, Qt::LeftButton);
  QCOMPARE(boites.Messages, std::vector<std::string>{textes::Mois_Reference_Pas_Un_Mois});
  QCOMPARE(c->GrilleTableau->model()->rowCount(), 0);
  QCOMPARE(c->windowTitle(), QStringLiteral("Comparaison — mois 02-2024 : rien n'a été comparé"));
  boites.Messages.clear();
  Saisir(Champ(*c, "EditMoisReference"), "01-2024");

  // A wrong threshold: the main window's boxes say so, and nothing is left to export.
  Saisir(Champ(*c, "EditSeuil"), "beaucoup");
  QTest::mouseClick(c->Bouton, Qt::LeftButton);
  QCOMPARE(boites.Messages, std::vector<std::string>{textes::Seuil_Incorrect});
  QVERIFY(!c->Commandes.Action(recap::TCommande::Exporter_Excel)->isEnabled());

  // The entry again (the shortcut's action): the same window, started again from the recap.
  f.Commandes.Action(recap::TCommande::Comparer)->trigger();
  QCOMPARE(f.Fenetre_Comparaison(), c);
  QCOMPARE(Champ(*c, "EditMoisReference")->text(), QStringLiteral("01-2024"));
  QCOMPARE(Champ(*c, "EditSeuil")->text(), QStringLiteral("10"));
  QCOMPARE(Rangees_A_Signaler(*c->GrilleTableau), a_dix);
  QCOMPARE(f.findChildren<TFenetreTableau*>().size(), 1);
}

void TestsTableaux::details() {
  TRecap_Exemple r;
  QVERIFY(r.Calculer_Fevrier());
  auto& [boites, dialogue, f] = r;
  TStringGridRecap& g = *f.StringGridRecap;

  // Ctrl+D on rubric 1's row, a double click on rubric 2's, Enter on rubric 3's: three windows
  // open at once, each wholly on the screen, none at another's corner.
  g.setFocus();
  QTest::keyClick(&g, Qt::Key_D, Qt::ControlModifier);
  QCOMPARE(Details(f).size(), 1);
  Double_Clic(g, 1);
  QCOMPARE(Details(f).size(), 2);
  g.setCurrentIndex(g.model()->index(2, 0));
  QTest::keyClick(&g, Qt::Key_Return);
  const auto details = Details(f);
  QCOMPARE(details.size(), 3);
  for (int i = 0; i < 3; ++i) {
    QVERIFY(QTest::qWaitForWindowExposed(details[i]));
    QVERIFY2(details[i]->windowTitle().startsWith(QString("Détail — rubrique %1 ").arg(i + 1)),
             qPrintable(details[i]->windowTitle()));
    const QRect cadre = details[i]->frameGeometry();
    QVERIFY(f.screen()->availableGeometry().contains(cadre));
    for (int j = 0; j < i; ++j) QVERIFY(details[j]->frameGeometry().topLeft() != cadre.topLeft());
  }
  TFenetreTableau* premier = details[0];
  QCOMPARE(premier->windowTitle(), QStringLiteral("Détail — rubrique 1 Salaire de base — mois 02-2024"));
  // One row per payslip, then the total.
  const TStringGridRecap& grille = *premier->GrilleTableau;
  QCOMPARE(Derniere_Rangee(grille), QStringLiteral("Total"));
  const int bulletins = grille.model()->rowCount() - 1;
  QVERIFY(bulletins > 1);
  QCOMPARE(premier->LabelResumeTableau->text(), QString("%1 bulletins").arg(bulletins));
  QVERIFY(!premier->LabelAvertissementsTableau->isVisible());

  // Ctrl+E in the last one: the save dialog is asked for a workbook (the user cancels).
  TFenetreTableau* dernier = details[2];
  QVERIFY(QTest::qWaitForWindowActive(dernier));
  QTest::keyClick(dernier->GrilleTableau, Qt::Key_E, Qt::ControlModifier);
  QCOMPARE(dialogue.Extensions, QStringList{"xlsx"});
  QCOMPARE(dialogue.Chemins_Proposes.size(), 1);
  QVERIFY(boites.Messages.empty() && boites.Erreurs.empty());
  dernier->close();
  QTRY_COMPARE(Details(f).size(), 2);
}

// The program sets the user's locale: under a French one, the recap's workbook, read back by an
// independent reader, still holds its amounts as numbers.
void TestsTableaux::classeur_en_francais() {
  struct TLocale_C {  // the C library's locale as it was, whatever the test's end
    std::string avant = std::setlocale(LC_ALL, nullptr);
    ~TLocale_C() { std::setlocale(LC_ALL, avant.c_str()); }
  } locale_c;
  TLocale francaise("fr_FR.UTF-8");
  QVERIFY2(std::setlocale(LC_ALL, "") != nullptr, "locale fr_FR.UTF-8 absente (LOCPATH)");
  QVERIFY(std::string(std::setlocale(LC_NUMERIC, nullptr)) == "fr_FR.UTF-8");

  test::TDossierTemporaire sortie;
  const QString classeur = QString::fromStdString((sortie.Chemin() / "recap.xlsx").string());
  TRecap_Exemple r;
  QVERIFY(r.Calculer_Fevrier());
  auto& [boites, dialogue, f] = r;
  dialogue.Reponse = classeur;
  f.StringGridRecap->setFocus();
  QTest::keyClick(f.StringGridRecap, Qt::Key_E, Qt::ControlModifier);
  QVERIFY(boites.Messages.empty() && boites.Erreurs.empty());
  QCOMPARE(dialogue.Extensions, QStringList{"xlsx"});

  QProcess lecteur;
  lecteur.start("/usr/bin/python3", {KORVEX_LECTEUR_CLASSEUR, "decrire", classeur});
  QVERIFY(lecteur.waitForFinished(30000));
  QVERIFY2(lecteur.exitCode() == 0, lecteur.readAllStandardError().constData());
  const QJsonObject cellules = QJsonDocument::fromJson(lecteur.readAllStandardOutput())["cellules"].toObject();
  // Rubric 1's gains, first row of the table.
  const QJsonObject gains = cellules["D6"].toObject();
  QCOMPARE(gains["type"].toString(), QStringLiteral("n"));
  QCOMPARE(gains["valeur"].toDouble(), 33149.34);
  QCOMPARE(f.StringGridRecap->model()->data(f.StringGridRecap->model()->index(0, 2)).toString(),
           QStringLiteral("33149,34"));
}

KORVEX_SUITE(TestsTableaux);

#include "test_tableaux.moc"
