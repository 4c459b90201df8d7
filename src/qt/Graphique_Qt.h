// The chart of a table window (the cumuls): the core lays it out for the widget's size, this
// draws it. Its figures reach screen readers through the grid's summary rows.
#pragma once

#include <QWidget>
#include <optional>

#include "recap/Graphique.h"

class TGraphiqueQt : public QWidget {
  Q_OBJECT

public:
  explicit TGraphiqueQt(QWidget* parent = nullptr);

  // The table's chart, or none.
  void Afficher(const recap::TTableau& Tableau);
  // What is drawn at the widget's size, in its pixels.
  recap::TPage_Imprimee Dessin() const;

protected:
  void paintEvent(QPaintEvent* evenement) override;

private:
  std::optional<recap::TDonnees_Graphique> donnees_;
};
