#include "qt/Accessibilite.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr const char* Propriete_Annonce = "korvex_annonce";

// Qt already sends NameChanged when a label without a fixed name gets a new text; a status role
// is what makes screen readers speak that change without the focus being on the label.
class TAccessibleStatut : public QAccessibleWidget {
public:
  explicit TAccessibleStatut(QLabel* etiquette) : QAccessibleWidget(etiquette, QAccessible::StatusBar) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return static_cast<const QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Fabrique(const QString&, QObject* objet) {
  auto* etiquette = qobject_cast<QLabel*>(objet);
  if (etiquette == nullptr || !etiquette->property(Propriete_Annonce).toBool()) return nullptr;
  return new TAccessibleStatut(etiquette);
}

}  // namespace

void Annoncer_Changements(QLabel* etiquette, const char* description) {
  static const bool installee = [] {
    QAccessible::installFactory(Fabrique);
    return true;
  }();
  (void)installee;
  etiquette->setProperty(Propriete_Annonce, true);
  etiquette->setAccessibleName({});  // a fixed name would silence the change events
  etiquette->setAccessibleDescription(QString::fromUtf8(description));
  // An interface made before the label was marked would keep the plain label's role.
  if (QAccessibleInterface* ancienne = QAccessible::queryAccessibleInterface(etiquette);
      ancienne != nullptr && ancienne->role() != QAccessible::StatusBar)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(ancienne));
}

