// The warnings area: a label that grows with its lines up to a third of its window's height,
// then scrolls. The warnings, one per damage, can be many.
#pragma once

#include <QScrollArea>

class QLabel;
class TEtiquetteCoupable;

class TEtiquetteDefilante : public QScrollArea {
  Q_OBJECT

public:
  explicit TEtiquetteDefilante(QWidget* parent = nullptr);

  // The label itself, wrapped to the area's width.
  QLabel* Etiquette() const;

  // The text, the area shown only when there is one, as high as the window's rule says for a
  // client area of that height.
  void Montrer(const QString& Texte, int Hauteur_Client);
  void Ajuster_Hauteur(int Hauteur_Client);

private:
  TEtiquetteCoupable* etiquette_;
};
