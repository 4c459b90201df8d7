// Printing and the PDF export, from the window as a user runs them on the sample folder; the
// pages are read back with poppler's tools.
#include <QAction>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>

#include "Boites_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "Utilisateur.h"
#include "platform/Fichiers.h"

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

struct TDialogues {
  int impressions = 0;
  QString sortie_pdf;  // empty: the print dialog is cancelled
  QPageLayout mise_en_page;
  std::vector<QStringList> enregistrements;
  std::optional<QString> choix;

  TDialoguesFichiers Dialogues() {
    return {[this](const QString& titre, const QString& propose, const QString& filtre) {
              enregistrements.push_back({titre, propose, filtre});
              return choix;
            },
            [this](QPrinter& imprimante) {
              ++impressions;
              mise_en_page = imprimante.pageLayout();
              if (sortie_pdf.isEmpty()) return false;
              imprimante.setOutputFormat(QPrinter::PdfFormat);
              imprimante.setOutputFileName(sortie_pdf);
              return true;
            }};
  }
};

}  // namespace

class TestsImpression : public QObject {
  Q_OBJECT

private slots:
  void greyes_sans_calcul_affiche();
  void imprimer_la_recap();
  void exporter_en_pdf_data();
  void exporter_en_pdf();
};

// Greyed until a calculation has filled the grid.
void TestsImpression::greyes_sans_calcul_affiche() {
  QTemporaryDir tmp;
  const QString dossier = Copier_Exemple(tmp);
  TBoitesEnregistrees boites;
  TDialogues dialogues;
  TForm1 f(boites.Boites(), dialogues.Dialogues());
  const auto actifs = [&] { return QList<bool>{f.Action_Imprimer->isEnabled(), f.Action_Exporter_Pdf->isEnabled()}; };
  QCOMPARE(actifs(), (QList<bool>{false, false}));
  f.Action_Imprimer->trigger();
  QCOMPARE(dialogues.impressions, 0);
  Calculer(f, dossier, "02-2024");
  QCOMPARE(actifs(), (QList<bool>{true, true}));
}

// Ctrl+P: the dialog gets A4 portrait, then the pages go to the printer it chose (a PDF file
// here); page 1 is left as a PNG beside the test for a look.
void TestsImpression::imprimer_la_recap() {
  const TLocale locale("fr_FR.UTF-8");
  QTemporaryDir tmp;
  const QString dossier = Copier_Exemple(tmp);
  TBoitesEnregistrees boites;
  TDialogues dialogues;
  TForm1 f(boites.Boites(), dialogues.Dialogues());
  f.show();
  QVERIFY(QTest::qWaitForWindowActive(&f));
  Calculer(f, dossier, "02-2024");

  QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
  QCOMPARE(dialogues.impressions, 1);
  QCOMPARE(dialogues.mise_en_page.pageSize().id(), QPageSize::A4);
  QCOMPARE(dialogues.mise_en_page.orientation(), QPageLayout::Portrait);

  dialogues.sortie_pdf = tmp.filePath("recap.pdf");
  f.Action_Imprimer->trigger();
  QCOMPARE(boites.Erreurs, std::vector<std::string>{});
  const QString texte = Texte_Pdf(dialogues.sortie_pdf);
  QVERIFY2(texte.contains("Récap KORVEX — mois 02-2024"), qPrintable(texte));
  QVERIFY(texte.contains(QRegularExpression("\\b1 +Salaire de base +33149,34\\n")));
  QVERIFY(texte.contains("Page 1 / 1"));

  const QString png = QDir(QCoreApplication::applicationDirPath()).filePath("impression-page1");
  QFile::remove(png + ".png");
  QCOMPARE(QProcess::execute("pdftoppm", {"-png", "-r", "60", "-singlefile", "-f", "1", dialogues.sortie_pdf, png}), 0);
  QVERIFY(QFileInfo(png + ".png").size() > 1000);
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
  TDialogues dialogues;
  const QString chemin = QDir::toNativeSeparators(tmp.filePath(nom));
  if (!nom.isEmpty()) dialogues.choix = chemin;
  TForm1 f(boites.Boites(), dialogues.Dialogues());
  Calculer(f, dossier, "02-2024");
  f.Action_Exporter_Pdf->trigger();

  const QString documents = QString::fromStdString(plateforme::Dossier_Documents());
  QCOMPARE(dialogues.enregistrements,
           (std::vector<QStringList>{{"Exporter la récap en PDF",
                                      QDir::toNativeSeparators(QDir(documents).filePath("recap-KORVEX-02-2024.pdf")),
                                      "Documents PDF (*.pdf)"}}));
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
