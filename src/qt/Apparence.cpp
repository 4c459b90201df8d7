#include "qt/Apparence.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

void Substituer_Police() {
  static const bool fait = [] {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial")});
    return true;
  }();
  (void)fait;
}

void Fond_Face_Bouton(QWidget* w) {
  w->setBackgroundRole(QPalette::Button);
  w->setAutoFillBackground(true);
}

void Couleur_Texte(QWidget* w, const description::TCouleur& c) {
  QPalette palette = w->palette();
  palette.setColor(QPalette::WindowText, QColor(c.Rouge, c.Vert, c.Bleu));
  w->setPalette(palette);
}
