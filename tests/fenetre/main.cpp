#include <QApplication>

#include "Suites.h"
#include "gui/Suivi_Locale.h"

int main(int argc, char* argv[]) {
  // Run as CI does, without a display, also when started by hand.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("LOCPATH")) qputenv("LOCPATH", KORVEX_LOCPATH);
  QApplication application(argc, argv);
  // As the program does: separators follow the announced locale changes.
  Suivre_Changements_Locale(application);
  int echecs = 0;
  for (const auto& suite : Suites()) echecs += suite(argc, argv);
  return echecs == 0 ? 0 : 1;
}
