#include "qt/Accessibilite.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace {

constexpr const char* Propriete_Annonce = "korvex_annonce";
constexpr const char* Propriete_Fenetre = "korvex_fenetre";

class TAccessibleAnnonce : public QAccessibleWidget {
public:
  explicit TAccessibleAnnonce(QLabel* etiquette) : QAccessibleWidget(etiquette, QAccessible::AlertMessage) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return static_cast<const QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* Fabrique(const QString&, QObject* objet) {
  auto* w = qobject_cast<QWidget*>(objet);
  if (w == nullptr) return nullptr;
  if (w->property(Propriete_Fenetre).toBool()) return new QAccessibleWidget(w, QAccessible::Window);
  auto* etiquette = qobject_cast<QLabel*>(objet);
  if (etiquette != nullptr && etiquette->property(Propriete_Annonce).toBool()) return new TAccessibleAnnonce(etiquette);
  return nullptr;
}

void Installer_Fabrique() {
  static const bool installee = [] {
    QAccessible::installFactory(Fabrique);
    return true;
  }();
  (void)installee;
}

// An interface made before the widget was marked would keep its first role.
void Oublier_Interface(QObject* objet, QAccessible::Role role) {
  if (QAccessibleInterface* ancienne = QAccessible::queryAccessibleInterface(objet);
      ancienne != nullptr && ancienne->role() != role)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(ancienne));
}

}  // namespace

void Exposer_Fenetre(QWidget* fenetre) {
  Installer_Fabrique();
  fenetre->setProperty(Propriete_Fenetre, true);
  Oublier_Interface(fenetre, QAccessible::Window);
}

void Annoncer_Changements(QLabel* etiquette, const char* description) {
  Installer_Fabrique();
  etiquette->setProperty(Propriete_Annonce, true);
  etiquette->setAccessibleName({});  // a fixed name would silence the change events
  etiquette->setAccessibleDescription(QString::fromUtf8(description));
  Oublier_Interface(etiquette, QAccessible::AlertMessage);
}

void Changer_Texte(QLabel* etiquette, const QString& texte) {
  if (etiquette->text() == texte) return;
  etiquette->setText(texte);  // Qt tells the name's change
  if (texte.isEmpty() || !etiquette->property(Propriete_Annonce).toBool()) return;
  QAccessibleEvent alerte(etiquette, QAccessible::Alert);
  QAccessible::updateAccessibility(&alerte);
  QAccessibleEvent montre(etiquette, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&montre);
}
