// What a screen reader hears of the windows beyond what Qt gives every control.
#pragma once

class QLabel;
class QString;
class QWidget;

// The top-level window is a frame named by its title: a plain widget would be a filler.
void Exposer_Fenetre(QWidget* fenetre);

// The label's text is a status that changes under the user: the label has the role of an
// alert, and each new text set through Changer_Texte is announced, so that it is read out
// without the user moving to it. Its name stays its text; the description says what it reports.
void Annoncer_Changements(QLabel* etiquette, const char* description);

// Sets the label's text; a new one is announced: the name change, then the alert (and the
// alert showing again, which is what screen readers on Linux speak).
void Changer_Texte(QLabel* etiquette, const QString& texte);
