// The file and print dialogs of the tests: they record what they were asked and answer what the
// test set, instead of blocking on a modal dialog.
#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QStringList>
#include <optional>

#include "qt/Dialogues_Fichiers.h"

struct TDialoguesEnregistres {
  // Save dialog: what it was asked, and its answer (nothing: cancelled).
  QStringList Titres, Chemins_Proposes, Filtres;
  std::optional<QString> Reponse;
  // Print dialog: how often it came, the paper it was given, and the PDF file it prints to
  // (empty: cancelled).
  int Impressions = 0;
  QPageLayout Mise_En_Page;
  QString Sortie_Pdf;

  TDialoguesFichiers Dialogues() {
    return {[this](const QString& titre, const QString& propose, const QString& filtre) {
              Titres << titre;
              Chemins_Proposes << propose;
              Filtres << filtre;
              return Reponse;
            },
            [this](QPrinter& imprimante) {
              ++Impressions;
              Mise_En_Page = imprimante.pageLayout();
              if (Sortie_Pdf.isEmpty()) return false;
              imprimante.setOutputFormat(QPrinter::PdfFormat);
              imprimante.setOutputFileName(Sortie_Pdf);
              return true;
            }};
  }
};
