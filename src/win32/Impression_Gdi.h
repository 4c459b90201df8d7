// A table printed by GDI: the core's pages on a printer's device context, scaled to its
// resolution. The window's "Imprimer…" gets the context from PrintDlgExW and calls
// Imprimer_Tableau_Gdi.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "recap/Impression.h"

// The paper of a printer's context in points; A4 for any other context (a metafile).
recap::TFormat_Page Format_Page_Gdi(HDC dc);

// Texts measured in the printed fonts on the context, as long as it lives.
recap::TMesure Mesure_Gdi(HDC dc);
// The same on the screen, before there is a printer: its own context, given back with the last copy.
recap::TMesure Mesure_Ecran_Gdi();

// The table laid out for the context's paper, measured in the fonts it will be drawn with.
std::vector<recap::TPage_Imprimee> Mettre_En_Pages_Gdi(HDC dc, const recap::TTableau& Tableau);

// Draws one page; on a printer, between StartPage and EndPage.
void Dessiner_Page_Gdi(HDC dc, const recap::TPage_Imprimee& page);
// Draws shapes laid out in the screen's pixels (a chart), every text in the window's font.
void Dessiner_Ecran_Gdi(HDC dc, const recap::TPage_Imprimee& page, HFONT police);

// One print job of the pages, named for the spooler. Raises plateforme::EKorvex when the
// printer refuses the job or a page; the job is then abandoned.
void Imprimer_Pages_Gdi(HDC imprimante, const std::vector<recap::TPage_Imprimee>& pages, const std::string& document);

// The whole table on the printer, as one job of that name.
void Imprimer_Tableau_Gdi(HDC imprimante, const recap::TTableau& Tableau, const std::string& document);
