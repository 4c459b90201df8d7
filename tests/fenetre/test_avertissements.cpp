// A calculation that leaves a payslip out, then a click that makes no recap, as a user meets
// them: the warning in red between the panel and the grid, announced to screen readers; then the
// summary saying the grid is stale, and every entry of the grid's menu greyed.
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "Boites_Factices.h"
#include "KORVEX_Calcul_Recap.h"
#include "Suites.h"
#include "Utilisateur.h"
#include "forms/Description_Form1.h"
#include "platform/Textes.h"
#include "qt/Etiquette_Defilante.h"
#include "qt/Grille_Recap.h"

namespace {

// A copy of the sample folder whose PAIES.DTA announces one record less than it holds: the last
// one is not read.
QString Exemple_Endommage(const QTemporaryDir& tmp) {
  const std::filesystem::path dossier = std::filesystem::path(tmp.path().toStdString()) / "KORVEX";
  std::filesystem::copy(KORVEX_EXEMPLES "/KORVEX", dossier);
  std::fstream paies(dossier / "PAIES.DTA", std::ios::in | std::ios::out | std::ios::binary);
  unsigned char nombre[4];
  paies.seekg(4);
  paies.read(reinterpret_cast<char*>(nombre), 4);
  const uint32_t annonces = (nombre[0] | nombre[1] << 8 | nombre[2] << 16 | uint32_t{nombre[3]} << 24) - 1;
  for (int i = 0; i < 4; ++i) nombre[i] = static_cast<unsigned char>(annonces >> (8 * i));
  paies.seekp(4);
  paies.write(reinterpret_cast<const char*>(nombre), 4);
  return QString::fromStdString(dossier.string());
}

}  // namespace

class TestsAvertissements : public QObject {
  Q_OBJECT

private slots:
  void un_bulletin_ecarte_puis_un_echec();
};

void TestsAvertissements::un_bulletin_ecarte_puis_un_echec() {
  QTemporaryDir tmp;
  const QString dossier = Exemple_Endommage(tmp);
  TBoitesEnregistrees boites;
  TForm1 f(boites.Boites());
  f.show();
  QVERIFY(QTest::qWaitForWindowExposed(&f));
  QVERIFY(!f.LabelAvertissements->isVisible());
  Calculer(f, dossier, "02-2024");
  QVERIFY(boites.Messages.empty() && boites.Erreurs.empty());
  QCOMPARE(f.StringGridRecap->model()->rowCount(), 26);

  // The count of payslips left out, then the warning, in the error colour, above the grid, which
  // gives up the room its lines take.
  QLabel* etiquette = f.LabelAvertissements->Etiquette();
  QVERIFY(f.LabelAvertissements->isVisible());
  const QStringList lignes = etiquette->text().split('\n');
  QCOMPARE(lignes.size(), 2);
  QCOMPARE(lignes[0], QStringLiteral("1 bulletin n'est pas compté :"));
  QVERIFY2(lignes[1].startsWith("Attention : la table ") && lignes[1].contains("l'enregistrement 37 n'a pas été lu"),
           qPrintable(lignes[1]));
  QCOMPARE(f.LabelAvertissements->height(), etiquette->heightForWidth(f.LabelAvertissements->width()));
  QTRY_COMPARE(f.StringGridRecap->y(), f.LabelAvertissements->y() + f.LabelAvertissements->height());
  // Its letters are drawn red: the darkest pixel of its image is the error colour, or near it.
  const auto& rouge = description::Couleur_Erreur;
  const QImage image = etiquette->grab().toImage();
  QColor plus_sombre = Qt::white;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y).value() < plus_sombre.value()) plus_sombre = image.pixelColor(x, y);
  QVERIFY2(std::abs(plus_sombre.red() - rouge.Rouge) < 48 && plus_sombre.green() < 64 && plus_sombre.blue() < 64,
           qPrintable(plus_sombre.name()));
  // Announced as the summary is: an alert whose name is its text.
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(etiquette);
  QCOMPARE(a->role(), QAccessible::AlertMessage);
  QCOMPARE(a->text(QAccessible::Name), etiquette->text());
  QCOMPARE(a->text(QAccessible::Description), QString::fromUtf8(textes::Description_Avertissements));
  // Forty warnings: the area grows to a third of the window, then scrolls.
  f.LabelAvertissements->Montrer(QString("Attention : ...\n").repeated(40).trimmed(), f.height());
  QTRY_VERIFY(f.LabelAvertissements->verticalScrollBar()->isVisible());
  QCOMPARE(f.LabelAvertissements->height(), f.height() / 3);

  // A click that makes no recap: the summary says the grid is stale, every entry is greyed; the
  // grid stays, its warnings go, as they would read as the failure's.
  Calculer(f, dossier, "13");
  QCOMPARE(boites.Messages, std::vector<std::string>{textes::Mois_Incorrect});
  QCOMPARE(f.LabelResume->text().split('\n'),
           (QStringList{textes::Aucune_Recap, "La grille montre encore la récap du mois 02-2024",
                        "du dossier " + dossier + "."}));
  QVERIFY(f.LabelResume->heightForWidth(f.LabelResume->width()) <= f.LabelResume->height());  // its lines fit
  // The cumuls read the folder, which is still a KORVEX one.
  for (const auto& [commande, action] : f.Commandes.Actions)
    QVERIFY2(action->isEnabled() == (commande == recap::TCommande::Cumuls), qPrintable(action->text()));
  QCOMPARE(f.StringGridRecap->model()->rowCount(), 26);
  QVERIFY(!f.LabelAvertissements->isVisible());
}

KORVEX_SUITE(TestsAvertissements);

#include "test_avertissements.moc"
