#include "qt/Graphique_Qt.h"

#include <QPainter>

#include "platform/Separateurs.h"
#include "platform/Textes.h"
#include "qt/Impression_Qt.h"

namespace {

constexpr int Marge = 8;

}  // namespace

TGraphiqueQt::TGraphiqueQt(QWidget* parent) : QWidget(parent) {
  setAccessibleName(QString::fromUtf8(textes::Description_Graphique));
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
}

void TGraphiqueQt::Afficher(const recap::TTableau& Tableau) {
  donnees_ = recap::Donnees_Graphique(Tableau);
  update();
}

recap::TPage_Imprimee TGraphiqueQt::Dessin() const {
  if (!donnees_) return {};
  const QFontMetricsF mesures(font());
  const recap::TMesure mesure = [mesures](recap::TRole, const std::string& t) {
    return mesures.horizontalAdvance(QString::fromStdString(t));
  };
  return recap::Dessiner_Graphique(*donnees_, Marge, Marge / 2.0, width() - 2 * Marge, height() - Marge, mesure,
                                   mesures.height(), plateforme::DecimalSeparator());
}

void TGraphiqueQt::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QFont police = font();
  Dessiner_Page_Qt(p, Dessin(), 1, 1, [police](recap::TRole) { return police; });
}
