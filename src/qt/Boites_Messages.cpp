#include "qt/Boites_Messages.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QRect Geometrie_Ecran() {
  const QScreen* ecran = QGuiApplication::primaryScreen();
  return ecran != nullptr ? ecran->geometry() : QRect(0, 0, 800, 600);
}

}  // namespace

std::unique_ptr<QDialog> Creer_Boite_Message(const QString& texte) {
  auto boite = std::make_unique<QDialog>();
  boite->setWindowTitle(QCoreApplication::applicationName());
  boite->setModal(true);
  const QRect ecran = Geometrie_Ecran();

  auto* etiquette = new QLabel(boite.get());
  etiquette->setObjectName(QStringLiteral("Message"));
  etiquette->setTextFormat(Qt::PlainText);
  etiquette->setWordWrap(true);
  etiquette->setText(texte);
  // The text's own size when laid out at most half the screen wide.
  const QRect besoin = etiquette->fontMetrics().boundingRect(
      QRect(0, 0, ecran.width() / 2, ecran.height()), Qt::TextWordWrap, texte);
  etiquette->setFixedSize(besoin.size());

  auto* ok = new QPushButton(QStringLiteral("OK"), boite.get());
  ok->setDefault(true);  // Enter; Escape rejects the dialog
  QObject::connect(ok, &QPushButton::clicked, boite.get(), &QDialog::accept);

  auto* disposition = new QVBoxLayout(boite.get());
  disposition->setSizeConstraint(QLayout::SetFixedSize);
  disposition->addWidget(etiquette);
  disposition->addWidget(ok, 0, Qt::AlignHCenter);
  boite->adjustSize();  // shown unmoved, a dialog without parent is centred on the screen
  return boite;
}

std::unique_ptr<QMessageBox> Creer_Boite_Erreur(const QString& texte) {
  auto boite = std::make_unique<QMessageBox>(QMessageBox::Critical, QCoreApplication::applicationName(),
                                             texte, QMessageBox::Ok);
  boite->setTextFormat(Qt::PlainText);
  return boite;
}

TBoitesMessages Boites_Qt() {
  return {[](const std::string& texte) { Creer_Boite_Message(QString::fromStdString(texte))->exec(); },
          [](const std::string& texte) { Creer_Boite_Erreur(QString::fromStdString(texte))->exec(); }};
}
