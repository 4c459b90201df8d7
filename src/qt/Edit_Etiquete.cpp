#include "qt/Edit_Etiquete.h"

#include <QLabel>
#include <QMoveEvent>

TLabeledEdit::TLabeledEdit(QWidget* parent) : QLineEdit(parent), etiquette_(new QLabel(parent)) {
  etiquette_->setObjectName(QStringLiteral("EditLabel"));
  etiquette_->setBuddy(this);
  Placer_Etiquette();
}

// The label belongs to the edit even though the parent holds it.
TLabeledEdit::~TLabeledEdit() { delete etiquette_; }

QLabel* TLabeledEdit::EditLabel() const { return etiquette_; }

QString TLabeledEdit::EditLabelText() const { return etiquette_->text(); }

void TLabeledEdit::setEditLabelText(const QString& texte) {
  etiquette_->setText(texte);
  Placer_Etiquette();
}

QSize TLabeledEdit::EditLabelSize() const { return etiquette_->size(); }

void TLabeledEdit::setEditLabelSize(const QSize& taille) {
  taille_prevue_ = taille;
  Placer_Etiquette();
}

void TLabeledEdit::moveEvent(QMoveEvent* evenement) {
  QLineEdit::moveEvent(evenement);
  Placer_Etiquette();
}

// Where the font differs from the description's, the caption is never clipped.
void TLabeledEdit::Placer_Etiquette() {
  const QSize taille = taille_prevue_.expandedTo(etiquette_->sizeHint());
  etiquette_->setGeometry(x(), y() - LabelSpacing - taille.height(), taille.width(), taille.height());
}
