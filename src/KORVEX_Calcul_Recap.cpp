#include "KORVEX_Calcul_Recap.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <algorithm>

#include "forms/Description_Form1.h"
#include "qt/Accessibilite.h"
#include "qt/Edit_Etiquete.h"
#include "qt/Grille_Recap.h"
#include "qt/Impression_Qt.h"
#include "platform/Fichiers.h"
#include "platform/Textes.h"
#include "recap/Export.h"
#include "recap/Fenetre.h"
#include "ui_KORVEX_Calcul_Recap.h"

namespace {

// The mouse cursor shown for as long as the object lives.
class TCurseur {
public:
  explicit TCurseur(Qt::CursorShape forme) { QGuiApplication::setOverrideCursor(QCursor(forme)); }
  ~TCurseur() { QGuiApplication::restoreOverrideCursor(); }
  TCurseur(const TCurseur&) = delete;
  TCurseur& operator=(const TCurseur&) = delete;
};

QString Texte_Qt(const std::string& utf8) { return QString::fromUtf8(utf8); }

// The selected cells as a rectangle of the grid (model cell (r, c) is grid cell (c + 1, r + 1));
// the current cell when nothing is selected.
recap::TZone Zone_Choisie(const QTableView& vue) {
  const QItemSelection selection = vue.selectionModel()->selection();
  if (selection.isEmpty()) {
    const QModelIndex courante = vue.currentIndex();
    if (!courante.isValid()) return {1, 1, 0, 0};
    return {courante.column() + 1, courante.row() + 1, courante.column() + 1, courante.row() + 1};
  }
  recap::TZone z{selection.first().left() + 1, selection.first().top() + 1, selection.first().right() + 1,
                 selection.first().bottom() + 1};
  for (const QItemSelectionRange& r : selection) {
    z = {std::min(z.Gauche, r.left() + 1), std::min(z.Haut, r.top() + 1), std::max(z.Droite, r.right() + 1),
         std::max(z.Bas, r.bottom() + 1)};
  }
  return z;
}

void Vers_Presse_Papiers(const std::string& texte) {
  if (!texte.empty()) QGuiApplication::clipboard()->setText(Texte_Qt(texte));
}

std::string Texte(const QLineEdit* champ) { return champ->text().toStdString(); }

// The description's font exists only on Windows; elsewhere take the nearest in metrics, so
// that the captions fit where they were designed.
void Substituer_Police() {
  static const bool fait = [] {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial")});
    return true;
  }();
  (void)fait;
}

// The window and its panel are drawn in the button face colour.
void Fond_Face_Bouton(QWidget* w) {
  w->setBackgroundRole(QPalette::Button);
  w->setAutoFillBackground(true);
}

}  // namespace

TForm1::TForm1(TBoitesMessages Boites, TDialoguesFichiers Dialogues, QWidget* parent)
    : QWidget(parent), Boites_(std::move(Boites)), Dialogues_(std::move(Dialogues)) {
  Substituer_Police();
  Ui::TForm1 ui;
  ui.setupUi(this);
  StringGridRecap = ui.StringGridRecap;
  Panel1 = ui.Panel1;
  EditChemin_Dossier = ui.EditChemin_Dossier;
  LabelFichierTrouve = ui.LabelFichierTrouve;
  LabeledEdit_Mois = ui.LabeledEdit_Mois;
  Button_Calc_Recap = ui.Button_Calc_Recap;
  Label1 = ui.Label1;
  LabelResume = ui.LabelResume;

  move(description::Form1.Left, description::Form1.Top);  // placed where designed
  Fond_Face_Bouton(this);
  Fond_Face_Bouton(Panel1);
  Label1->adjustSize();
  StringGridRecap->setFocus();
  // Screen readers name the folder field after its caption, as the month field is.
  Label1->setBuddy(EditChemin_Dossier);
  StringGridRecap->setAccessibleName(QString::fromUtf8(textes::Nom_Grille_Accessible));
  Annoncer_Changements(LabelFichierTrouve, textes::Description_Controle_Dossier);
  Annoncer_Changements(LabelResume, textes::Description_Resume);

  // Connected once the description has set the default folder: that assignment is no change.
  connect(EditChemin_Dossier, &QLineEdit::textChanged, this, &TForm1::EditChemin_DossierChange);
  connect(Button_Calc_Recap, &QPushButton::clicked, this, &TForm1::Button_Calc_RecapClick);
  Creer_Actions();
  FormCreate();
}

void TForm1::Creer_Actions() {
  const auto action = [this](const char* texte, QWidget* porteur, QKeySequence raccourci,
                             Qt::ShortcutContext portee, void (TForm1::*slot)()) {
    auto* a = new QAction(QString::fromUtf8(texte), this);
    a->setShortcut(raccourci);
    a->setShortcutContext(portee);
    porteur->addAction(a);
    if (slot != nullptr) connect(a, &QAction::triggered, this, slot);
    return a;
  };
  // Copy and select all belong to the grid: in the fields, Ctrl+C and Ctrl+A keep their meaning.
  Action_Copier = action(textes::Action_Copier, StringGridRecap, QKeySequence::Copy,
                         Qt::WidgetWithChildrenShortcut, &TForm1::Copier);
  Action_Copier_Tout = action(textes::Action_Copier_Tout, StringGridRecap, {}, Qt::WidgetWithChildrenShortcut,
                              &TForm1::Copier_Tout);
  Action_Tout_Selectionner = action(textes::Action_Tout_Selectionner, StringGridRecap, QKeySequence::SelectAll,
                                    Qt::WidgetWithChildrenShortcut, nullptr);
  connect(Action_Tout_Selectionner, &QAction::triggered, StringGridRecap, &QTableView::selectAll);
  Action_Exporter_Csv = action(textes::Action_Exporter_Csv, this, QKeySequence(Qt::CTRL | Qt::Key_S),
                               Qt::WindowShortcut, &TForm1::Exporter_Csv);
  Action_Exporter_Pdf = action(textes::Action_Exporter_Pdf, this, {}, Qt::WindowShortcut, &TForm1::Exporter_Pdf);
  Action_Imprimer = action(textes::Action_Imprimer, this, QKeySequence::Print, Qt::WindowShortcut, &TForm1::Imprimer);

  Menu_Grille = new QMenu(this);
  Menu_Grille->addAction(Action_Copier);
  Menu_Grille->addAction(Action_Copier_Tout);
  Menu_Grille->addAction(Action_Tout_Selectionner);
  Menu_Grille->addSeparator();
  Menu_Grille->addAction(Action_Exporter_Csv);
  Menu_Grille->addAction(Action_Imprimer);
  Menu_Grille->addAction(Action_Exporter_Pdf);

  // Right click and the menu key come as a context menu request; Shift+F10 is added here.
  StringGridRecap->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(StringGridRecap, &QWidget::customContextMenuRequested, this, &TForm1::Montrer_Menu_Grille);
  auto* maj_f10 = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), StringGridRecap);
  maj_f10->setContext(Qt::WidgetWithChildrenShortcut);
  connect(maj_f10, &QShortcut::activated, this, [this] {
    const QRect cellule = StringGridRecap->visualRect(StringGridRecap->currentIndex());
    Montrer_Menu_Grille(cellule.isValid() ? cellule.center() : QPoint(0, 0));
  });
  Rafraichir_Resultats();
}

void TForm1::Montrer_Menu_Grille(const QPoint& position) {
  Menu_Grille->popup(StringGridRecap->viewport()->mapToGlobal(position));
}

void TForm1::Rafraichir_Resultats() {
  LabelResume->setText(Texte_Qt(recap::Texte_Resume(Dernier_Calcul)));
  // Only the last click's recap leaves the window: a stale or partial grid is not taken away.
  const bool a_jour = recap::Grille_A_Jour(Dernier_Calcul);
  for (QAction* a : {Action_Copier, Action_Copier_Tout, Action_Tout_Selectionner, Action_Exporter_Csv,
                     Action_Exporter_Pdf, Action_Imprimer})
    a->setEnabled(a_jour);
}

void TForm1::Copier() {
  recap::Sous_Garde(Boites_, [this] {
    Vers_Presse_Papiers(recap::Texte_Copie(StringGridRecap->Grille(), Zone_Choisie(*StringGridRecap)));
  });
}

void TForm1::Copier_Tout() {
  recap::Sous_Garde(Boites_, [this] {
    const recap::TGrille& grille = StringGridRecap->Grille();
    Vers_Presse_Papiers(recap::Texte_Copie(grille, recap::Zone_Donnees(grille)));
  });
}

void TForm1::Exporter_Csv() {
  recap::Sous_Garde(Boites_, [this] {
    recap::Exporter_Csv(StringGridRecap->Grille(), Dernier_Calcul,
                        [this](const recap::TDemande_Enregistrement& d) -> std::optional<std::string> {
                          const auto chemin = Dialogues_.Enregistrer(
                              Texte_Qt(d.Titre), Texte_Qt(d.Chemin_Propose),
                              Texte_Qt(d.Types[0]) + ";;" + Texte_Qt(d.Types[1]));
                          if (!chemin) return std::nullopt;
                          return QDir::toNativeSeparators(*chemin).toStdString();
                        });
  });
}

void TForm1::FormCreate() { EditChemin_DossierChange(); }

void TForm1::EditChemin_DossierChange() {
  recap::Sous_Garde(Boites_, [this] {
    LabelFichierTrouve->setText(QString::fromUtf8(recap::Texte_Controle_Dossier(Texte(EditChemin_Dossier))));
    LabelFichierTrouve->adjustSize();
  });
}

void TForm1::Button_Calc_RecapClick() {
  recap::Clic_Calculer_Recap(
      Texte(EditChemin_Dossier), Texte(LabeledEdit_Mois), TOT_RUB, StringGridRecap->Grille(), Dernier_Calcul, Boites_,
      [this] {
        StringGridRecap->Rafraichir();
        Rafraichir_Resultats();
      },
      [](bool attente) { return std::make_shared<TCurseur>(attente ? Qt::WaitCursor : Qt::ArrowCursor); });
}

void TForm1::Imprimer() {
  recap::Sous_Garde(Boites_, [this] {
    if (!recap::Grille_A_Jour(Dernier_Calcul)) return;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    imprimante.setDocName(Texte_Qt(textes::Document_Imprime(Dernier_Calcul.Calcul->Mois)));
    if (!Dialogues_.Imprimer(imprimante)) return;
    const TCurseur occupe(Qt::WaitCursor);
    Imprimer_Recap_Qt(imprimante, StringGridRecap->Grille(), recap::Entete_Impression(Dernier_Calcul));
  });
}

void TForm1::Exporter_Pdf() {
  recap::Sous_Garde(Boites_, [this] {
    if (!recap::Grille_A_Jour(Dernier_Calcul)) return;
    const auto chemin = Dialogues_.Enregistrer(
        Texte_Qt(textes::Titre_Export_Pdf),
        Texte_Qt(recap::Chemin_Recap_Propose(plateforme::Dossier_Documents(), Dernier_Calcul.Calcul->Mois, ".pdf")),
        Texte_Qt(textes::Type_Fichiers_Pdf) + ";;" + Texte_Qt(textes::Type_Tous_Fichiers));
    if (!chemin) return;
    const TCurseur occupe(Qt::WaitCursor);
    const QByteArray pdf = Pdf_Recap(StringGridRecap->Grille(), recap::Entete_Impression(Dernier_Calcul));
    plateforme::Enregistrer_Fichier(QDir::toNativeSeparators(*chemin).toStdString(),
                                    std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
  });
}

bool TForm1::Calc_Total_Paies(const QString& Chemin, const QString& Mois) {
  return recap::Calc_Total_Paies(Chemin.toStdString(), Mois.toStdString(), TOT_RUB,
                                 [this](const std::string& texte) { Afficher_Message(texte); })
      .has_value();
}

// A message may come in the middle of a calculation: the grid shows where it stands and the
// user gets the normal cursor to answer it.
void TForm1::Afficher_Message(const std::string& texte) {
  StringGridRecap->Rafraichir();
  const TCurseur normal(Qt::ArrowCursor);
  Boites_.Message(texte);
}
