#include "KORVEX_Calcul_Recap.h"

#include <QAction>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>

#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
#include "platform/Textes.h"
#include "recap/Recap.h"
#include "gui/Edit_Etiquete.h"
#include "gui/Grille_Recap.h"
#include "gui/Impression_Qt.h"
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

// Shows the grid's contents when the click ends, however it ends: rows written before an
// error must be on screen when the error box appears.
class TAffichageFinal {
public:
  explicit TAffichageFinal(TStringGridRecap& grille) : grille_(grille) {}
  ~TAffichageFinal() {
    try {
      grille_.Rafraichir();
    } catch (...) {
    }
  }
  TAffichageFinal(const TAffichageFinal&) = delete;
  TAffichageFinal& operator=(const TAffichageFinal&) = delete;

private:
  TStringGridRecap& grille_;
};

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

  move(198, 114);  // placed where designed
  Fond_Face_Bouton(this);
  Fond_Face_Bouton(Panel1);
  Label1->adjustSize();
  StringGridRecap->setFocus();

  // Connected once the description has set the default folder: that assignment is no change.
  connect(EditChemin_Dossier, &QLineEdit::textChanged, this, &TForm1::EditChemin_DossierChange);
  connect(Button_Calc_Recap, &QPushButton::clicked, this, &TForm1::Button_Calc_RecapClick);

  Action_Imprimer = new QAction(QString::fromUtf8(textes::Action_Imprimer), this);
  Action_Imprimer->setShortcut(QKeySequence::Print);
  Action_Exporter_Pdf = new QAction(QString::fromUtf8(textes::Action_Exporter_Pdf), this);
  addActions({Action_Imprimer, Action_Exporter_Pdf});
  connect(Action_Imprimer, &QAction::triggered, this, &TForm1::Action_ImprimerExecute);
  connect(Action_Exporter_Pdf, &QAction::triggered, this, &TForm1::Action_Exporter_PdfExecute);
  Actions_Impression();
  FormCreate();
}

void TForm1::FormCreate() { EditChemin_DossierChange(); }

void TForm1::EditChemin_DossierChange() {
  Sous_Garde([this] {
    const bool trouve = plateforme::Fichier_Existe(Texte(EditChemin_Dossier) + "\\PAIES.DTA");
    LabelFichierTrouve->setText(QString::fromUtf8(trouve ? textes::Dossier_OK : textes::Dossier_Pas_KORVEX));
    LabelFichierTrouve->adjustSize();
  });
}

void TForm1::Button_Calc_RecapClick() {
  Sous_Garde([this] {
    const TCurseur occupe(Qt::WaitCursor);
    const TAffichageFinal affichage(*StringGridRecap);
    recap::Calculer_Recap_Imprimable(Texte(EditChemin_Dossier), Texte(LabeledEdit_Mois), TOT_RUB,
                                     StringGridRecap->Grille(),
                                     [this](const std::string& texte) { Afficher_Message(texte); }, Calcul_Affiche_);
  });
  Actions_Impression();
}

void TForm1::Actions_Impression() {
  Action_Imprimer->setEnabled(Calcul_Affiche_.has_value());
  Action_Exporter_Pdf->setEnabled(Calcul_Affiche_.has_value());
}

void TForm1::Action_ImprimerExecute() {
  Sous_Garde([this] {
    if (!Calcul_Affiche_) return;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    imprimante.setDocName(QString::fromStdString(textes::Document_Imprime(Calcul_Affiche_->Mois)));
    if (!Dialogues_.Imprimer(imprimante)) return;
    const TCurseur occupe(Qt::WaitCursor);
    Imprimer_Recap_Qt(imprimante, StringGridRecap->Grille(), *Calcul_Affiche_);
  });
}

void TForm1::Action_Exporter_PdfExecute() {
  Sous_Garde([this] {
    if (!Calcul_Affiche_) return;
    const QString propose = QDir(QString::fromStdString(plateforme::Dossier_Documents()))
                                .filePath(QString::fromStdString(recap::Nom_Pdf_Propose(Calcul_Affiche_->Mois)));
    const auto chemin = Dialogues_.Enregistrer(QString::fromUtf8(textes::Titre_Export_Pdf),
                                               QDir::toNativeSeparators(propose), QString::fromUtf8(textes::Filtre_Pdf));
    if (!chemin) return;
    const TCurseur occupe(Qt::WaitCursor);
    const QByteArray pdf = Pdf_Recap(StringGridRecap->Grille(), *Calcul_Affiche_);
    plateforme::Enregistrer_Fichier(chemin->toStdString(), std::string_view(pdf.constData(), size_t(pdf.size())));
  });
}

bool TForm1::Calc_Total_Paies(const QString& Chemin, const QString& Mois) {
  return recap::Calc_Total_Paies(Chemin.toStdString(), Mois.toStdString(), TOT_RUB,
                                 [this](const std::string& texte) { Afficher_Message(texte); });
}

void TForm1::Sous_Garde(const std::function<void()>& travail) {
  plateforme::Executer_Sous_Garde([this](const std::string& texte) { Boites_.Erreur(texte); }, travail);
}

// A message may come in the middle of a calculation: the grid shows where it stands and the
// user gets the normal cursor to answer it.
void TForm1::Afficher_Message(const std::string& texte) {
  StringGridRecap->Rafraichir();
  const TCurseur normal(Qt::ArrowCursor);
  Boites_.Message(texte);
}
