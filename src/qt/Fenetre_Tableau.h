// The table windows opened from the main window's recap (the comparison with another month, a
// rubric's detail) and from their rows: one class built from its kind's description, around a
// model of the core that decides what it shows. It draws the model's table in the grid widget,
// its summary and its warnings under it, has the context menu and shortcuts of its kind from
// the command table, and passes the user's clicks on.
#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "qt/Boites_Messages.h"
#include "qt/Commandes_Qt.h"
#include "qt/Dialogues_Fichiers.h"
#include "recap/Fenetre_Tableau.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class TEtiquetteDefilante;
class TGraphiqueQt;
class TStringGridRecap;

class TFenetreTableau : public QWidget {
  Q_OBJECT

public:
  // A window of its own (modeless), owned by Proprietaire, whose font it takes; messages and
  // errors go to Boites, as the main window's do. A window with a panel is validated at once.
  TFenetreTableau(std::unique_ptr<recap::TModele_Fenetre> Modele, TBoitesMessages Boites, TDialoguesFichiers Dialogues,
                  QWidget* Proprietaire);
  ~TFenetreTableau() override;

  recap::TGenre_Fenetre Genre() const;
  // Starts again from this model of the same kind: its fields, validated at once.
  void Remplacer(std::unique_ptr<recap::TModele_Fenetre> Modele);

  // A control of the panel by its name in the description; null when this window has none.
  template <class T>
  T* Controle(std::string_view Nom) const {
    return findChild<T*>(QString::fromUtf8(Nom.data(), static_cast<qsizetype>(Nom.size())));
  }

  TStringGridRecap* GrilleTableau = nullptr;
  QLabel* LabelResumeTableau = nullptr;
  TEtiquetteDefilante* LabelAvertissementsTableau = nullptr;
  TGraphiqueQt* Graphique = nullptr;  // the chart under the grid, for the kinds that have one
  QFrame* PanelTableau = nullptr;
  std::vector<QLineEdit*> Champs;  // the panel's fields, in the description's order
  QPushButton* Bouton = nullptr;
  QCheckBox* CaseFiltre = nullptr;
  TActions_Commandes Commandes;

public slots:
  // The panel's button, or Enter in one of its fields.
  void Valider();

protected:
  void resizeEvent(QResizeEvent* evenement) override;
  // Tab and Shift+Tab go round this window's controls alone.
  bool focusNextPrevChild(bool suivant) override;

private:
  void Creer_Panneau();
  // The model's fields in the panel, then validated; without a panel, shown.
  void Demarrer();
  // What the model shows, in the widgets; the entries greyed as its state says.
  void Afficher();
  void Executer(recap::TCommande Commande);
  void Activer_Rangee();

  std::unique_ptr<recap::TModele_Fenetre> modele_;
  QVBoxLayout* disposition_;
  const TBoitesMessages boites_;
  const TDialoguesFichiers dialogues_;
  recap::TEtat_Commandes etat_;
};

// Shows Fenetre, opened from Source, where the window rules put it: beside Source, inside the
// work area of its screen, clear of the corners of the table windows already open.
void Montrer_Fenetre(TFenetreTableau* Fenetre, const QWidget* Source);
