// A single-line edit with its caption label above it, as the window description places it.
#pragma once

#include <QLineEdit>
#include <QPointer>

#include "forms/Description_Form1.h"

class QLabel;

class TLabeledEdit : public QLineEdit {
  Q_OBJECT
  // Set from the window description.
  Q_PROPERTY(QString EditLabelText READ EditLabelText WRITE setEditLabelText)
  Q_PROPERTY(QSize EditLabelSize READ EditLabelSize WRITE setEditLabelSize)

public:
  // Pixels between the label's bottom and the edit's top.
  static constexpr int LabelSpacing = description::Etiquette_Mois.Espace;

  explicit TLabeledEdit(QWidget* parent = nullptr);
  ~TLabeledEdit() override;

  // The caption: a sibling of the edit, so that it can sit outside the edit's rectangle.
  // It keeps the size of the description unless its text needs more.
  QLabel* EditLabel() const;

  QString EditLabelText() const;
  void setEditLabelText(const QString& texte);
  QSize EditLabelSize() const;
  void setEditLabelSize(const QSize& taille);

protected:
  void moveEvent(QMoveEvent* evenement) override;

private:
  void Placer_Etiquette();

  QPointer<QLabel> etiquette_;
  QSize taille_prevue_;  // the description's size; the label grows if its font needs more
};
