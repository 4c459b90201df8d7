// What a screen reader hears of the window beyond what Qt gives every control.
#pragma once

class QLabel;

// The label's text is a status that changes under the user: each new text is told to the screen
// reader as it is set, and the label has the role of a status (polite live region under AT-SPI),
// so that it is read out without the user moving to it. Its name stays its text; the description
// says what it reports.
void Annoncer_Changements(QLabel* etiquette, const char* description);

