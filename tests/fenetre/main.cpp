#include <QApplication>
#include <vector>

#include "Suites.h"
#include "qt/Suivi_Locale.h"

int main(int argc, char* argv[]) {
  // Run as CI does, without a display, also when started by hand.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("LOCPATH")) qputenv("LOCPATH", KORVEX_LOCPATH);
  QApplication application(argc, argv);
  // As the program does: separators follow the announced locale changes.
  Suivre_Changements_Locale(application);
  std::vector<char*> arguments(argv, argv + argc);
#ifdef __SANITIZE_ADDRESS__
  // A sanitizer's report ends in abort(): QtTest's crash handler would catch it over and over.
  char sans_gestionnaire[] = "-nocrashhandler";
  arguments.push_back(sans_gestionnaire);
#endif
  int echecs = 0;
  for (const auto& suite : Suites()) echecs += suite(static_cast<int>(arguments.size()), arguments.data());
  return echecs == 0 ? 0 : 1;
}
