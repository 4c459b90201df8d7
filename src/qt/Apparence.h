// How the program's windows look beyond Qt's defaults: the description's font, the button face
// behind them, the error colour of the warnings.
#pragma once

#include <QString>
#include <string>

#include "forms/Description_Form1.h"

class QWidget;

// A text of the core (UTF-8) as Qt shows it.
inline QString Texte_Qt(const std::string& utf8) { return QString::fromUtf8(utf8); }

// The description's font exists only on Windows; elsewhere the nearest in metrics stands in, so
// that the captions fit where they were designed. Once per program.
void Substituer_Police();

// The window or panel drawn in the button face colour.
void Fond_Face_Bouton(QWidget* w);

// The widget's text in that colour.
void Couleur_Texte(QWidget* w, const description::TCouleur& c);
