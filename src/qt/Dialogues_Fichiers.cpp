#include "qt/Dialogues_Fichiers.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QStringList>

namespace {

std::optional<std::string> Enregistrer(const recap::TDemande_Enregistrement& d) {
  QStringList types;
  for (const char* type : d.Types) types << QString::fromUtf8(type);
  QFileDialog dialogue(QApplication::activeWindow(), QString::fromStdString(d.Titre),
                       QString::fromStdString(d.Chemin_Propose), types.join(";;"));
  dialogue.setAcceptMode(QFileDialog::AcceptSave);
  dialogue.setDefaultSuffix(QString::fromStdString(d.Extension));
  if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(dialogue.selectedFiles().constFirst()).toStdString();
}

bool Imprimer(QPrinter& imprimante) {
  QPrintDialog dialogue(&imprimante, QApplication::activeWindow());
  return dialogue.exec() == QDialog::Accepted;
}

}  // namespace

TDialoguesFichiers Dialogues_Qt() { return {Enregistrer, Imprimer}; }
