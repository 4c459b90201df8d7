#include "qt/Etiquette_Defilante.h"

#include <QLabel>

TEtiquetteDefilante::TEtiquetteDefilante(QWidget* parent) : QScrollArea(parent), etiquette_(new QLabel(this)) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Read, never visited with Tab: the window's tab order stays the description's.
  setFocusPolicy(Qt::NoFocus);
  etiquette_->setWordWrap(true);
  etiquette_->setTextFormat(Qt::PlainText);  // a file name may hold "<"
  etiquette_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  etiquette_->setContentsMargins(4, 2, 4, 2);
  setWidget(etiquette_);
  // On the window's button face, the label's text in its own colour (a widget on a button face
  // would take the button's text colour).
  setBackgroundRole(QPalette::Button);
  viewport()->setBackgroundRole(QPalette::Button);
  etiquette_->setForegroundRole(QPalette::WindowText);
}
