#include "KORVEX_Calcul_Recap.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "forms/Description_Form1.h"
#include "recap/Fenetre.h"
#include "gui/Edit_Etiquete.h"
#include "gui/Grille_Recap.h"
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

TForm1::TForm1(TBoitesMessages Boites, QWidget* parent) : QWidget(parent), Boites_(std::move(Boites)) {
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

  move(description::Form1.Left, description::Form1.Top);  // placed where designed
  Fond_Face_Bouton(this);
  Fond_Face_Bouton(Panel1);
  Label1->adjustSize();
  StringGridRecap->setFocus();

  // Connected once the description has set the default folder: that assignment is no change.
  connect(EditChemin_Dossier, &QLineEdit::textChanged, this, &TForm1::EditChemin_DossierChange);
  connect(Button_Calc_Recap, &QPushButton::clicked, this, &TForm1::Button_Calc_RecapClick);
  FormCreate();
}

void TForm1::FormCreate() { EditChemin_DossierChange(); }

void TForm1::EditChemin_DossierChange() {
  recap::Sous_Garde(Boites_, [this] {
    LabelFichierTrouve->setText(QString::fromUtf8(recap::Texte_Controle_Dossier(Texte(EditChemin_Dossier))));
    LabelFichierTrouve->adjustSize();
  });
}

void TForm1::Button_Calc_RecapClick() {
  const TCurseur occupe(Qt::WaitCursor);
  // The user answers a box with the normal cursor.
  const auto curseur_normal = [](const std::function<void(const std::string&)>& boite) {
    return [&boite](const std::string& texte) {
      const TCurseur normal(Qt::ArrowCursor);
      boite(texte);
    };
  };
  const recap::TBoitesMessages boites{curseur_normal(Boites_.Message), curseur_normal(Boites_.Erreur)};
  recap::Clic_Calculer_Recap(Texte(EditChemin_Dossier), Texte(LabeledEdit_Mois), TOT_RUB, StringGridRecap->Grille(),
                             boites, [this] { StringGridRecap->Rafraichir(); });
}

bool TForm1::Calc_Total_Paies(const QString& Chemin, const QString& Mois) {
  return recap::Calc_Total_Paies(Chemin.toStdString(), Mois.toStdString(), TOT_RUB,
                                 [this](const std::string& texte) { Afficher_Message(texte); });
}

// A message may come in the middle of a calculation: the grid shows where it stands and the
// user gets the normal cursor to answer it.
void TForm1::Afficher_Message(const std::string& texte) {
  StringGridRecap->Rafraichir();
  const TCurseur normal(Qt::ArrowCursor);
  Boites_.Message(texte);
}
