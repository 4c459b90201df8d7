#include "qt/Impression_Qt.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "platform/Erreurs.h"
#include "platform/Textes.h"

namespace {

QString Texte(const std::string& utf8) { return QString::fromStdString(utf8); }

QFont Police_Qt(recap::TRole role) {
  const recap::TPolice police = recap::Police_De(role);
  QFont f(QString::fromLatin1(recap::Famille_Police));
  f.setPointSizeF(police.Taille);
  f.setBold(police.Gras);
  return f;
}

// Device pixels per point, across and down.
struct TEchelle {
  double X, Y;
  explicit TEchelle(const QPaintDevice& appareil)
      : X(appareil.logicalDpiX() / 72.0), Y(appareil.logicalDpiY() / 72.0) {}
};

// The paper in points as the device lays it out, orientation included.
recap::TFormat_Page Format_De(const QPagedPaintDevice& appareil) {
  const QRectF papier = appareil.pageLayout().fullRect(QPageLayout::Point);
  recap::TFormat_Page format;
  format.Largeur = papier.width();
  format.Hauteur = papier.height();
  return format;
}

void Dessiner_Page(QPainter& p, const recap::TPage_Imprimee& page, const TEchelle& e) {
  for (const auto& t : page.Traits) {
    p.setPen(QPen(Qt::black, t.Epaisseur * e.Y));
    p.drawLine(QPointF(t.X1 * e.X, t.Y1 * e.Y), QPointF(t.X2 * e.X, t.Y2 * e.Y));
  }
  p.setPen(Qt::black);
  for (const auto& t : page.Textes) {
    p.setFont(Police_Qt(t.Role));
    const QString texte = Texte(t.Texte);
    const double largeur = p.fontMetrics().horizontalAdvance(texte);
    double x = t.X * e.X;
    if (t.Alignement == recap::TAlignement::Droite) x -= largeur;
    if (t.Alignement == recap::TAlignement::Centre) x -= largeur / 2;
    p.drawText(QPointF(x, t.Y * e.Y), texte);
  }
}

}  // namespace

std::vector<recap::TPage_Imprimee> Mettre_En_Pages_Qt(QPagedPaintDevice& appareil, const recap::TGrille& Grille,
                                                      const recap::TEntete_Impression& Entete) {
  const TEchelle e(appareil);
  return recap::Mettre_En_Pages(Grille, Entete, Format_De(appareil), [&](recap::TRole role, const std::string& texte) {
    return QFontMetricsF(Police_Qt(role), &appareil).horizontalAdvance(Texte(texte)) / e.X;
  });
}

void Dessiner_Pages_Qt(QPagedPaintDevice& appareil, const std::vector<recap::TPage_Imprimee>& pages) {
  QPainter p;
  if (!p.begin(&appareil)) throw plateforme::EKorvex(textes::Impression_Echouee);
  const TEchelle e(appareil);
  for (size_t n = 0; n < pages.size(); ++n) {
    if (n > 0 && !appareil.newPage()) throw plateforme::EKorvex(textes::Impression_Echouee);
    Dessiner_Page(p, pages[n], e);
  }
  if (!p.end()) throw plateforme::EKorvex(textes::Impression_Echouee);
}

void Imprimer_Recap_Qt(QPrinter& imprimante, const recap::TGrille& Grille, const recap::TEntete_Impression& Entete) {
  // Our own margins, from the paper's edge.
  imprimante.setFullPage(true);
  Dessiner_Pages_Qt(imprimante, Mettre_En_Pages_Qt(imprimante, Grille, Entete));
  if (imprimante.printerState() == QPrinter::Error) throw plateforme::EKorvex(textes::Impression_Echouee);
}

QByteArray Pdf_Recap(const recap::TGrille& Grille, const recap::TEntete_Impression& Entete) {
  QByteArray pdf;
  QBuffer tampon(&pdf);
  if (!tampon.open(QIODevice::WriteOnly)) throw plateforme::EKorvex(textes::Pdf_Impossible);
  {
    QPdfWriter ecrivain(&tampon);
    ecrivain.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    ecrivain.setTitle(Texte(textes::Document_Imprime(Entete.Mois)));
    Dessiner_Pages_Qt(ecrivain, Mettre_En_Pages_Qt(ecrivain, Grille, Entete));
  }
  return pdf;
}
