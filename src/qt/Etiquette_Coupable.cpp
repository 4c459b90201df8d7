#include "qt/Etiquette_Coupable.h"

#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace {

// Lays the text out at that width; the height its lines take.
qreal Disposer(QTextLayout& disposition, qreal largeur) {
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  disposition.setTextOption(option);
  disposition.beginLayout();
  qreal haut = 0;
  for (QTextLine ligne = disposition.createLine(); ligne.isValid(); ligne = disposition.createLine()) {
    ligne.setLineWidth(largeur);
    ligne.setPosition(QPointF(0, haut));
    haut += ligne.height();
  }
  disposition.endLayout();
  return haut;
}

// A line break of the text is a paragraph of its own: QTextLayout lays out one paragraph.
QStringList Paragraphes(const QString& texte) { return texte.split('\n'); }

}  // namespace

TEtiquetteCoupable::TEtiquetteCoupable(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);  // a file name may hold "<"
  setWordWrap(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QSizePolicy politique = sizePolicy();
  politique.setHeightForWidth(true);
  setSizePolicy(politique);
}

int TEtiquetteCoupable::heightForWidth(int largeur) const {
  const QMargins m = contentsMargins();
  const qreal utile = std::max(1, largeur - m.left() - m.right());
  qreal haut = 0;
  for (const QString& p : Paragraphes(text())) {
    QTextLayout disposition(p, font());
    haut += Disposer(disposition, utile);
  }
  return static_cast<int>(std::ceil(haut)) + m.top() + m.bottom();
}

QSize TEtiquetteCoupable::sizeHint() const {
  const QMargins m = contentsMargins();
  qreal large = 0;
  for (const QString& p : Paragraphes(text())) {
    QTextLayout disposition(p, font());
    QTextOption une_ligne(Qt::AlignLeft);
    une_ligne.setWrapMode(QTextOption::NoWrap);
    disposition.setTextOption(une_ligne);
    disposition.beginLayout();
    for (QTextLine ligne = disposition.createLine(); ligne.isValid(); ligne = disposition.createLine()) {
      ligne.setLineWidth(1e6);
      large = std::max(large, ligne.naturalTextWidth());
    }
    disposition.endLayout();
  }
  const int largeur = static_cast<int>(std::ceil(large)) + m.left() + m.right();
  return {largeur, heightForWidth(largeur)};
}

QSize TEtiquetteCoupable::minimumSizeHint() const { return {0, heightForWidth(width())}; }

void TEtiquetteCoupable::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(palette().color(foregroundRole()));
  const QRect zone = contentsRect();
  qreal haut = zone.top();
  for (const QString& paragraphe : Paragraphes(text())) {
    QTextLayout disposition(paragraphe, font());
    const qreal hauteur = Disposer(disposition, zone.width());
    disposition.draw(&p, QPointF(zone.left(), haut));
    haut += hauteur;
  }
}
