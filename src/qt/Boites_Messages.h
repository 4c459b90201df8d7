// The program's two message boxes, behind one small interface so that tests record them
// instead of blocking on a modal box.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "recap/Fenetre.h"

class QDialog;
class QMessageBox;

using TBoitesMessages = recap::TBoitesMessages;

// The real boxes, modal, captioned with the application title (the application name).
TBoitesMessages Boites_Qt();

// The boxes themselves, built but not shown.
// Plain: no icon, text wrapping at half the screen's width, one "OK" that Enter and Escape
// close, centred on the screen.
std::unique_ptr<QDialog> Creer_Boite_Message(const QString& texte);
// Error: critical icon, one OK.
std::unique_ptr<QMessageBox> Creer_Boite_Erreur(const QString& texte);
