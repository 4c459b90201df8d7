// The recap grid widget: a table view that shows a recap::TGrille, its row 0 in the horizontal
// header and its column 0 in the vertical header, so that the fixed cells stay in view.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <array>

#include "forms/Description_Form1.h"
#include "recap/Recap.h"

// Qt's view of a TGrille: model cell (r, c) is grid cell (c + 1, r + 1).
class TModeleGrille : public QAbstractTableModel {
public:
  explicit TModeleGrille(QObject* parent = nullptr);

  recap::TGrille& Grille() { return grille_; }
  const recap::TGrille& Grille() const { return grille_; }
  // Tells the views what the grid now holds.
  void Rafraichir();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  recap::TGrille grille_;
  int lignes_;  // data rows the views know of
};

class TStringGridRecap : public QTableView {
  Q_OBJECT

public:
  static constexpr std::array<int, recap::TGrille::ColCount> ColWidths = description::Grille.Largeurs;
  static constexpr int DefaultRowHeight = description::Grille.Hauteur_Ligne;

  explicit TStringGridRecap(QWidget* parent = nullptr);

  // The cells, addressed (column, row); call Rafraichir after writing them.
  recap::TGrille& Grille() { return modele_->Grille(); }
  void Rafraichir();

  // The text of the top-left fixed cell, drawn in the corner between the headers.
  QString Texte_Coin() const;

protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;
  // Copying belongs to the window's action, which copies the selection, not one cell.
  void keyPressEvent(QKeyEvent* evenement) override;

private:
  TModeleGrille* modele_;
  QWidget* coin_;
};
