#include "gui/Suivi_Locale.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>

#include "recap/Fenetre.h"

#ifdef _WIN32
#include <windows.h>
#include <cwchar>
#endif

namespace {

class TSuiviLocale : public QObject, public QAbstractNativeEventFilter {
public:
  explicit TSuiviLocale(QCoreApplication& application) : QObject(&application) {
    application.installEventFilter(this);
#ifdef _WIN32
    application.installNativeEventFilter(this);
#endif
  }

#ifdef _WIN32
  ~TSuiviLocale() override {
    if (auto* application = QCoreApplication::instance()) application->removeNativeEventFilter(this);
  }
#endif

  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (evenement->type() == QEvent::LocaleChange && objet == parent()) recap::Relire_Separateurs();
    return false;
  }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr* resultat) override {
#ifdef _WIN32
    if (type == "windows_generic_MSG") {
      const MSG* msg = static_cast<const MSG*>(message);
      if (msg->message == WM_SETTINGCHANGE && msg->lParam != 0 &&
          std::wcscmp(reinterpret_cast<const wchar_t*>(msg->lParam), L"intl") == 0)
        recap::Relire_Separateurs();
    }
#else
    Q_UNUSED(type);
    Q_UNUSED(message);
#endif
    Q_UNUSED(resultat);
    return false;
  }
};

}  // namespace

void Suivre_Changements_Locale(QCoreApplication& application) { new TSuiviLocale(application); }
