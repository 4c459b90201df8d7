// Keeps the process-wide separators in step with the user's regional settings.
#pragma once

class QCoreApplication;

// From now on, the decimal and thousands separators are read again whenever a
// QEvent::LocaleChange reaches the application.
void Suivre_Changements_Locale(QCoreApplication& application);
