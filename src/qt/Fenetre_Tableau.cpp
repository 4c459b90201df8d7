#include "qt/Fenetre_Tableau.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/Accessibilite.h"
#include "qt/Apparence.h"
#include "qt/Tabulation.h"
#include "qt/Etiquette_Coupable.h"
#include "qt/Etiquette_Defilante.h"
#include "qt/Graphique_Qt.h"
#include "qt/Grille_Recap.h"
#include "recap/Avertissements.h"
#include "recap/Fenetre_Regles.h"

namespace {

using description::TGenre_Controle;

QKeySequence Sequence(const recap::TTouche& t) {
  const int touche = t.Code == recap::Touche_Echap ? Qt::Key_Escape : t.Code;
  return QKeySequence(t.Ctrl ? QKeyCombination(Qt::ControlModifier, static_cast<Qt::Key>(touche))
                             : QKeyCombination(static_cast<Qt::Key>(touche)));
}

// The screen's work area around the widget, as a frame of the core.
recap::TCadre Cadre(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

TFenetreTableau::TFenetreTableau(std::unique_ptr<recap::TModele_Fenetre> Modele, TBoitesMessages Boites,
                                 TDialoguesFichiers Dialogues, QWidget* Proprietaire)
    : QWidget(Proprietaire, Qt::Window), modele_(std::move(Modele)), boites_(std::move(Boites)),
      dialogues_(std::move(Dialogues)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_WindowPropagation);  // the main window's font
  Fond_Face_Bouton(this);
  Exposer_Fenetre(this);
  const description::TFenetre_Tableau& d = modele_->Description();
  resize(d.Largeur_Client, d.Hauteur_Client);
  const QRect zone = (Proprietaire != nullptr ? Proprietaire->screen() : QGuiApplication::primaryScreen())->availableGeometry();
  setMinimumSize(std::min(d.Largeur_Min, zone.width()), std::min(d.Hauteur_Min, zone.height()));

  disposition_ = new QVBoxLayout(this);
  disposition_->setContentsMargins(0, 0, 0, 0);
  disposition_->setSpacing(0);
  if (!d.Panneau.empty()) Creer_Panneau();
  GrilleTableau = new TStringGridRecap(this);
  GrilleTableau->setObjectName(description::Nom_Grille);
  GrilleTableau->Permettre_Tri();
  disposition_->addWidget(GrilleTableau, 1);
  if (d.Hauteur_Graphique > 0) {
    Graphique = new TGraphiqueQt(this);
    Graphique->setObjectName("Graphique");
    Graphique->setFixedHeight(d.Hauteur_Graphique);
    disposition_->addWidget(Graphique);
  }

  LabelResumeTableau = new TEtiquetteCoupable(this);
  LabelResumeTableau->setObjectName(description::Nom_Resume);
  LabelResumeTableau->setContentsMargins(description::Marge_Resume_X, description::Marge_Resume_Y,
                                         description::Marge_Resume_X, description::Marge_Resume_Y);
  // A summary of fixed lines keeps their room, so that the grid does not jump from one click to
  // the next; the others take their own lines' room.
  if (d.Lignes_Resume > 0)
    LabelResumeTableau->setFixedHeight(d.Lignes_Resume * fontMetrics().lineSpacing() + 2 * description::Marge_Resume_Y);
  disposition_->addWidget(LabelResumeTableau);

  LabelAvertissementsTableau = new TEtiquetteDefilante(this);
  LabelAvertissementsTableau->setObjectName(description::Nom_Avertissements);
  LabelAvertissementsTableau->setVisible(false);
  Couleur_Texte(LabelAvertissementsTableau->Etiquette(), description::Couleur_Erreur);
  disposition_->addWidget(LabelAvertissementsTableau);

  Annoncer_Changements(LabelResumeTableau, textes::Description_Resume_Tableau);
  Annoncer_Changements(LabelAvertissementsTableau->Etiquette(), textes::Description_Avertissements);
  Commandes = Creer_Commandes(*this, *GrilleTableau, Genre(), [this](recap::TCommande c) { Executer(c); });
  for (const recap::TTouche& t : recap::Touches_Fermeture(Genre())) {
    auto* fermer = new QShortcut(Sequence(t), this);
    fermer->setContext(Qt::WindowShortcut);
    connect(fermer, &QShortcut::activated, this, &QWidget::close);
  }
  connect(GrilleTableau, &TStringGridRecap::Rangee_Activee, this, &TFenetreTableau::Activer_Rangee);
  connect(GrilleTableau, &TStringGridRecap::Entete_Cliquee, this, [this](int colonne) {
    modele_->Vue = recap::Cliquer_Entete(modele_->Vue, colonne);
    Afficher();
  });
  Demarrer();
  GrilleTableau->setFocus();  // the table is what the user works on, as in the main window
}

TFenetreTableau::~TFenetreTableau() = default;

recap::TGenre_Fenetre TFenetreTableau::Genre() const { return modele_->Genre(); }

void TFenetreTableau::Creer_Panneau() {
  const description::TFenetre_Tableau& d = modele_->Description();
  PanelTableau = new QFrame(this);
  PanelTableau->setObjectName(description::Nom_Panneau);
  PanelTableau->setFixedHeight(d.Hauteur_Panneau);
  PanelTableau->setFrameShape(QFrame::Panel);
  PanelTableau->setFrameShadow(QFrame::Raised);
  Fond_Face_Bouton(PanelTableau);
  disposition_->addWidget(PanelTableau);
  QLabel* libelle = nullptr;  // names the control that follows it
  for (const description::TControle_Panneau& c : d.Panneau) {
    QWidget* w = nullptr;
    switch (c.Genre) {
      case TGenre_Controle::Libelle: w = libelle = new QLabel(Texte_Qt(c.Texte), PanelTableau); break;
      case TGenre_Controle::Champ: {
        auto* champ = new QLineEdit(PanelTableau);
        connect(champ, &QLineEdit::returnPressed, this, &TFenetreTableau::Valider);
        Champs.push_back(champ);
        w = champ;
        break;
      }
      case TGenre_Controle::Bouton:
        w = Bouton = new QPushButton(Texte_Qt(c.Texte), PanelTableau);
        connect(Bouton, &QPushButton::clicked, this, &TFenetreTableau::Valider);
        break;
      case TGenre_Controle::Case:
        w = CaseFiltre = new QCheckBox(Texte_Qt(c.Texte), PanelTableau);
        connect(CaseFiltre, &QCheckBox::toggled, this, [this](bool coche) {
          modele_->Vue.Seulement_A_Signaler = coche;
          Afficher();
        });
        break;
    }
    w->setObjectName(c.Nom);
    if (c.Width > 0)
      w->setGeometry(c.Left, c.Top, c.Width, c.Height);
    else {
      w->move(c.Left, c.Top);
      w->adjustSize();
    }
    if (c.Genre != TGenre_Controle::Libelle && libelle != nullptr) {
      libelle->setBuddy(w);  // its Alt letter comes here, and screen readers name the field after it
      libelle = nullptr;
    }
  }
}

void TFenetreTableau::Remplacer(std::unique_ptr<recap::TModele_Fenetre> Modele) {
  modele_ = std::move(Modele);
  Demarrer();
}

void TFenetreTableau::Demarrer() {
  if (CaseFiltre != nullptr) modele_->Vue.Seulement_A_Signaler = CaseFiltre->isChecked();
  for (size_t i = 0; i < Champs.size() && i < modele_->Champs.size(); ++i) Champs[i]->setText(Texte_Qt(modele_->Champs[i]));
  if (PanelTableau != nullptr)
    Valider();
  else
    Afficher();
}

void TFenetreTableau::Valider() {
  for (size_t i = 0; i < Champs.size() && i < modele_->Champs.size(); ++i) modele_->Champs[i] = Champs[i]->text().toStdString();
  modele_->Valider(boites_, Curseur_Qt());
  Afficher();
}

void TFenetreTableau::Afficher() {
  const recap::TContenu_Fenetre contenu = modele_->Contenu();
  setWindowTitle(Texte_Qt(contenu.Tableau.Titre));
  GrilleTableau->setAccessibleName(Texte_Qt(contenu.Tableau.Titre));
  GrilleTableau->Afficher(contenu.Tableau);
  if (Graphique != nullptr) Graphique->Afficher(contenu.Tableau);
  Changer_Texte(LabelResumeTableau, Texte_Qt(contenu.Resume));
  LabelAvertissementsTableau->Montrer(Texte_Qt(recap::Texte_Avertissements(contenu.Tableau.Avertissements)), height());
  etat_ = contenu.Etat;
  Commandes.Griser(etat_);
}

void TFenetreTableau::resizeEvent(QResizeEvent* evenement) {
  QWidget::resizeEvent(evenement);
  if (LabelAvertissementsTableau != nullptr) LabelAvertissementsTableau->Ajuster_Hauteur(height());
}

bool TFenetreTableau::focusNextPrevChild(bool suivant) {
  std::vector<QWidget*> ordre(Champs.begin(), Champs.end());
  for (QWidget* w : {static_cast<QWidget*>(Bouton), static_cast<QWidget*>(CaseFiltre), static_cast<QWidget*>(GrilleTableau)})
    if (w != nullptr) ordre.push_back(w);
  return Tabuler(ordre, suivant);
}

void TFenetreTableau::Executer(recap::TCommande Commande) {
  recap::Sous_Garde(boites_, [&] {
    recap::Executer_Commande(Commande, GrilleTableau->Tableau(), etat_, Services_Qt(*GrilleTableau, dialogues_));
  });
}

void TFenetreTableau::Activer_Rangee() {
  recap::Sous_Garde(boites_, [&] {
    const QModelIndex c = GrilleTableau->currentIndex();
    auto ouverte = modele_->Activer(GrilleTableau->Tableau(), GrilleTableau->Colonne_Tableau(c.column()), c.row() + 1, boites_,
                                    Curseur_Qt());
    if (ouverte) Montrer_Fenetre(new TFenetreTableau(std::move(ouverte), boites_, dialogues_, this), this);
  });
}

void Montrer_Fenetre(TFenetreTableau* Fenetre, const QWidget* Source) {
  // The new frame's edges are taken to be its source's: it has none before it shows.
  const QRect source = Source->frameGeometry(), client = Source->geometry();
  const int bords_x = source.width() - client.width(), bords_y = source.height() - client.height();
  std::vector<recap::TCadre> ouvertes;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != Fenetre && w->isVisible() && qobject_cast<TFenetreTableau*>(w) != nullptr) ouvertes.push_back(Cadre(w->frameGeometry()));
  const recap::TCadre c =
      recap::Placer_Fenetre(Cadre(source), Fenetre->width() + bords_x, Fenetre->height() + bords_y,
                            Cadre(Source->screen()->availableGeometry()), ouvertes, description::Decalage_Fenetres);
  Fenetre->resize(c.Largeur - bords_x, c.Hauteur - bords_y);
  Fenetre->move(c.Gauche, c.Haut);
  Fenetre->show();
}
