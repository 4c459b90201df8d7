// The core's command table turned into Qt: one QAction per entry, in the grid's context menu in
// the table's order, its shortcut on the grid or on the whole window as the entry says, greyed
// as its rule says. What each entry does is the core's (recap::Executer_Commande).
#pragma once

#include <QPointer>
#include <functional>
#include <utility>
#include <vector>

#include "qt/Dialogues_Fichiers.h"
#include "recap/Commandes.h"

class QAction;
class QMenu;
class QWidget;
class TStringGridRecap;

struct TActions_Commandes {
  QMenu* Menu = nullptr;  // the grid's context menu
  std::vector<std::pair<recap::TCommande, QAction*>> Actions;

  // The entry's action; nullptr when the window has no such entry.
  QAction* Action(recap::TCommande Commande) const;
  // Each action enabled as its rule says in this state.
  void Griser(const recap::TEtat_Commandes& Etat) const;
};

// The actions of a window of that kind, owned by the window; each runs Executer. The grid's
// context menu opens on a right click, the menu key and Shift+F10.
TActions_Commandes Creer_Commandes(QWidget& Fenetre, TStringGridRecap& Grille, recap::TGenre_Fenetre Genre,
                                   const std::function<void(recap::TCommande)>& Executer);

// What the Qt windows can do for the commands, through their grid and their dialogs.
inline constexpr recap::TCapacites Capacites_Qt{true};
recap::TServices_Fenetre Services_Qt(TStringGridRecap& Grille, const TDialoguesFichiers& Dialogues);

// The mouse cursor, as the application's override for as long as the returned object lives.
recap::TCurseur Curseur_Qt();
