// The file and print dialogs of the tests: they record what they were asked and answer what the
// test set, instead of blocking on a modal dialog.
#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QStringList>
#include <optional>

#include "qt/Dialogues_Fichiers.h"

struct TDialoguesEnregistres {
  // Save dialog: what it was asked (filters as "type;;type"), and its answer (nothing: cancelled).
  QStringList Titres, Chemins_Proposes, Filtres, Extensions;
  std::optional<QString> Reponse;
  // Print dialog: how often it came, the paper and the document it was given, and the PDF file
  // it prints to (empty: cancelled).
  int Impressions = 0;
  QPageLayout Mise_En_Page;
  QString Document;
  QString Sortie_Pdf;

  TDialoguesFichiers Dialogues() {
    return {[this](const recap::TDemande_Enregistrement& d) -> std::optional<std::string> {
              Titres << QString::fromStdString(d.Titre);
              Chemins_Proposes << QString::fromStdString(d.Chemin_Propose);
              Filtres << QString::fromUtf8(d.Types[0]) + ";;" + QString::fromUtf8(d.Types[1]);
              Extensions << QString::fromStdString(d.Extension);
              if (!Reponse) return std::nullopt;
              return Reponse->toStdString();
            },
            [this](QPrinter& imprimante) {
              ++Impressions;
              Mise_En_Page = imprimante.pageLayout();
              Document = imprimante.docName();
              if (Sortie_Pdf.isEmpty()) return false;
              imprimante.setOutputFormat(QPrinter::PdfFormat);
              imprimante.setOutputFileName(Sortie_Pdf);
              return true;
            }};
  }
};
