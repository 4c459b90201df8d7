// The program: its application title and the run of its main window.
#pragma once

// Starts the application, shows Form1 and runs the event loop until the window is closed.
int DLG_KORVEX_Calcule_Recap(int argc, char* argv[]);
