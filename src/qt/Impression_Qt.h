// A table printed by Qt: on a printer, or into a PDF held in memory. The layout is the core's
// (recap::Mettre_En_Pages); this only measures and draws.
#pragma once

#include <QByteArray>
#include <QFont>
#include <functional>
#include <vector>

#include "recap/Impression.h"

class QPaintDevice;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

// Draws a page, its lengths times the scales (device pixels per unit), its texts in Police's font
// of their role: the printer's points, or the chart's pixels on screen.
void Dessiner_Page_Qt(QPainter& p, const recap::TPage_Imprimee& page, double echelle_x, double echelle_y,
                      const std::function<QFont(recap::TRole)>& Police);

// Texts measured in the printed fonts on the device, or on the screen when there is none yet.
recap::TMesure Mesure_Qt(const QPaintDevice* appareil = nullptr);

// The table laid out for the device's paper, measured in the fonts it will be drawn with.
std::vector<recap::TPage_Imprimee> Mettre_En_Pages_Qt(QPagedPaintDevice& appareil, const recap::TTableau& Tableau);

// Draws the pages, one device page each. Raises plateforme::EKorvex when the device refuses.
void Dessiner_Pages_Qt(QPagedPaintDevice& appareil, const std::vector<recap::TPage_Imprimee>& pages);

// The printer as the print dialog is given it: the request's paper, from the paper's edge, and
// the document's name.
void Preparer_Imprimante(QPrinter& imprimante, const recap::TDemande_Impression& Demande);

// Prints the table on the printer as its dialog left it; when the dialog chose a file, the PDF is
// saved as every export is (plateforme::Enregistrer_Fichier).
void Imprimer_Tableau_Qt(QPrinter& imprimante, const recap::TTableau& Tableau);

// The table as the bytes of a PDF file, on the request's paper.
QByteArray Pdf_Tableau(const recap::TTableau& Tableau, const recap::TDemande_Impression& Demande);
