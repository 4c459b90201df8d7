#include "qt/Etiquette_Defilante.h"

#include <QScrollBar>

#include "qt/Accessibilite.h"
#include "qt/Etiquette_Coupable.h"
#include "recap/Fenetre_Regles.h"

TEtiquetteDefilante::TEtiquetteDefilante(QWidget* parent) : QScrollArea(parent), etiquette_(new TEtiquetteCoupable(this)) {
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Read, never visited with Tab: the window's tab order stays the description's.
  setFocusPolicy(Qt::NoFocus);
  etiquette_->setContentsMargins(4, 2, 4, 2);
  setWidget(etiquette_);
  // On the window's button face, the label's text in its own colour (a widget on a button face
  // would take the button's text colour).
  setBackgroundRole(QPalette::Button);
  viewport()->setBackgroundRole(QPalette::Button);
  etiquette_->setForegroundRole(QPalette::WindowText);
}

QLabel* TEtiquetteDefilante::Etiquette() const { return etiquette_; }

void TEtiquetteDefilante::Montrer(const QString& Texte, int Hauteur_Client) {
  Changer_Texte(etiquette_, Texte);
  setVisible(!Texte.isEmpty());
  Ajuster_Hauteur(Hauteur_Client);
  verticalScrollBar()->setValue(0);  // new warnings show from their first line
}

void TEtiquetteDefilante::Ajuster_Hauteur(int Hauteur_Client) {
  if (etiquette_->text().isEmpty()) return;
  // Measured at the width the text has when the bar shows: a text that fits does not need it.
  const int texte = etiquette_->heightForWidth(width());
  const QMargins m = etiquette_->contentsMargins();
  const int hauteur = recap::Hauteur_Avertissements(texte, etiquette_->fontMetrics().lineSpacing(), m.top() + m.bottom(),
                                                    Hauteur_Client);
  setFixedHeight(hauteur);
}
