// A label of several lines that breaks a word too long for its width, a folder's path say,
// rather than cut it: between words when it can, anywhere when it must.
#pragma once

#include <QLabel>

class TEtiquetteCoupable : public QLabel {
  Q_OBJECT

public:
  explicit TEtiquetteCoupable(QWidget* parent = nullptr);

  // The height its text takes at that width, margins included.
  int heightForWidth(int largeur) const override;
  bool hasHeightForWidth() const override { return true; }
  // Its text on as few lines as its breaks make, each whole.
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* evenement) override;
};
