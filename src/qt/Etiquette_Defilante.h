// A label that scrolls when its text needs more lines than its height holds: the window's
// warnings, one per payslip left out, can be many.
#pragma once

#include <QScrollArea>

class QLabel;

class TEtiquetteDefilante : public QScrollArea {
  Q_OBJECT

public:
  explicit TEtiquetteDefilante(QWidget* parent = nullptr);

  // The label itself, wrapped to the area's width.
  QLabel* Etiquette() const { return etiquette_; }

private:
  QLabel* etiquette_;
};
