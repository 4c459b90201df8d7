// Printing and the PDF export, from the window as a user runs them on the sample folder; the
// pages are read back with poppler's tools.
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>

#include "Boites_Factices.h"
#include "Dialogues_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "Utilisateur.h"
#include "platform/Fichiers.h"
#include "qt/Grille_Recap.h"
#include "recap/Export.h"

namespace {

// The text of a PDF as poppler's pdftotext -layout reads it.
QString Texte_Pdf(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", pdf, "-"});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return "échec de pdftotext : " + p.errorString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

// A copy of the sample folder, so that the calculation's renames touch no file of the tree.
QString Copier_Exemple(const QTemporaryDir& tmp) {
  const std::filesystem::path cible = std::filesystem::path(tmp.path().toStdString()) / "KORVEX";
  std::filesystem::copy(KORVEX_EXEMPLES "/KORVEX", cible);
  return QString::fromStdString(cible.string());
}

}  // namespace

class TestsImpression : public QObject {
  Q_OBJECT

private slots:
  void imprimer_la_recap();
  void exporter_en_pdf_data();
  void exporter_en_pdf();
};

// Ctrl+P: the dialog gets A4 portrait, then the pages go to the printer it chose (a PDF file
// here); page 1 is left as a PNG beside the test for a look.
void TestsImpression::imprimer_la_recap() {
  const TLocale locale("fr_FR.UTF-8");
  QTemporaryDir tmp;
  const QString dossier = Copier_Exemple(tmp);
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogues;
  TForm1 f(boites.Boites(), dialogues.Dialogues());
  f.show();
  QVERIFY(QTest::qWaitForWindowActive(&f));
  Calculer(f, dossier, "02-2024");

  QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
  QCOMPARE(dialogues.Impressions, 1);
  QCOMPARE(dialogues.Mise_En_Page.pageSize().id(), QPageSize::A4);
  QCOMPARE(dialogues.Mise_En_Page.orientation(), QPageLayout::Portrait);
  QCOMPARE(dialogues.Document, QStringLiteral("Récap KORVEX 02-2024"));

  dialogues.Sortie_Pdf = tmp.filePath("recap.pdf");
  f.Commandes.Action(recap::TCommande::Imprimer)->trigger();
  QCOMPARE(boites.Erreurs, std::vector<std::string>{});
  const QString texte = Texte_Pdf(dialogues.Sortie_Pdf);
  QVERIFY2(texte.contains("Récap KORVEX — mois 02-2024"), qPrintable(texte));
  QVERIFY(texte.contains(QRegularExpression("\\b1 +Salaire de base +33149,34\\n")));
  QVERIFY(texte.contains("Page 1 / 1"));
  // The summary under the title, as the window's label shows it.
  const QStringList resume = f.LabelResume->text().split('\n');
  QCOMPARE(resume.size(), 3);
  for (const QString& ligne : resume) QVERIFY2(texte.contains(ligne), qPrintable(ligne));

  const QString png = QDir(QCoreApplication::applicationDirPath()).filePath("impression-page1");
  QFile::remove(png + ".png");
  QCOMPARE(QProcess::execute("pdftoppm", {"-png", "-r", "60", "-singlefile", "-f", "1", dialogues.Sortie_Pdf, png}), 0);
  QVERIFY(QFileInfo(png + ".png").size() > 1000);

  // Printed to a file, the pages are saved as every export is: never over what is no regular file.
  const QString repertoire = tmp.filePath("repertoire.pdf");
  QVERIFY(QDir().mkdir(repertoire));
  dialogues.Sortie_Pdf = repertoire;
  f.Commandes.Action(recap::TCommande::Imprimer)->trigger();
  QCOMPARE(boites.Erreurs, std::vector<std::string>{"Impossible d'enregistrer le fichier " +
                                                    QDir::toNativeSeparators(repertoire).toStdString() +
                                                    " : c'est un dossier, non un fichier ordinaire : rien n'a été écrit."});
  QVERIFY(QFileInfo(repertoire).isDir());
}

void TestsImpression::exporter_en_pdf_data() {
  QTest::addColumn<QString>("nom");       // chosen in the save dialog; empty: cancelled
  QTest::addColumn<QString>("erreur");    // start of the error box's text
  QTest::newRow("enregistré") << "recap.pdf" << "";
  QTest::newRow("annulé") << "" << "";
  QTest::newRow("dossier absent") << "absent/recap.pdf" << "Impossible d'enregistrer le fichier %1 : ";
}

// The save dialog proposes the month's name in Documents; the PDF is the printed pages.
void TestsImpression::exporter_en_pdf() {
  QFETCH(QString, nom);
  QFETCH(QString, erreur);
  QTemporaryDir tmp;
  const QString dossier = Copier_Exemple(tmp);
  TBoitesEnregistrees boites;
  TDialoguesEnregistres dialogues;
  const QString chemin = QDir::toNativeSeparators(tmp.filePath(nom));
  if (!nom.isEmpty()) dialogues.Reponse = chemin;
  TForm1 f(boites.Boites(), dialogues.Dialogues());
  Calculer(f, dossier, "02-2024");
  f.Commandes.Action(recap::TCommande::Exporter_Pdf)->trigger();

  const auto demande = recap::Demande_Enregistrement(f.StringGridRecap->Tableau(), recap::TFormat_Fichier::Pdf);
  QCOMPARE(dialogues.Chemins_Proposes, QStringList{QString::fromStdString(demande.Chemin_Propose)});
  QCOMPARE(dialogues.Filtres, QStringList{"Fichiers PDF (*.pdf);;Tous les fichiers (*.*)"});
  QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
  if (!erreur.isEmpty()) {
    QCOMPARE(boites.Erreurs.size(), size_t(1));
    QVERIFY2(QString::fromStdString(boites.Erreurs[0]).startsWith(erreur.arg(chemin)), boites.Erreurs[0].c_str());
    QVERIFY(!QFile::exists(chemin));
    return;
  }
  QCOMPARE(boites.Erreurs, std::vector<std::string>{});
  if (nom.isEmpty()) {
    QCOMPARE(QDir(tmp.path()).entryList(QDir::Files), QStringList());
    return;
  }
  QVERIFY(Texte_Pdf(chemin).contains(QRegularExpression("Salaire de base.*\\n(.*\\n)*.*Page 1 / 1")));
}

KORVEX_SUITE(TestsImpression);

#include "test_impression.moc"
