#include "qt/Impression_Qt.h"

#include <QBuffer>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "platform/Erreurs.h"
#include "platform/Fichiers.h"
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
  TEchelle(double x, double y) : X(x), Y(y) {}
};

// Where texts are measured before there is a printer: a device at a printer's resolution, so
// that the screen's hinting does not change the widths.
const QPaintDevice& Appareil_Sans_Imprimante() {
  static const QImage image = [] {
    QImage i(1, 1, QImage::Format_ARGB32);
    constexpr int points_par_metre_1200_dpi = 47244;
    i.setDotsPerMeterX(points_par_metre_1200_dpi);
    i.setDotsPerMeterY(points_par_metre_1200_dpi);
    return i;
  }();
  return image;
}

// The paper in points as the device lays it out, orientation included.
recap::TFormat_Page Format_De(const QPagedPaintDevice& appareil) {
  const QRectF papier = appareil.pageLayout().fullRect(QPageLayout::Point);
  recap::TFormat_Page format;
  format.Largeur = papier.width();
  format.Hauteur = papier.height();
  return format;
}

// The core's paper as Qt names it: a standard size is recognised as such (A4).
QPageLayout Mise_En_Page_Qt(const recap::TFormat_Page& f) {
  const QSizeF portrait(std::min(f.Largeur, f.Hauteur), std::max(f.Largeur, f.Hauteur));
  return QPageLayout(QPageSize(portrait, QPageSize::Point), f.Paysage() ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF());
}

QColor Couleur_Qt(const recap::TCouleur& c) { return QColor(c.Rouge, c.Vert, c.Bleu); }

}  // namespace

void Dessiner_Page_Qt(QPainter& p, const recap::TPage_Imprimee& page, double echelle_x, double echelle_y,
                      const std::function<QFont(recap::TRole)>& Police) {
  const TEchelle e{echelle_x, echelle_y};
  for (const auto& f : page.Fonds)
    p.fillRect(QRectF(f.X * e.X, f.Y * e.Y, f.Largeur * e.X, f.Hauteur * e.Y),
               QColor::fromRgbF(recap::Gris_Fond, recap::Gris_Fond, recap::Gris_Fond));
  const auto segments = [&](bool sous_barres) {
    for (const auto& s : page.Segments) {
      if (s.Sous_Barres != sous_barres) continue;
      p.setPen(QPen(Couleur_Qt(s.Couleur), s.Epaisseur * e.Y));
      p.drawLine(QPointF(s.X1 * e.X, s.Y1 * e.Y), QPointF(s.X2 * e.X, s.Y2 * e.Y));
    }
  };
  segments(true);
  for (const auto& b : page.Barres) p.fillRect(QRectF(b.X * e.X, b.Y * e.Y, b.Largeur * e.X, b.Hauteur * e.Y), Couleur_Qt(b.Couleur));
  for (const auto& t : page.Traits) {
    p.setPen(QPen(Qt::black, t.Epaisseur * e.Y));
    p.drawLine(QPointF(t.X1 * e.X, t.Y1 * e.Y), QPointF(t.X2 * e.X, t.Y2 * e.Y));
  }
  segments(false);
  p.setPen(Qt::black);
  for (const auto& t : page.Textes) {
    p.setFont(Police(t.Role));
    const QString texte = Texte(t.Texte);
    const double largeur = p.fontMetrics().horizontalAdvance(texte);
    double x = t.X * e.X;
    if (t.Alignement == recap::TAlignement::Droite) x -= largeur;
    if (t.Alignement == recap::TAlignement::Centre) x -= largeur / 2;
    p.drawText(QPointF(x, t.Y * e.Y), texte);
  }
}

recap::TMesure Mesure_Qt(const QPaintDevice* appareil) {
  const QPaintDevice& mesure = appareil != nullptr ? *appareil : Appareil_Sans_Imprimante();
  return [&mesure](recap::TRole role, const std::string& texte) {
    return QFontMetricsF(Police_Qt(role), &mesure).horizontalAdvance(Texte(texte)) / TEchelle(mesure).X;
  };
}

std::vector<recap::TPage_Imprimee> Mettre_En_Pages_Qt(QPagedPaintDevice& appareil, const recap::TTableau& Tableau) {
  return recap::Mettre_En_Pages(Tableau, Format_De(appareil), Mesure_Qt(&appareil));
}

void Dessiner_Pages_Qt(QPagedPaintDevice& appareil, const std::vector<recap::TPage_Imprimee>& pages) {
  QPainter p;
  if (!p.begin(&appareil)) throw plateforme::EKorvex(textes::Impression_Echouee);
  const TEchelle e(appareil);
  for (size_t n = 0; n < pages.size(); ++n) {
    if (n > 0 && !appareil.newPage()) throw plateforme::EKorvex(textes::Impression_Echouee);
    Dessiner_Page_Qt(p, pages[n], e.X, e.Y, Police_Qt);
  }
  if (!p.end()) throw plateforme::EKorvex(textes::Impression_Echouee);
}

void Preparer_Imprimante(QPrinter& imprimante, const recap::TDemande_Impression& Demande) {
  imprimante.setPageLayout(Mise_En_Page_Qt(Demande.Format));
  imprimante.setDocName(Texte(Demande.Document));
}

namespace {

// The pages as the bytes of a PDF file, on the paper given, from its edge.
QByteArray Pdf_Sur(const recap::TTableau& Tableau, const QPageLayout& papier, const QString& titre) {
  QByteArray pdf;
  QBuffer tampon(&pdf);
  if (!tampon.open(QIODevice::WriteOnly)) throw plateforme::EKorvex(textes::Pdf_Impossible);
  {
    QPdfWriter ecrivain(&tampon);
    ecrivain.setPageLayout(QPageLayout(papier.pageSize(), papier.orientation(), QMarginsF()));
    ecrivain.setTitle(titre);
    Dessiner_Pages_Qt(ecrivain, Mettre_En_Pages_Qt(ecrivain, Tableau));
  }
  return pdf;
}

}  // namespace

void Imprimer_Tableau_Qt(QPrinter& imprimante, const recap::TTableau& Tableau) {
  // Printed to a file, the pages are saved as every export is, never over what is no regular file.
  if (const QString fichier = imprimante.outputFileName(); !fichier.isEmpty()) {
    const QByteArray pdf = Pdf_Sur(Tableau, imprimante.pageLayout(), imprimante.docName());
    plateforme::Enregistrer_Fichier(QDir::toNativeSeparators(fichier).toStdString(),
                                    std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
    return;
  }
  // Our own margins, from the paper's edge.
  imprimante.setFullPage(true);
  Dessiner_Pages_Qt(imprimante, Mettre_En_Pages_Qt(imprimante, Tableau));
  if (imprimante.printerState() == QPrinter::Error) throw plateforme::EKorvex(textes::Impression_Echouee);
}

QByteArray Pdf_Tableau(const recap::TTableau& Tableau, const recap::TDemande_Impression& Demande) {
  return Pdf_Sur(Tableau, Mise_En_Page_Qt(Demande.Format), Texte(Demande.Document));
}
