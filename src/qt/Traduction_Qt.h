// Qt's own dialogs (save, print, standard buttons) in French, like the rest of the window.
#pragma once

#include <QLibraryInfo>
#include <QString>

class QCoreApplication;
class QTranslator;

// Installs Qt's French translation (qtbase_fr.qm) found in `dossier`. The program's texts are
// French whatever the locale, so Qt's are too. Returns the translator, owned by the application,
// or nullptr when the file is missing or unreadable: Qt's texts then stay in English.
QTranslator* Installer_Traduction_Qt(QCoreApplication& application,
                                     const QString& dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath));
