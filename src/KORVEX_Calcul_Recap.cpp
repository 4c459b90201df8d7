#include "KORVEX_Calcul_Recap.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "forms/Description_Form1.h"
#include "platform/Textes.h"
#include "qt/Accessibilite.h"
#include "qt/Apparence.h"
#include "qt/Edit_Etiquete.h"
#include "qt/Etiquette_Defilante.h"
#include "qt/Fenetre_Tableau.h"
#include "qt/Grille_Recap.h"
#include "qt/Tabulation.h"
#include "recap/Fenetre_Regles.h"
#include "recap/Fenetre_Detail.h"
#include "recap/Fenetre_Tableau.h"
#include "ui_KORVEX_Calcul_Recap.h"

namespace {

std::string Texte(const QLineEdit* champ) { return champ->text().toStdString(); }

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
  LabelAvertissements = ui.LabelAvertissements;

  move(description::Form1.Left, description::Form1.Top);  // placed where designed
  Exposer_Fenetre(this);
  Fond_Face_Bouton(this);
  Fond_Face_Bouton(Panel1);
  Couleur_Texte(LabelAvertissements->Etiquette(), description::Couleur_Erreur);
  Label1->adjustSize();
  StringGridRecap->setFocus();
  // Screen readers name the folder field after its caption, as the month field is.
  Label1->setBuddy(EditChemin_Dossier);
  StringGridRecap->setAccessibleName(QString::fromUtf8(textes::Nom_Grille_Accessible));
  Annoncer_Changements(LabelFichierTrouve, textes::Description_Controle_Dossier);
  Annoncer_Changements(LabelResume, textes::Description_Resume);
  Annoncer_Changements(LabelAvertissements->Etiquette(), textes::Description_Avertissements);

  // Connected once the description has set the default folder: that assignment is no change.
  connect(EditChemin_Dossier, &QLineEdit::textChanged, this, &TForm1::EditChemin_DossierChange);
  connect(Button_Calc_Recap, &QPushButton::clicked, this, &TForm1::Button_Calc_RecapClick);
  Commandes = Creer_Commandes(*this, *StringGridRecap, recap::TGenre_Fenetre::Recap,
                              [this](recap::TCommande c) { Executer(c); });
  // Ctrl+D and the detail entry follow the current row.
  connect(StringGridRecap->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { Commandes.Griser(Etat_Commandes()); });
  Afficher_Calcul();
  FormCreate();
}

void TForm1::Afficher_Calcul() {
  StringGridRecap->Afficher(recap::Tableau_Affiche(Cellules_Recap, TOT_RUB, Dernier_Calcul));
  Changer_Texte(LabelResume, Texte_Qt(recap::Texte_Resume(Dernier_Calcul)));
  Placer_Textes();
  LabelAvertissements->Montrer(Texte_Qt(recap::Texte_Avertissements(recap::Avertissements_Affiches(Dernier_Calcul))),
                               height());
  Commandes.Griser(Etat_Commandes());
}

void TForm1::Placer_Textes() {
  const auto& resume = description::Controle("LabelResume");
  // The check on one line while it fits, else wrapped at the summary's width.
  const QSize une_ligne = LabelFichierTrouve->sizeHint();
  if (une_ligne.width() <= resume.Width)
    LabelFichierTrouve->resize(une_ligne);
  else
    LabelFichierTrouve->resize(resume.Width, LabelFichierTrouve->heightForWidth(resume.Width));
  const int lignes = LabelResume->heightForWidth(resume.Width);
  const recap::TPanel1 p = recap::Disposer_Panel1(LabelFichierTrouve->height(), lignes, 96);
  LabelResume->setGeometry(resume.Left, p.Haut_Resume, resume.Width, std::max(resume.Height, lignes));
  Panel1->setFixedHeight(p.Hauteur);
}

bool TForm1::focusNextPrevChild(bool suivant) {
  return Tabuler({StringGridRecap, EditChemin_Dossier, LabeledEdit_Mois, Button_Calc_Recap}, suivant);
}

void TForm1::resizeEvent(QResizeEvent* evenement) {
  QWidget::resizeEvent(evenement);
  if (LabelAvertissements != nullptr) LabelAvertissements->Ajuster_Hauteur(height());
}

recap::TEtat_Commandes TForm1::Etat_Commandes() const {
  return recap::Etat_Commandes(Dernier_Calcul, StringGridRecap->Tableau(), StringGridRecap->currentIndex().row() + 1,
                               Dossier_KORVEX_);
}

void TForm1::Executer(recap::TCommande Commande) {
  recap::Sous_Garde(Boites_, [&] {
    recap::TServices_Fenetre services = Services_Qt(*StringGridRecap, Dialogues_);
    services.Ouvrir_Comparaison = [this] { Ouvrir_Comparaison(); };
    services.Ouvrir_Detail = [this](int rubrique) { Ouvrir_Detail(rubrique); };
    services.Ouvrir_Cumuls = [this] { Ouvrir_Cumuls(); };
    services.Ouvrir_Controles = [this] { Ouvrir_Controles(); };
    recap::Executer_Commande(Commande, StringGridRecap->Tableau(), Etat_Commandes(), services);
  });
}

TFenetreTableau* TForm1::Fenetre_Comparaison() const { return Comparaison_; }

void TForm1::Ouvrir_Unique(QPointer<TFenetreTableau>& Fenetre, std::unique_ptr<recap::TModele_Fenetre> Modele) {
  if (Fenetre.isNull()) {
    Fenetre = new TFenetreTableau(std::move(Modele), Boites_, Dialogues_, this);
    Montrer_Fenetre(Fenetre, this);
  } else {
    Fenetre->Remplacer(std::move(Modele));
  }
  Fenetre->raise();
  Fenetre->activateWindow();
}

void TForm1::Ouvrir_Comparaison() {
  if (Dernier_Calcul.Calcul) Ouvrir_Unique(Comparaison_, recap::Modele_Comparaison(*Dernier_Calcul.Calcul));
}

void TForm1::Ouvrir_Cumuls() { Ouvrir_Unique(Cumuls_, recap::Modele_Cumuls(Texte(EditChemin_Dossier), Texte(LabeledEdit_Mois))); }

void TForm1::Ouvrir_Controles() {
  if (Dernier_Calcul.Calcul) Ouvrir_Unique(Controles_, recap::Modele_Controles(*Dernier_Calcul.Calcul));
}

void TForm1::Ouvrir_Detail(int Rubrique) {
  auto detail = recap::Clic_Detail(Dernier_Calcul, Rubrique, Boites_, Curseur_Qt());
  if (detail) Montrer_Fenetre(new TFenetreTableau(recap::Modele_Detail(std::move(*detail)), Boites_, Dialogues_, this), this);
}

void TForm1::FormCreate() { EditChemin_DossierChange(); }

void TForm1::EditChemin_DossierChange() {
  recap::Sous_Garde(Boites_, [this] {
    const recap::TControle_Dossier controle = recap::Controler_Dossier(Texte(EditChemin_Dossier));
    Dossier_KORVEX_ = controle.KORVEX;
    Changer_Texte(LabelFichierTrouve, QString::fromStdString(controle.Texte));
    Placer_Textes();
    Commandes.Griser(Etat_Commandes());  // the cumuls follow the folder
  });
}

void TForm1::Button_Calc_RecapClick() {
  const int precedent = Dernier_Calcul.Numero;
  recap::Clic_Calculer_Recap(Texte(EditChemin_Dossier), Texte(LabeledEdit_Mois), TOT_RUB, Cellules_Recap,
                             Dernier_Calcul, Boites_,
                             [this, precedent] {
                               Afficher_Calcul();
                               // A new calculation shows from its first cell, nothing of the last one selected.
                               if (Dernier_Calcul.Numero != precedent) StringGridRecap->Revenir_Au_Debut();
                             },
                             Curseur_Qt());
}

