#include "qt/Fenetre_Tableau.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "platform/Textes.h"
#include "qt/Accessibilite.h"
#include "qt/Apparence.h"
#include "qt/Etiquette_Defilante.h"
#include "qt/Grille_Recap.h"

namespace {

using description::Controle_Tableau;

// A control of the panel where the description puts it.
template <class T>
T* Placer(T* w, const description::TControle& c) {
  w->setObjectName(QString::fromUtf8(c.Nom));
  if (c.Width > 0)
    w->setGeometry(c.Left, c.Top, c.Width, c.Height);
  else
    w->move(c.Left, c.Top);
  return w;
}

QLabel* Libelle(QWidget* panel, const description::TControle& c, QWidget* champ) {
  auto* l = Placer(new QLabel(Texte_Qt(c.Texte), panel), c);
  l->adjustSize();
  l->setBuddy(champ);  // the field is named after it
  return l;
}

}  // namespace

// ---- Every table window ----

const description::TFenetre_Tableau& Description_Fenetre(recap::TGenre_Fenetre Genre) {
  return Genre == recap::TGenre_Fenetre::Comparaison ? description::Fenetre_Comparaison : description::Fenetre_Detail;
}

TFenetreTableau::TFenetreTableau(recap::TGenre_Fenetre Genre_Fenetre, TBoitesMessages Boites,
                                 TDialoguesFichiers Dialogues, QWidget* Proprietaire)
    : QWidget(Proprietaire, Qt::Window), Genre(Genre_Fenetre), Boites_(std::move(Boites)),
      Dialogues_(std::move(Dialogues)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_WindowPropagation);  // the main window's font
  Fond_Face_Bouton(this);
  resize(Description_Fenetre(Genre).Largeur_Client, Description_Fenetre(Genre).Hauteur_Client);

  Disposition = new QVBoxLayout(this);
  Disposition->setContentsMargins(0, 0, 0, 0);
  Disposition->setSpacing(0);
  GrilleTableau = new TStringGridRecap(this);
  GrilleTableau->setObjectName("GrilleTableau");
  Disposition->addWidget(GrilleTableau, 1);

  const auto& resume = Controle_Tableau("LabelResumeTableau");
  LabelResumeTableau = new QLabel(this);
  LabelResumeTableau->setObjectName(resume.Nom);
  LabelResumeTableau->setWordWrap(true);
  LabelResumeTableau->setTextFormat(Qt::PlainText);
  LabelResumeTableau->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // As far from both edges as the description puts it from the left, whatever the window's width.
  LabelResumeTableau->setContentsMargins(resume.Left, 4, resume.Left, 0);
  // The comparison's lines keep their room, so that the grid does not jump from one click to
  // the next; the detail's one line takes only its own.
  if (Genre == recap::TGenre_Fenetre::Comparaison)
    LabelResumeTableau->setFixedHeight(resume.Height);
  else
    LabelResumeTableau->setMaximumHeight(resume.Height);
  Disposition->addWidget(LabelResumeTableau);

  const auto& avertissements = Controle_Tableau("LabelAvertissementsTableau");
  LabelAvertissementsTableau = new TEtiquetteDefilante(this);
  LabelAvertissementsTableau->setObjectName(avertissements.Nom);
  LabelAvertissementsTableau->setFixedHeight(avertissements.Height);
  LabelAvertissementsTableau->setVisible(!avertissements.Cache);
  Couleur_Texte(LabelAvertissementsTableau->Etiquette(), description::Couleur_Erreur);
  Disposition->addWidget(LabelAvertissementsTableau);

  Annoncer_Changements(LabelResumeTableau, textes::Description_Resume_Tableau);
  Annoncer_Changements(LabelAvertissementsTableau->Etiquette(), textes::Description_Avertissements);
  Commandes = Creer_Commandes(*this, *GrilleTableau, Genre, [this](recap::TCommande c) { Executer(c); });
}

void TFenetreTableau::Afficher(const recap::TTableau& Tableau, const std::string& Resume,
                               const recap::TEtat_Commandes& Etat) {
  setWindowTitle(Texte_Qt(Tableau.Titre));
  GrilleTableau->setAccessibleName(Texte_Qt(Tableau.Titre));
  GrilleTableau->Afficher(Tableau);
  LabelResumeTableau->setText(Texte_Qt(Resume));
  QStringList avertissements;
  for (const std::string& a : Tableau.Avertissements) avertissements << Texte_Qt(a);
  LabelAvertissementsTableau->Etiquette()->setText(avertissements.join('\n'));
  LabelAvertissementsTableau->setVisible(!avertissements.isEmpty());
  Etat_ = Etat;
  Commandes.Griser(Etat_);
}

void TFenetreTableau::Executer(recap::TCommande Commande) {
  recap::Sous_Garde(Boites_, [&] {
    recap::Executer_Commande(Commande, GrilleTableau->Tableau(), Etat_, Services_Qt(*GrilleTableau, Dialogues_));
  });
}

// ---- A rubric's detail ----

TFenetreDetail::TFenetreDetail(const recap::TDetail& Detail, TBoitesMessages Boites, TDialoguesFichiers Dialogues,
                               QWidget* Proprietaire)
    : TFenetreTableau(recap::TGenre_Fenetre::Detail, std::move(Boites), std::move(Dialogues), Proprietaire) {
  Afficher(recap::Tableau_Detail(Detail), recap::Texte_Resume(Detail), recap::Etat_Commandes(Detail));
  GrilleTableau->setFocus();
}

// ---- The comparison ----

TFenetreComparaison::TFenetreComparaison(TBoitesMessages Boites, TDialoguesFichiers Dialogues, QWidget* Proprietaire)
    : TFenetreTableau(recap::TGenre_Fenetre::Comparaison, std::move(Boites), std::move(Dialogues), Proprietaire) {
  const auto& panel = Controle_Tableau("PanelComparaison");
  PanelComparaison = new QFrame(this);
  PanelComparaison->setObjectName(panel.Nom);
  PanelComparaison->setFixedHeight(panel.Height);
  PanelComparaison->setFrameShape(QFrame::Panel);
  PanelComparaison->setFrameShadow(QFrame::Raised);
  Fond_Face_Bouton(PanelComparaison);
  Disposition->insertWidget(0, PanelComparaison);

  EditMoisReference = Placer(new QLineEdit(PanelComparaison), Controle_Tableau("EditMoisReference"));
  EditSeuil = Placer(new QLineEdit(PanelComparaison), Controle_Tableau("EditSeuil"));
  ButtonComparer = Placer(new QPushButton(Texte_Qt(textes::Bouton_Comparer), PanelComparaison),
                          Controle_Tableau("ButtonComparer"));
  Libelle(PanelComparaison, Controle_Tableau("LabelMoisReference"), EditMoisReference);
  Libelle(PanelComparaison, Controle_Tableau("LabelSeuil"), EditSeuil);
  setTabOrder(EditMoisReference, EditSeuil);
  setTabOrder(EditSeuil, ButtonComparer);
  setTabOrder(ButtonComparer, GrilleTableau);

  connect(ButtonComparer, &QPushButton::clicked, this, &TFenetreComparaison::ButtonComparerClick);
  // Enter in a field compares, as the button would.
  connect(EditMoisReference, &QLineEdit::returnPressed, this, &TFenetreComparaison::ButtonComparerClick);
  connect(EditSeuil, &QLineEdit::returnPressed, this, &TFenetreComparaison::ButtonComparerClick);
}

void TFenetreComparaison::Initialiser(const recap::TCalcul& Calcul) {
  Etat_Comparaison_ = recap::Ouvrir_Comparaison(Calcul);
  EditMoisReference->setText(Texte_Qt(Etat_Comparaison_.Mois_Reference));
  EditSeuil->setText(Texte_Qt(Etat_Comparaison_.Seuil));
  ButtonComparerClick();
}

void TFenetreComparaison::ButtonComparerClick() {
  Etat_Comparaison_.Mois_Reference = EditMoisReference->text().toStdString();
  Etat_Comparaison_.Seuil = EditSeuil->text().toStdString();
  recap::Clic_Comparer(Etat_Comparaison_, Boites_, Curseur_Qt());
  Afficher_Comparaison();
}

void TFenetreComparaison::Afficher_Comparaison() {
  Afficher(recap::Tableau_Affiche(Etat_Comparaison_), recap::Texte_Resume(Etat_Comparaison_),
           recap::Etat_Commandes(Etat_Comparaison_));
}
