// The grid widget of the tables: a table view that shows a recap::TTableau, its header row in
// the horizontal header and its first column in the vertical header, so that the fixed cells
// stay in view. Whatever table it is given (the recap, a comparison, a detail), it shows it.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include "forms/Description_Form1.h"
#include "recap/Tableau.h"

// Qt's view of a TTableau: model cell (r, c) is grid cell (c + 1, r + 1).
class TModeleTableau : public QAbstractTableModel {
public:
  explicit TModeleTableau(QObject* parent = nullptr);

  const recap::TTableau& Tableau() const { return tableau_; }
  // The table's columns shown in the vertical header, which stays in view: the first at least.
  int Fixes() const;
  // The fixed cells of a row as the vertical header draws them: their texts and alignments.
  static constexpr int Role_Cellules_Fixes = Qt::UserRole, Role_Alignements_Fixes = Qt::UserRole + 1;
  // Tells the views what the new table holds; a table of other columns starts the views anew.
  void Afficher(recap::TTableau tableau);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
  recap::TTableau tableau_;
};

class TStringGridRecap : public QTableView {
  Q_OBJECT

public:
  static constexpr int DefaultRowHeight = description::Grille.Hauteur_Ligne;

  explicit TStringGridRecap(QWidget* parent = nullptr);

  // Shows the table. The columns take the table's widths when their number changes; otherwise
  // they keep the widths the user gave them.
  void Afficher(recap::TTableau tableau);
  const recap::TTableau& Tableau() const { return modele_->Tableau(); }
  // The table's column of a column of the view.
  int Colonne_Tableau(int colonne_vue) const { return colonne_vue + modele_->Fixes(); }

  // The text of the top-left fixed cell, drawn in the corner between the headers.
  QString Texte_Coin() const;

  // A click on a column's header, the corner's included, says so (the main grid's fixed cells
  // stay still, as designed).
  void Permettre_Tri();
  // A new calculation shows from its first cell, nothing selected.
  void Revenir_Au_Debut();

signals:
  // A double click on a data cell, or Enter in the grid: the current row's command.
  void Rangee_Activee();
  // A click on the header of the table's column Colonne (0: the fixed column's).
  void Entete_Cliquee(int Colonne);

protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;
  // Copying belongs to the window's action, which copies the selection, not one cell.
  void keyPressEvent(QKeyEvent* evenement) override;
  void mouseDoubleClickEvent(QMouseEvent* evenement) override;

private:
  void Largeurs_Du_Tableau();

  TModeleTableau* modele_;
  QWidget* coin_;
  bool tri_ = false;
};
