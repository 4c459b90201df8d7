#include "qt/Dialogues_Fichiers.h"

#include <QApplication>
#include <QFileDialog>
#include <QPrintDialog>

TDialoguesFichiers Dialogues_Qt() {
  return {[](const QString& titre, const QString& chemin_propose, const QString& filtre) -> std::optional<QString> {
    const QString chemin = QFileDialog::getSaveFileName(QApplication::activeWindow(), titre, chemin_propose, filtre);
    if (chemin.isEmpty()) return std::nullopt;
    return chemin;
  },
          [](QPrinter& imprimante) {
            QPrintDialog dialogue(&imprimante, QApplication::activeWindow());
            return dialogue.exec() == QDialog::Accepted;
          }};
}
