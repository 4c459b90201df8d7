// The program: its application title and the run of its one window.
#pragma once

#include <QString>

// The application title from the executable's file name: the name without its folder, cut at
// its first ".", every character after the first in lower case.
QString Titre_Application(const QString& Fichier_Executable);

// Starts the application, shows Form1 and runs the event loop until the window is closed.
int DLG_KORVEX_Calcule_Recap(int argc, char* argv[]);
