// Keeps the process-wide separators in step with the user's regional settings.
#pragma once

class QCoreApplication;

// From now on, the decimal and thousands separators are read again whenever the system
// announces a change of regional settings: a QEvent::LocaleChange reaching the application,
// and on Windows a WM_SETTINGCHANGE for "intl", which Qt 6 does not forward.
void Suivre_Changements_Locale(QCoreApplication& application);
