#include "qt/Grille_Recap.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/Textes.h"

namespace {

QString Texte(const std::string& utf8) { return QString::fromStdString(utf8); }

// Cell texts sit 2 pixels in from the cell's edge and top, on one line, clipped.
void Dessiner_Texte(QPainter& p, const QRect& cellule, const QString& texte, const QColor& couleur,
                    Qt::Alignment cote = Qt::AlignLeft) {
  p.setPen(couleur);
  p.drawText(cellule.adjusted(2, 2, -2, 0), cote | Qt::AlignTop | Qt::TextSingleLine, texte);
}

Qt::Alignment Cote(recap::TAlignement a) {
  switch (a) {
    case recap::TAlignement::Droite: return Qt::AlignRight;
    case recap::TAlignement::Centre: return Qt::AlignHCenter;
    case recap::TAlignement::Gauche: break;
  }
  return Qt::AlignLeft;
}

// A fixed cell: button face with a raised edge.
void Dessiner_Cellule_Fixe(QPainter& p, const QRect& r, const QString& texte, const QPalette& palette,
                           Qt::Alignment cote = Qt::AlignLeft) {
  p.save();
  p.fillRect(r, palette.button());
  p.setPen(palette.color(QPalette::Light));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(palette.color(QPalette::Dark));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  Dessiner_Texte(p, r, texte, palette.color(QPalette::ButtonText), cote);  // none: at the left
  p.restore();
}

// Beyond the last row or column the grid shows its own window colour, as a string grid does.
class TEnteteFixe : public QHeaderView {
public:
  using QHeaderView::QHeaderView;

protected:
  void paintEvent(QPaintEvent* evenement) override {
    QHeaderView::paintEvent(evenement);
    QRect vide = viewport()->rect();
    const int fin = length() - offset();
    if (orientation() == Qt::Horizontal)
      vide.setLeft(fin);
    else
      vide.setTop(fin);
    if (vide.isValid()) QPainter(viewport()).fillRect(vide, palette().base());
  }

  void paintSection(QPainter* p, const QRect& r, int section) const override {
    if (!r.isValid() || model() == nullptr) return;
    if (orientation() == Qt::Vertical) return Dessiner_Cellules_Fixes(*p, r, section);
    Dessiner_Cellule_Fixe(*p, r, model()->headerData(section, orientation()).toString(), palette(),
                          Qt::Alignment(model()->headerData(section, orientation(), Qt::TextAlignmentRole).toInt()) &
                              Qt::AlignHorizontal_Mask);
  }

private:
  // A row's fixed cells side by side, each as wide as its column.
  void Dessiner_Cellules_Fixes(QPainter& p, const QRect& r, int section) const {
    const auto* modele = static_cast<const TModeleTableau*>(model());
    const QVariantList textes = model()->headerData(section, Qt::Vertical, TModeleTableau::Role_Cellules_Fixes).toList();
    const QVariantList cotes = model()->headerData(section, Qt::Vertical, TModeleTableau::Role_Alignements_Fixes).toList();
    int x = r.left();
    for (int c = 0; c < textes.size(); ++c) {
      const bool derniere = c + 1 == textes.size();
      const int largeur = derniere ? r.right() + 1 - x : modele->Tableau().Colonnes[static_cast<size_t>(c)].Largeur;
      Dessiner_Cellule_Fixe(p, QRect(x, r.top(), largeur, r.height()), textes[c].toString(), palette(),
                            Qt::Alignment(cotes[c].toInt()) & Qt::AlignHorizontal_Mask);
      x += largeur;
    }
  }
};

// Data cells: window colour (the view's base), highlight when selected.
class TDelegueCellule : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    p->save();
    const bool choisie = option.state.testFlag(QStyle::State_Selected);
    const QVariant fond = index.data(Qt::BackgroundRole);
    if (choisie) {
      p->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
    } else if (fond.isValid()) {
      p->fillRect(option.rect, fond.value<QColor>());
    }
    const auto* modele = static_cast<const TModeleTableau*>(index.model());
    const QPalette::ColorGroup groupe = modele->Tableau().Perime ? QPalette::Disabled : QPalette::Normal;
    Dessiner_Texte(*p, option.rect, index.data().toString(),
                   option.palette.color(groupe, choisie ? QPalette::HighlightedText : QPalette::Text),
                   Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()) & Qt::AlignHorizontal_Mask);
    if (option.state.testFlag(QStyle::State_HasFocus) && option.widget != nullptr) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(option);
      focus.backgroundColor = option.palette.color(choisie ? QPalette::Highlight : QPalette::Base);
      option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, option.widget);
    }
    p->restore();
  }
};

}  // namespace

// ---- The model ----

TModeleTableau::TModeleTableau(QObject* parent) : QAbstractTableModel(parent) {}

void TModeleTableau::Afficher(recap::TTableau tableau) {
  if (tableau.Nombre_Colonnes() != tableau_.Nombre_Colonnes()) {
    beginResetModel();
    tableau_ = std::move(tableau);
    endResetModel();
    return;
  }
  // Rows come and go as the grid's row count changes; the views keep their columns.
  const int avant = rowCount(), apres = static_cast<int>(tableau.Lignes.size());
  if (apres > avant) {
    beginInsertRows({}, avant, apres - 1);
    tableau_ = std::move(tableau);
    endInsertRows();
  } else if (apres < avant) {
    beginRemoveRows({}, apres, avant - 1);
    tableau_ = std::move(tableau);
    endRemoveRows();
  } else {
    tableau_ = std::move(tableau);
  }
  const int colonnes = columnCount();
  if (apres > 0 && colonnes > 0) {
    emit dataChanged(index(0, 0), index(apres - 1, colonnes - 1));
    emit headerDataChanged(Qt::Vertical, 0, apres - 1);
  }
  if (colonnes > 0) emit headerDataChanged(Qt::Horizontal, 0, colonnes - 1);
}

int TModeleTableau::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(tableau_.Lignes.size());
}

int TModeleTableau::Fixes() const { return std::clamp(tableau_.Colonnes_Fixes, 1, std::max(1, tableau_.Nombre_Colonnes() - 1)); }

int TModeleTableau::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, tableau_.Nombre_Colonnes() - Fixes());
}

QVariant TModeleTableau::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const bool a_signaler = tableau_.Lignes[static_cast<size_t>(index.row())].A_Signaler;
  const int colonne = index.column() + Fixes(), rangee = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole: return Texte(tableau_.Texte(colonne, rangee));
    case Qt::TextAlignmentRole: return static_cast<int>(Cote(recap::Alignement_Ecran(tableau_, colonne, rangee)));
    case Qt::AccessibleTextRole: return Texte(recap::Nom_Accessible(tableau_, colonne, rangee));
    case Qt::BackgroundRole: {
      const auto& c = description::Couleur_A_Signaler;
      return a_signaler ? QVariant(QColor(c.Rouge, c.Vert, c.Bleu)) : QVariant();
    }
    // Screen readers hear that the row is to be checked; its cells say why.
    case Qt::AccessibleDescriptionRole: return a_signaler ? QVariant(QString::fromUtf8(textes::Ligne_A_Signaler)) : QVariant();
    default: return {};
  }
}

// The fixed columns are the vertical header: their cells are named as the others, "N° RUB" first.
QVariant TModeleTableau::headerData(int section, Qt::Orientation orientation, int role) const {
  const int colonne = orientation == Qt::Horizontal ? section + Fixes() : 0;
  const int rangee = orientation == Qt::Horizontal ? 0 : section + 1;
  const auto texte = [&](int c) {
    return Texte(rangee == 0 ? recap::Texte_Entete_Ecran(tableau_, c) : tableau_.Texte(c, rangee));
  };
  switch (role) {
    case Qt::DisplayRole: return texte(colonne);
    case Qt::AccessibleTextRole: {
      QStringList noms;
      for (int c = colonne; c < (orientation == Qt::Vertical ? Fixes() : colonne + 1); ++c)
        noms << Texte(recap::Nom_Accessible(tableau_, c, rangee));
      return noms.join(QStringLiteral(" ; "));
    }
    case Qt::TextAlignmentRole:
      return rangee > 0 ? QVariant(static_cast<int>(Cote(recap::Alignement_Ecran(tableau_, colonne, rangee)))) : QVariant();
    case Role_Cellules_Fixes:
    case Role_Alignements_Fixes: {
      QVariantList cellules;
      for (int c = 0; c < Fixes(); ++c)
        cellules << (role == Role_Cellules_Fixes ? QVariant(texte(c))
                                                 : QVariant(static_cast<int>(Cote(recap::Alignement_Ecran(tableau_, c, rangee)))));
      return cellules;
    }
    default: return {};
  }
}

// Selectable, never editable.
Qt::ItemFlags TModeleTableau::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// ---- The view ----

TStringGridRecap::TStringGridRecap(QWidget* parent)
    : QTableView(parent), modele_(new TModeleTableau(this)), coin_(nullptr) {
  // Tab and Shift+Tab leave the grid for the window's other controls; the arrows move in it.
  setTabKeyNavigation(false);
  setHorizontalHeader(new TEnteteFixe(Qt::Horizontal, this));
  setVerticalHeader(new TEnteteFixe(Qt::Vertical, this));
  setItemDelegate(new TDelegueCellule(this));
  setModel(modele_);

  // Row 0 is the horizontal header: user-sizeable columns, not clickable (fixed cells are not
  // selectable).
  QHeaderView* ligne0 = horizontalHeader();
  ligne0->setFixedHeight(DefaultRowHeight);
  ligne0->setSectionResizeMode(QHeaderView::Interactive);
  ligne0->setSectionsClickable(false);
  ligne0->setHighlightSections(false);
  ligne0->setStretchLastSection(false);

  // Column 0 is the vertical header; rows keep their height.
  QHeaderView* colonne0 = verticalHeader();
  colonne0->setMinimumSectionSize(1);
  colonne0->setDefaultSectionSize(DefaultRowHeight);
  colonne0->setSectionResizeMode(QHeaderView::Fixed);
  colonne0->setSectionsClickable(false);
  colonne0->setHighlightSections(false);

  // The corner is Qt's own button; it shows the top-left cell instead of selecting everything.
  setCornerButtonEnabled(false);
  coin_ = findChild<QAbstractButton*>();
  if (coin_ != nullptr) coin_->installEventFilter(this);
}

void TStringGridRecap::Afficher(recap::TTableau tableau) {
  const bool nouvelles_colonnes = tableau.Nombre_Colonnes() != Tableau().Nombre_Colonnes();
  modele_->Afficher(std::move(tableau));
  if (nouvelles_colonnes) {
    Largeurs_Du_Tableau();
    // The first data cell is the current one, outlined but not highlighted.
    selectionModel()->setCurrentIndex(modele_->index(0, 0), QItemSelectionModel::NoUpdate);
  }
  if (coin_ != nullptr) {
    coin_->setAccessibleName(Texte(recap::Nom_Accessible(Tableau(), 0, 0)));
    coin_->update();
  }
}

void TStringGridRecap::Permettre_Tri() {
  tri_ = true;
  setCornerButtonEnabled(true);  // a disabled corner would get no click
  horizontalHeader()->setSectionsClickable(true);
  // A header click sorts; it selects no column.
  disconnect(horizontalHeader(), &QHeaderView::sectionPressed, this, nullptr);
  disconnect(horizontalHeader(), &QHeaderView::sectionEntered, this, nullptr);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int section) { emit Entete_Cliquee(Colonne_Tableau(section)); });
}

void TStringGridRecap::Revenir_Au_Debut() {
  clearSelection();
  if (modele_->rowCount() > 0 && modele_->columnCount() > 0)
    selectionModel()->setCurrentIndex(modele_->index(0, 0), QItemSelectionModel::NoUpdate);
  scrollToTop();
  horizontalScrollBar()->setValue(0);
}

void TStringGridRecap::Largeurs_Du_Tableau() {
  const auto& colonnes = Tableau().Colonnes;
  if (colonnes.empty()) return;
  const size_t fixes = static_cast<size_t>(modele_->Fixes());
  int fixe = 0;
  for (size_t c = 0; c < fixes && c < colonnes.size(); ++c) fixe += colonnes[c].Largeur;
  verticalHeader()->setFixedWidth(fixe);
  for (size_t c = fixes; c < colonnes.size(); ++c)
    horizontalHeader()->resizeSection(static_cast<int>(c - fixes), colonnes[c].Largeur);
}

QString TStringGridRecap::Texte_Coin() const { return Texte(recap::Texte_Entete_Ecran(Tableau(), 0)); }

bool TStringGridRecap::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == coin_ && evenement->type() == QEvent::Paint) {
    // The fixed columns' headers, each as wide as its column.
    QPainter p(coin_);
    int x = 0;
    for (int c = 0; c < modele_->Fixes(); ++c) {
      const bool derniere = c + 1 == modele_->Fixes();
      const int largeur = derniere ? coin_->width() - x : Tableau().Colonnes[static_cast<size_t>(c)].Largeur;
      Dessiner_Cellule_Fixe(p, QRect(x, 0, largeur, coin_->height()), Texte(recap::Texte_Entete_Ecran(Tableau(), c)), palette());
      x += largeur;
    }
    return true;
  }
  // The corner sorts by the fixed column; it never selects the whole table.
  const bool souris = evenement->type() == QEvent::MouseButtonPress || evenement->type() == QEvent::MouseButtonRelease ||
                      evenement->type() == QEvent::MouseButtonDblClick;
  if (objet == coin_ && souris) {
    if (tri_ && evenement->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evenement)->button() == Qt::LeftButton)
      emit Entete_Cliquee(0);
    return true;
  }
  return QTableView::eventFilter(objet, evenement);
}

void TStringGridRecap::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->matches(QKeySequence::Copy)) {
    evenement->ignore();
    return;
  }
  const bool entree = evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter;
  const bool seule = (evenement->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;  // the keypad's Enter too
  if (entree && seule && currentIndex().isValid()) {
    emit Rangee_Activee();
    return;
  }
  QTableView::keyPressEvent(evenement);
}

void TStringGridRecap::mouseDoubleClickEvent(QMouseEvent* evenement) {
  QTableView::mouseDoubleClickEvent(evenement);
  if (evenement->button() == Qt::LeftButton && indexAt(evenement->position().toPoint()).isValid()) emit Rangee_Activee();
}
