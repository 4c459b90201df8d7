#include "qt/Commandes_Qt.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPrinter>
#include <QShortcut>
#include <algorithm>
#include <memory>

#include "qt/Grille_Recap.h"
#include "qt/Impression_Qt.h"

namespace {

// The mouse cursor shown for as long as the object lives.
class TCurseur_Force {
public:
  explicit TCurseur_Force(Qt::CursorShape forme) { QGuiApplication::setOverrideCursor(QCursor(forme)); }
  ~TCurseur_Force() { QGuiApplication::restoreOverrideCursor(); }
  TCurseur_Force(const TCurseur_Force&) = delete;
  TCurseur_Force& operator=(const TCurseur_Force&) = delete;
};

// The selected cells as a rectangle of the table (model cell (r, c) is the table's cell
// (c + the fixed columns, r + 1)); the current cell when nothing is selected.
recap::TZone Zone_Choisie(const TStringGridRecap& vue) {
  const int f = vue.Colonne_Tableau(0);
  const QItemSelection selection = vue.selectionModel()->selection();
  if (selection.isEmpty()) {
    const QModelIndex courante = vue.currentIndex();
    if (!courante.isValid()) return {1, 1, 0, 0};
    return {courante.column() + f, courante.row() + 1, courante.column() + f, courante.row() + 1};
  }
  recap::TZone z{selection.first().left() + f, selection.first().top() + 1, selection.first().right() + f,
                 selection.first().bottom() + 1};
  for (const QItemSelectionRange& r : selection) {
    z = {std::min(z.Gauche, r.left() + f), std::min(z.Haut, r.top() + 1), std::max(z.Droite, r.right() + f),
         std::max(z.Bas, r.bottom() + 1)};
  }
  return z;
}

void Montrer_Menu(QMenu* menu, TStringGridRecap& grille, const QPoint& position) {
  menu->popup(grille.viewport()->mapToGlobal(position));
}

}  // namespace

QAction* TActions_Commandes::Action(recap::TCommande Commande) const {
  const auto a = std::find_if(Actions.begin(), Actions.end(), [Commande](const auto& a) { return a.first == Commande; });
  return a != Actions.end() ? a->second : nullptr;
}

void TActions_Commandes::Griser(const recap::TEtat_Commandes& Etat) const {
  for (const auto& [commande, action] : Actions) action->setEnabled(recap::Commande_Active(commande, Etat));
}

TActions_Commandes Creer_Commandes(QWidget& Fenetre, TStringGridRecap& Grille, recap::TGenre_Fenetre Genre,
                                   const std::function<void(recap::TCommande)>& Executer) {
  TActions_Commandes resultat;
  resultat.Menu = new QMenu(&Fenetre);
  for (const recap::TEntree_Commande& e : recap::Commandes(Genre, Capacites_Qt)) {
    auto* a = new QAction(QString::fromUtf8(e.Texte), &Fenetre);
    if (e.Touche != 0) a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(e.Touche)));
    // A grid shortcut leaves the fields their own Ctrl+C and Ctrl+A.
    const bool grille = e.Portee == recap::TPortee::Grille;
    a->setShortcutContext(grille ? Qt::WidgetWithChildrenShortcut : Qt::WindowShortcut);
    (grille ? static_cast<QWidget&>(Grille) : Fenetre).addAction(a);
    QObject::connect(a, &QAction::triggered, &Fenetre, [Executer, c = e.Commande] { Executer(c); });
    if (e.Separateur_Avant) resultat.Menu->addSeparator();
    resultat.Menu->addAction(a);
    resultat.Actions.emplace_back(e.Commande, a);
  }
  if (const auto activation = recap::Commande_Activation(Genre))
    QObject::connect(&Grille, &TStringGridRecap::Rangee_Activee, &Fenetre, [Executer, c = *activation] { Executer(c); });
  // Right click and the menu key come as a context menu request; Shift+F10 is added here.
  QMenu* menu = resultat.Menu;
  Grille.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&Grille, &QWidget::customContextMenuRequested, menu,
                   [menu, &Grille](const QPoint& p) { Montrer_Menu(menu, Grille, p); });
  auto* maj_f10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), &Grille);
  maj_f10->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(maj_f10, &QShortcut::activated, menu, [menu, &Grille] {
    const QRect cellule = Grille.visualRect(Grille.currentIndex());
    Montrer_Menu(menu, Grille, cellule.isValid() ? cellule.center() : QPoint(0, 0));
  });
  return resultat;
}

recap::TServices_Fenetre Services_Qt(TStringGridRecap& Grille, const TDialoguesFichiers& Dialogues) {
  recap::TServices_Fenetre s;
  s.Selection = [&Grille] { return Zone_Choisie(Grille); };
  s.Rangee_Courante = [&Grille] { return Grille.currentIndex().row() + 1; };
  s.Presse_Papiers = [](const std::string& texte) { QGuiApplication::clipboard()->setText(QString::fromStdString(texte)); };
  s.Tout_Selectionner = [&Grille] { Grille.selectAll(); };
  s.Demander_Chemin = Dialogues.Enregistrer;
  s.Choisir_Imprimante = [imprimer = Dialogues.Imprimer](const recap::TDemande_Impression& d) -> recap::TImprimante {
    auto imprimante = std::make_shared<QPrinter>(QPrinter::HighResolution);
    Preparer_Imprimante(*imprimante, d);
    if (!imprimer(*imprimante)) return {};
    return [imprimante](const recap::TTableau& t) { Imprimer_Tableau_Qt(*imprimante, t); };
  };
  s.Pdf = [](const recap::TTableau& t, const recap::TDemande_Impression& d) {
    const QByteArray pdf = Pdf_Tableau(t, d);
    return std::string(pdf.constData(), static_cast<size_t>(pdf.size()));
  };
  s.Mesure = Mesure_Qt();
  s.Curseur = Curseur_Qt();
  return s;
}

recap::TCurseur Curseur_Qt() {
  return [](bool attente) { return std::make_shared<TCurseur_Force>(attente ? Qt::WaitCursor : Qt::ArrowCursor); };
}
