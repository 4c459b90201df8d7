// The printed recap drawn by Qt: on a printer, or into a PDF held in memory.
#pragma once

#include <QByteArray>
#include <vector>

#include "recap/Impression.h"

class QPagedPaintDevice;
class QPrinter;

// The grid laid out for the device's paper, measured in the fonts it will be drawn with.
std::vector<recap::TPage_Imprimee> Mettre_En_Pages_Qt(QPagedPaintDevice& appareil, const recap::TGrille& Grille,
                                                      const recap::TEntete_Impression& Entete);

// Draws the pages, one device page each. Raises plateforme::EKorvex when the device refuses.
void Dessiner_Pages_Qt(QPagedPaintDevice& appareil, const std::vector<recap::TPage_Imprimee>& pages);

// Prints the recap on the printer as its dialog left it.
void Imprimer_Recap_Qt(QPrinter& imprimante, const recap::TGrille& Grille, const recap::TEntete_Impression& Entete);

// The recap as the bytes of a PDF file, A4 portrait.
QByteArray Pdf_Recap(const recap::TGrille& Grille, const recap::TEntete_Impression& Entete);
